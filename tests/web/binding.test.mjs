// SPDX-License-Identifier: GPL-3.0-or-later
// The core's JavaScript interface under node: buffers in, the display
// model's refresh out. Run: node tests/web/binding.test.mjs [path/to/ovratuner-core.mjs]
// (default build-web/ovratuner-core.mjs). Exits non-zero when a case fails.

import { strict as assert } from 'node:assert';
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { guitarNote } from '../../web/synthetic-note.js';

const corePath = process.argv[2] ?? new URL('../../build-web/ovratuner-core.mjs', import.meta.url);
const { default: createOvraCore } = await import(
  corePath instanceof URL ? corePath.href : pathToFileURL(corePath).href
);
const core = await createOvraCore({ printErr: () => {}, print: () => {} });

// One buffer of a guitar-like note, `offset` samples into it.
function note(hertz, offset = 0, length = core.FRAMES_PER_BUFFER) {
  return guitarNote(hertz, core.SAMPLE_RATE, length, offset);
}

// Consecutive buffers of one held note; the last refresh.
function hold(tuner, hertz, buffers = 4) {
  let refresh;
  for (let b = 0; b < buffers; b++) {
    refresh = tuner.analyse(note(hertz, b * core.FRAMES_PER_BUFFER));
  }
  return refresh;
}

const cases = {
  'a 110 Hz note selects string 1 (A2) in automatic mode'() {
    const tuner = new core.Tuner();
    try {
      assert.equal(tuner.automatic(), true);
      assert.equal(tuner.activeString(), 0);
      const refresh = hold(tuner, 110);
      assert.equal(refresh.analysed, true);
      assert.equal(refresh.meter, 'bright');
      assert.equal(refresh.activeString, 1);
      assert.equal(tuner.activeString(), 1);
      assert.equal(refresh.readout.note, 'A2');
      assert.ok(Math.abs(refresh.displayFrequency - 110) < 0.5, `${refresh.displayFrequency} Hz`);
      assert.ok(Math.abs(refresh.cents) < 5, `${refresh.cents} cents`);
    } finally {
      tuner.delete();
    }
  },

  'a fixed string stays chosen and the cents are measured from it'() {
    const tuner = new core.Tuner();
    try {
      assert.equal(tuner.tuningKeyHit(0), true);
      const refresh = hold(tuner, 110);
      assert.equal(refresh.activeString, 0);
      assert.equal(refresh.automatic, false);
      // A2 is a fourth (500 cents) above the low E string's 82.407 Hz.
      assert.ok(Math.abs(refresh.cents - 500) < 10, `${refresh.cents} cents`);
      assert.equal(tuner.tuningKeyHit(7), false);
    } finally {
      tuner.delete();
    }
  },

  'silent and incomplete buffers refresh nothing'() {
    const tuner = new core.Tuner();
    try {
      assert.equal(tuner.analyse(new Int16Array(core.FRAMES_PER_BUFFER)).analysed, false);
      assert.equal(tuner.analyse(note(110, 0, core.FRAMES_PER_BUFFER - 1)).analysed, false);
      assert.equal(tuner.analyse(note(110)).analysed, true);
    } finally {
      tuner.delete();
    }
  },

  'tunings and the reference pitch reach the model'() {
    const tuner = new core.Tuner();
    try {
      assert.ok(core.tunings().some((tuning) => tuning.id === 'drop-d'));
      assert.equal(tuner.setTuning('drop-d', 442), true);
      assert.equal(tuner.stringNames()[0], 'D2');
      assert.ok(Math.abs(tuner.targetFrequencies()[1] - 110.5) < 0.01);
      assert.equal(tuner.setTuning('no-such-tuning', 440), false);
      assert.equal(tuner.setTuning('standard', 400), false);
      assert.equal(tuner.stringNames()[0], 'D2');
    } finally {
      tuner.delete();
    }
  },

  // The desktop build's model test checks the same table: C libraries
  // differ in pow()'s last bit, and no such difference may reach a float.
  'every target and border equals the desktop build\'s'() {
    const table = readFileSync(new URL('../model/data/tuning-table.txt', import.meta.url), 'utf8');
    const tuner = new core.Tuner();
    try {
      let lines = 0;
      for (const line of table.split('\n').filter(Boolean)) {
        const [head, tail] = line.split(' | ');
        const [id, pitch, ...targets] = head.split(' ');
        assert.equal(tuner.setTuning(id, Number(pitch)), true, line);
        const expect = (words) => words.map((word) => Math.fround(Number(word)));
        assert.deepEqual(tuner.targetFrequencies(), expect(targets), line);
        assert.deepEqual(tuner.borderFrequencies(), expect(tail.split(' ')), line);
        lines++;
      }
      assert.equal(lines, core.tunings().length * (466 - 415 + 1));
    } finally {
      tuner.delete();
    }
  },
};

let passed = 0;
let failed = 0;
for (const [name, run] of Object.entries(cases)) {
  try {
    run();
    passed++;
    console.log(`ok   ${name}`);
  } catch (error) {
    failed++;
    console.log(`FAIL ${name}\n     ${error.message.split('\n').join('\n     ')}`);
  }
}
console.log(`${passed} passed, ${failed} failed`);
process.exitCode = failed === 0 ? 0 : 1;
