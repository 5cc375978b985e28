#!/usr/bin/env node
// SPDX-License-Identifier: GPL-3.0-or-later
// Turns one Qt Linguist catalogue (translations/ovratuner_LANG.ts) into the
// flat JSON a browser page can look texts up in, the same catalogue the
// desktop program uses.
//
//   node tools/ts-to-json.mjs translations/ovratuner_de.ts [out.json]
//
// Output: { "context\u0004source": "translation", ... }, keys sorted. The
// context is needed: the same English text may be translated differently in
// two places ("Tuning" heads a panel section and titles the tuning list). A
// message with a disambiguation comment gets "\u0004comment" after its
// source; plural messages map to an array of their forms. Unfinished,
// vanished and obsolete messages and empty translations are left out: the
// page shows the English source for them, as Qt does. No npm packages.

import { readFileSync, writeFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const ENTITIES = { lt: '<', gt: '>', amp: '&', quot: '"', apos: "'" };

function unescapeXml(text) {
  return text.replace(/&(#x[0-9a-fA-F]+|#[0-9]+|[a-z]+);/g, (whole, name) => {
    if (name.startsWith('#x')) return String.fromCodePoint(parseInt(name.slice(2), 16));
    if (name.startsWith('#')) return String.fromCodePoint(parseInt(name.slice(1), 10));
    return ENTITIES[name] ?? whole;
  });
}

// The text of the first <tag>...</tag> in `xml`, or null (also for <tag/>).
function element(xml, tag) {
  const match = xml.match(new RegExp(`<${tag}(\\s[^>]*)?(?:/>|>([\\s\\S]*?)</${tag}>)`));
  const raw = match?.[2] ?? '';
  return match ? { attributes: match[1] ?? '', raw, text: unescapeXml(raw) } : null;
}

export function catalogueToObject(ts) {
  const entries = [];
  for (const [, context] of ts.matchAll(/<context>([\s\S]*?)<\/context>/g)) {
    const name = element(context, 'name')?.text ?? '';
    for (const [, message] of context.matchAll(/<message(?:\s[^>]*)?>([\s\S]*?)<\/message>/g)) {
      const source = element(message, 'source')?.text;
      const translation = element(message, 'translation');
      if (source === undefined || translation === null) continue;
      if (/type="(unfinished|vanished|obsolete)"/.test(translation.attributes)) continue;
      const forms = [...translation.raw.matchAll(/<numerusform[^>]*>([\s\S]*?)<\/numerusform>/g)];
      const value = forms.length ? forms.map(([, form]) => unescapeXml(form)) : translation.text;
      if (value.length === 0) continue;
      const comment = element(message, 'comment')?.text;
      entries.push([`${name}\u0004${source}${comment ? `\u0004${comment}` : ''}`, value]);
    }
  }
  entries.sort(([a], [b]) => (a < b ? -1 : a > b ? 1 : 0));
  return Object.fromEntries(entries);
}

if (process.argv[1] && import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [input, output] = process.argv.slice(2);
  if (!input) {
    process.stderr.write('usage: ts-to-json.mjs CATALOGUE.ts [OUT.json]\n');
    process.exit(2);
  }
  let ts;
  try {
    ts = readFileSync(input, 'utf8');
  } catch (error) {
    process.stderr.write(`ts-to-json: cannot read '${input}': ${error.message}\n`);
    process.exit(1);
  }
  const json = `${JSON.stringify(catalogueToObject(ts), null, 2)}\n`;
  if (output) writeFileSync(output, json);
  else process.stdout.write(json);
}
