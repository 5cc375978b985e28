// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the core and plays each string's note through it: the refresh the
// desktop screen would draw, shown as words. Serve the repository's root
// (scripts/web.sh builds build-web/) and open /web/.

import createOvraCore from '../build-web/ovratuner-core.mjs';
import { guitarNote } from './synthetic-note.js';

const BUFFERS_PER_NOTE = 4; // the smoother settles within these

const status = document.getElementById('status');
const strings = document.getElementById('strings');
const field = (id) => document.getElementById(id);

function show(tuner, refresh) {
  field('string').textContent = `${tuner.stringNames()[refresh.activeString]}${
    refresh.automatic ? ' (automatic)' : ''
  }`;
  field('note').textContent = refresh.readout?.note || '–';
  field('frequency').textContent = refresh.readout?.frequency || '–';
  field('cents').textContent = refresh.readout?.cents || '–';
  field('leds').textContent = `${refresh.litLeds} of 9`;
}

try {
  const core = await createOvraCore();
  const tuner = new core.Tuner();
  const targets = tuner.targetFrequencies();
  tuner.stringNames().forEach((name, string) => {
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = name;
    button.addEventListener('click', () => {
      let refresh;
      for (let b = 0; b < BUFFERS_PER_NOTE; b++) {
        const length = core.FRAMES_PER_BUFFER;
        refresh = tuner.analyse(guitarNote(targets[string], core.SAMPLE_RATE, length, b * length));
      }
      show(tuner, refresh);
    });
    strings.append(button);
  });
  status.textContent = 'The core is loaded.';
  document.body.dataset.core = 'ready';
} catch (error) {
  status.textContent = `The core did not load: ${error}`;
  document.body.dataset.core = 'failed';
}
