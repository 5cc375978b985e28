// SPDX-License-Identifier: GPL-3.0-or-later
// The settings in the browser's storage, under the desktop's keys and with
// its defaults (from the core). Values are stored as JSON; one of the wrong
// type or out of range reads as the default, and storage that is missing or
// refuses a write (private mode, a full quota) only loses persistence.

/** @typedef {import('./core-types.js').SettingsSchema} SettingsSchema */

/**
 * @typedef {object} Settings
 * @property {number} volumeThreshold
 * @property {number} greenZoneWidth
 * @property {boolean} hyperactivity
 * @property {number} tuningKey 0..5 a string, 6 the magic key
 * @property {string} tuning
 * @property {number} referencePitch
 * @property {boolean} fineTuning
 */

/** @returns {Storage | null} */
function storage() {
  try {
    return window.localStorage;
  } catch {
    return null;
  }
}

/**
 * @param {string} key
 * @returns {unknown}
 */
function readStored(key) {
  const text = storage()?.getItem(key);
  if (text === null || text === undefined) return undefined;
  try {
    return JSON.parse(text);
  } catch {
    return undefined;
  }
}

/**
 * @param {unknown} value
 * @param {number} min
 * @param {number} max
 * @returns {value is number}
 */
function integerIn(value, min, max) {
  return Number.isInteger(value) && /** @type {number} */ (value) >= min && /** @type {number} */ (value) <= max;
}

/**
 * @param {SettingsSchema} schema
 * @param {string[]} tuningIDs the tunings the core knows
 * @returns {Settings}
 */
export function loadSettings(schema, tuningIDs) {
  const k = schema.keys;
  const stored = (/** @type {keyof SettingsSchema['keys']} */ name) => readStored(k[name]);
  const threshold = stored('volumeThreshold');
  const zone = stored('greenZoneWidth');
  const hyper = stored('hyperactivity');
  const key = stored('tuningKey');
  const tuning = stored('tuning');
  const pitch = stored('referencePitch');
  const fine = stored('fineTuning');
  return {
    volumeThreshold: integerIn(threshold, schema.minVolumeThreshold, schema.maxVolumeThreshold)
      ? threshold : schema.defaultVolumeThreshold,
    greenZoneWidth: integerIn(zone, 0, 1000) ? zone : schema.defaultGreenZoneWidth,
    hyperactivity: typeof hyper === 'boolean' ? hyper : false,
    tuningKey: integerIn(key, 0, schema.magicKey) ? key : 0,
    tuning: typeof tuning === 'string' && tuningIDs.includes(tuning) ? tuning : schema.defaultTuning,
    referencePitch: integerIn(pitch, schema.minReferencePitch, schema.maxReferencePitch)
      ? pitch : schema.defaultReferencePitch,
    fineTuning: typeof fine === 'boolean' ? fine : false,
  };
}

/**
 * @param {SettingsSchema} schema
 * @param {Settings} settings
 * @returns {boolean} false when the storage refused
 */
export function storeSettings(schema, settings) {
  const store = storage();
  if (!store) return false;
  try {
    for (const [name, key] of Object.entries(schema.keys)) {
      store.setItem(key, JSON.stringify(settings[/** @type {keyof Settings} */ (name)]));
    }
    return true;
  } catch {
    return false;
  }
}
