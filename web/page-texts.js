// SPDX-License-Identifier: GPL-3.0-or-later
// Every text the page shows, under the translation context and English
// source the catalogues in translations/ know it by: the panel's texts are
// the desktop's own, so each is translated once. Written without module
// syntax on purpose: lupdate reads this file to keep the catalogues
// complete, and its parser takes only plain scripts.

/**
 * Marks a text for lupdate and keeps its context for the lookup.
 * @param {string} context
 * @param {string} source
 */
function QT_TRANSLATE_NOOP(context, source) {
  return { context: context, source: source };
}

globalThis.ovraPageTexts = {
  tapToStart: QT_TRANSLATE_NOOP("WebPage", "Tap to start listening"),
  blocked: QT_TRANSLATE_NOOP("WebPage", "Microphone blocked — allow it in the browser's site settings"),
  busy: QT_TRANSLATE_NOOP("WebPage", "Microphone busy — close other apps using it, then tap"),
  lost: QT_TRANSLATE_NOOP("WebPage", "Microphone lost — tap to listen again"),
  insecure: QT_TRANSLATE_NOOP("WebPage", "The microphone needs a secure page (https://)"),
  noAudio: QT_TRANSLATE_NOOP("WebPage", "This browser cannot record audio"),
  noWorklet: QT_TRANSLATE_NOOP("WebPage", "This browser is too old for the tuner (no AudioWorklet)"),
  noWasm: QT_TRANSLATE_NOOP("WebPage", "This browser cannot run the tuner (no WebAssembly)"),
  loadFailed: QT_TRANSLATE_NOOP("WebPage", "The tuner could not be loaded — check the connection and reload"),
  layoutDamaged: QT_TRANSLATE_NOOP("WebPage", "The screen's layout file is damaged (%1)"),
  crashed: QT_TRANSLATE_NOOP("WebPage", "The tuner stopped on an error — reload the page"),
  lower: QT_TRANSLATE_NOOP("WebPage", "Lower"),
  higher: QT_TRANSLATE_NOOP("WebPage", "Higher"),
  none: QT_TRANSLATE_NOOP("StatusLine", "No microphone"),
  paused: QT_TRANSLATE_NOOP("StatusLine", "Listening paused"),
  done: QT_TRANSLATE_NOOP("NavigationBar", "Done"),
  options: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Options"),
  volume: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Volume sensitivity"),
  lessSensitive: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Less sensitive"),
  moreSensitive: QT_TRANSLATE_NOOP("ovra::OvraSettings", "More sensitive"),
  reactivity: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Reactivity"),
  low: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Low"),
  high: QT_TRANSLATE_NOOP("ovra::OvraSettings", "High"),
  fineTuning: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Fine tuning"),
  tuning: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Tuning"),
  referencePitch: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Reference pitch"),
  reset: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Reset to default values"),
  about: QT_TRANSLATE_NOOP("ovra::OvraSettings", "About"),
  resetTitle: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Reset settings?"),
  resetText: QT_TRANSLATE_NOOP("ovra::OvraSettings", "This will reset the settings to their default values.  Proceed?"),
  cancel: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Cancel"),
  ok: QT_TRANSLATE_NOOP("ovra::OvraSettings", "OK"),
  aboutTitle: QT_TRANSLATE_NOOP("ovra::OvraSettings", "About OvraTuner"),
  visitWebSite: QT_TRANSLATE_NOOP("ovra::OvraSettings", "Visit web site"),
};
