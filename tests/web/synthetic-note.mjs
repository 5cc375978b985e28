// SPDX-License-Identifier: GPL-3.0-or-later
// A guitar-like note as the example recordings have it (five harmonics
// falling in level), as 16-bit samples: what the node tests feed the core.

const HARMONIC_LEVELS = [0.35, 0.25, 0.15, 0.1, 0.06];

/**
 * @param {number} hertz fundamental
 * @param {number} sampleRate samples per second
 * @param {number} length samples wanted
 * @param {number} [offset] samples since the note began (continues a note)
 * @returns {Int16Array}
 */
export function guitarNote(hertz, sampleRate, length, offset = 0) {
  const samples = new Int16Array(length);
  for (let i = 0; i < length; i++) {
    const t = (offset + i) / sampleRate;
    let value = 0;
    HARMONIC_LEVELS.forEach((level, h) => {
      value += level * Math.sin(2 * Math.PI * hertz * (h + 1) * t);
    });
    samples[i] = Math.round(32767 * value);
  }
  return samples;
}
