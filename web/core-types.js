// SPDX-License-Identifier: GPL-3.0-or-later
// The shapes of what the core's JavaScript interface hands out, for the
// type checker; nothing runs here.

/** @typedef {{x: number, y: number}} Point */
/** @typedef {{red: number, green: number, blue: number, alpha: number}} LayoutColor */
/**
 * @typedef {object} Sprite
 * @property {string} item
 * @property {number} index
 * @property {number} x
 * @property {number} y
 * @property {Record<string, string>} images file names by modifier ('' for a plain one)
 */
/**
 * @typedef {object} Label
 * @property {string} item
 * @property {number} index
 * @property {number} x
 * @property {number} y
 * @property {number} width
 * @property {number} height
 * @property {number} fontSize
 * @property {LayoutColor} bright
 * @property {LayoutColor} dim
 * @property {'left' | 'center' | 'right'} align
 */
/**
 * @typedef {object} ScreenPlan
 * @property {Sprite[]} sprites
 * @property {Label[]} labels
 * @property {{farRed: Point, nearRed: Point, nearBlue: Point, farBlue: Point}} needlePoints
 * @property {string} [error]
 */
/**
 * @typedef {object} Refresh
 * @property {boolean} analysed
 * @property {number} litLeds
 * @property {'dim' | 'bright' | 'unchanged'} meter
 * @property {boolean} selectionChanged
 * @property {number | null} displayFrequency
 * @property {number | null} cents
 * @property {{a: Point, b: Point, fraction: number, point: Point} | null} needle
 * @property {{note: string, noteShown: string, frequency: string, cents: string} | null} readout
 * @property {number} activeString
 * @property {boolean} automatic
 */
/**
 * @typedef {object} Tuner
 * @property {(samples: Int16Array) => Refresh} analyse
 * @property {(rate: number) => boolean} startStream
 * @property {(samples: Float32Array) => Refresh[]} pushMicrophone
 * @property {(id: string, referencePitch: number) => boolean} setTuning
 * @property {(key: number) => boolean} tuningKeyHit
 * @property {(threshold: number) => void} setVolumeThreshold
 * @property {(on: boolean) => void} setHyperactive
 * @property {(on: boolean) => void} setFineTuning
 * @property {(farRed: Point, nearRed: Point, nearBlue: Point, farBlue: Point) => void} setNeedlePoints
 * @property {() => string[]} stringNames
 * @property {() => number} activeString
 * @property {() => boolean} automatic
 */
/**
 * @typedef {object} SettingsSchema
 * @property {Record<'volumeThreshold' | 'greenZoneWidth' | 'hyperactivity' | 'tuningKey' | 'tuning' | 'referencePitch' | 'fineTuning', string>} keys
 * @property {number} defaultVolumeThreshold
 * @property {number} minVolumeThreshold
 * @property {number} maxVolumeThreshold
 * @property {number} defaultGreenZoneWidth
 * @property {string} defaultTuning
 * @property {number} defaultReferencePitch
 * @property {number} minReferencePitch
 * @property {number} maxReferencePitch
 * @property {number} magicKey
 */
/**
 * @typedef {object} Core
 * @property {new () => Tuner} Tuner
 * @property {() => {id: string, name: string, notes: string[]}[]} tunings
 * @property {(layoutText: string) => ScreenPlan} screenPlan
 * @property {(id: string, referencePitch: number) => string} tuningCaption
 * @property {() => SettingsSchema} settingsSchema
 * @property {() => {version: string, copyright: string, license: string, webPage: string}} about
 * @property {(threshold: number) => number} sensitivityOfThreshold
 * @property {(sensitivity: number) => number} thresholdOfSensitivity
 * @property {number} MAGIC_KEY
 * @property {number} FRAMES_PER_BUFFER
 * @property {number} SAMPLE_RATE
 */

export {};
