// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's catalogue converter on a shipped catalogue: texts keyed by
// context, unfinished ones left out.
//   node tests/translations/ts-to-json.test.mjs translations/ovratuner_de.ts
import { strict as assert } from 'node:assert';
import { readFileSync } from 'node:fs';
import { catalogueToObject } from '../../tools/ts-to-json.mjs';

const shipped = catalogueToObject(readFileSync(process.argv[2], 'utf8'));
assert.equal(shipped['ovra::OvraSettings\u0004Reference pitch'], 'Kammerton');
assert.equal(shipped['ovra::TuningPicker\u0004Tuning'], 'Stimmung');

const unfinished = catalogueToObject(
  '<TS><context><name>A</name><message><source>x &amp; y</source>' +
    '<translation type="unfinished">z</translation></message></context></TS>');
assert.deepEqual(unfinished, {});
