// SPDX-License-Identifier: GPL-3.0-or-later
// The page's words in the visitor's language, from the desktop's own
// catalogues (turned into JSON when the site is built): the browser's
// preferred languages pick one, and a text without a translation stays in
// English, as on the desktop.

import './page-texts.js';

/** @typedef {{context: string, source: string}} PageText */

/** @type {Record<string, PageText>} */
const TEXTS = /** @type {any} */ (globalThis).ovraPageTexts;
/** @type {Record<string, string>} */
let catalogue = {};
let decimalSign = '.';

/**
 * The catalogue that serves the first of `wanted` it can: an exact match
 * (pt-BR), else the language alone (de-AT → de, pt → pt_BR).
 * @param {readonly string[]} wanted browser language tags
 * @param {string[]} available catalogue names (de, pt_BR, ...)
 * @returns {string | undefined}
 */
export function pickLanguage(wanted, available) {
  for (const tag of wanted) {
    const exact = tag.replace('-', '_');
    if (available.includes(exact)) return exact;
    const base = exact.split('_')[0];
    const found = available.find((name) => name.split('_')[0] === base);
    if (found) return found;
  }
  return undefined;
}

/**
 * Loads the catalogue for the browser's languages; English when none fits
 * or the files cannot be had.
 * @param {readonly string[]} wanted
 */
export async function loadLanguage(wanted = navigator.languages) {
  try {
    const available = await (await fetch('i18n/languages.json')).json();
    const language = pickLanguage(wanted, available);
    if (!language) return;
    catalogue = await (await fetch(`i18n/${language}.json`)).json();
    const tag = language.replace('_', '-');
    document.documentElement.lang = tag;
    decimalSign = new Intl.NumberFormat(tag).formatToParts(1.5).find((part) => part.type === 'decimal')?.value ?? '.';
  } catch {
    catalogue = {};
  }
}

/**
 * A page text by its name, translated; %1, %2 ... filled in.
 * @param {string} id
 * @param {...string} args
 */
export function text(id, ...args) {
  const entry = TEXTS[id];
  if (!entry) return id;
  const shown = catalogue[`${entry.context}\u0004${entry.source}`] ?? entry.source;
  return shown.replace(/%(\d)/g, (whole, n) => args[Number(n) - 1] ?? whole);
}

/**
 * A text of another context (a tuning's name), translated where known.
 * @param {string} context
 * @param {string} source
 */
export function translate(context, source) {
  return catalogue[`${context}\u0004${source}`] ?? source;
}

/**
 * The core writes numbers with a point; the readout follows the language.
 * @param {string} numberText
 */
export function localNumber(numberText) {
  return decimalSign === '.' ? numberText : numberText.replace(/(\d)\.(\d)/g, `$1${decimalSign}$2`);
}

/**
 * Fills every element marked data-text="id" (its text) or
 * data-label="id" (its accessible name).
 * @param {ParentNode} root
 */
export function translatePage(root = document) {
  for (const element of root.querySelectorAll('[data-text]')) {
    element.textContent = text(/** @type {HTMLElement} */ (element).dataset.text ?? '');
  }
  for (const element of root.querySelectorAll('[data-label]')) {
    element.setAttribute('aria-label', text(/** @type {HTMLElement} */ (element).dataset.label ?? ''));
  }
}
