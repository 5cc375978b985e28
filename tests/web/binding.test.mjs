// SPDX-License-Identifier: GPL-3.0-or-later
// The core's JavaScript interface under node: buffers in, the display
// model's refresh out. Run: node tests/web/binding.test.mjs [path/to/ovratuner-core.mjs]
// (default build-web/ovratuner-core.mjs). Exits non-zero when a case fails.

import { strict as assert } from 'node:assert';
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { guitarNote } from './synthetic-note.mjs';

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

  'the microphone at 48 kHz reads as the same note made at 8000 Hz, fine tuning in tenths'() {
    const direct = new core.Tuner();
    const streamed = new core.Tuner();
    try {
      const heardDirectly = hold(direct, 110).displayFrequency;
      assert.equal(streamed.startStream(48000), true);
      const refreshes = [];
      const block = 1024;
      for (let offset = 0; offset < 48000; offset += block) {
        const samples = Float32Array.from(guitarNote(110, 48000, block, offset), (s) => s / 32768);
        refreshes.push(...streamed.pushMicrophone(samples));
      }
      // One second at 8000 Hz is three whole buffers and a part.
      assert.equal(refreshes.length, 3);
      const heard = refreshes.at(-1).displayFrequency;
      // The detector's reading moves by about a cent with where a buffer
      // starts in the note's period; the converter's delay shifts that.
      const cents = 1200 * Math.log2(heard / heardDirectly);
      assert.ok(Math.abs(cents) < 1.5, `${heard} Hz against ${heardDirectly} Hz`);

      streamed.setFineTuning(true);
      const fine = [];
      for (let offset = 48000; offset < 96000; offset += block) {
        const samples = Float32Array.from(guitarNote(110, 48000, block, offset), (s) => s / 32768);
        fine.push(...streamed.pushMicrophone(samples));
      }
      assert.ok(fine.length >= 12, `${fine.length} refreshes in a second of fine tuning`);
      assert.match(fine.at(-1).readout.cents, /^[−+]?\d+\.\d ¢$/u);
      assert.equal(streamed.startStream(1000), false);
      assert.deepEqual(streamed.pushMicrophone(new Float32Array(block)), []);
    } finally {
      direct.delete();
      streamed.delete();
    }
  },

  'the screen plan draws the skin back to front; a damaged layout is refused with its line'() {
    const layout = readFileSync(new URL('../../resources/general.cfg', import.meta.url), 'utf8');
    const plan = core.screenPlan(layout);
    const order = [...new Set(plan.sprites.map((sprite) => sprite.item))];
    assert.deepEqual(order, ['background', 'tuningkey', 'autoswitchkey', 'aboutbutton', 'settingsbutton',
      'helpbutton', 'guitarhead', 'ampmeterled', 'pitchmeter', 'string', 'pitchneedle', 'overlay']);
    const strings = plan.sprites.filter((sprite) => sprite.item === 'string').map((sprite) => sprite.index);
    assert.deepEqual(strings, [0, 5, 1, 4, 2, 3]);
    const needle = plan.sprites.find((sprite) => sprite.item === 'pitchneedle');
    assert.deepEqual({ x: needle.x, y: needle.y }, plan.needlePoints.nearBlue);
    // References are followed: key 1 borrows key 0's pictures.
    const keys = plan.sprites.filter((sprite) => sprite.item === 'tuningkey');
    assert.deepEqual(keys[1].images, keys[0].images);
    const cents = plan.labels.find((label) => label.item === 'readout.cents');
    assert.deepEqual(cents.dim, plan.labels.find((label) => label.item === 'readout.note').dim);
    assert.equal(plan.labels.length, 11);
    assert.match(core.screenPlan('"a" = "b";\n"c" = ;').error, /^line 2: /);
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
