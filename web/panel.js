// SPDX-License-Identifier: GPL-3.0-or-later
// The options panel: the browser's own controls for the settings the
// desktop panel has, sliding down over the screen. It edits a Settings
// object and reports each change; the page applies and stores it.

/** @typedef {import('./preferences.js').Settings} Settings */

/**
 * @template {HTMLElement} T
 * @param {string} id
 * @returns {T}
 */
function element(id) {
  const found = document.getElementById(id);
  if (!found) throw new Error(`the page lacks #${id}`);
  return /** @type {T} */ (found);
}

export class Panel {
  /**
   * @param {object} options
   * @param {Settings} options.settings edited in place
   * @param {{id: string, name: string, notes: string[]}[]} options.tunings
   * @param {{min: number, max: number}} options.pitchRange
   * @param {(threshold: number) => number} options.sensitivityOf
   * @param {(sensitivity: number) => number} options.thresholdOf
   * @param {(what: keyof Settings | 'reset') => void} options.changed
   * @param {{version: string, copyright: string, license: string, webPage: string}} options.about
   */
  constructor({ settings, tunings, pitchRange, sensitivityOf, thresholdOf, changed, about }) {
    this.settings = settings;
    this.pitchRange = pitchRange;
    this.sensitivityOf = sensitivityOf;
    this.root = element('panel');
    this.sensitivity = /** @type {HTMLInputElement} */ (element('sensitivity'));
    this.fineTuning = /** @type {HTMLInputElement} */ (element('fine-tuning'));
    this.tuning = /** @type {HTMLSelectElement} */ (element('tuning'));
    this.pitch = /** @type {HTMLOutputElement} */ (element('pitch'));
    this.reactivity = /** @type {NodeListOf<HTMLInputElement>} */ (
      this.root.querySelectorAll('input[name="reactivity"]'));
    const resetDialog = /** @type {HTMLDialogElement} */ (element('reset-dialog'));
    const aboutDialog = /** @type {HTMLDialogElement} */ (element('about-dialog'));

    for (const tuning of tunings) {
      const option = document.createElement('option');
      option.value = tuning.id;
      option.textContent = `${tuning.name}  ${tuning.notes.join(' ')}`;
      this.tuning.append(option);
    }
    this.sensitivity.addEventListener('input', () => {
      settings.volumeThreshold = thresholdOf(Number(this.sensitivity.value));
      changed('volumeThreshold');
    });
    for (const radio of this.reactivity) {
      radio.addEventListener('change', () => {
        settings.hyperactivity = radio.value === 'high';
        changed('hyperactivity');
      });
    }
    this.fineTuning.addEventListener('change', () => {
      settings.fineTuning = this.fineTuning.checked;
      changed('fineTuning');
    });
    this.tuning.addEventListener('change', () => {
      settings.tuning = this.tuning.value;
      changed('tuning');
    });
    const step = (/** @type {number} */ by) => {
      const next = Math.min(pitchRange.max, Math.max(pitchRange.min, settings.referencePitch + by));
      if (next === settings.referencePitch) return;
      settings.referencePitch = next;
      this.sync();
      changed('referencePitch');
    };
    element('pitch-down').addEventListener('click', () => step(-1));
    element('pitch-up').addEventListener('click', () => step(1));
    element('done').addEventListener('click', () => this.hide());
    element('reset').addEventListener('click', () => resetDialog.showModal());
    resetDialog.addEventListener('close', () => {
      if (resetDialog.returnValue === 'ok') changed('reset');
    });
    element('about-text').textContent =
      `OvraTuner version ${about.version}\n\nProgramming:\nThe OvraTuner developers\n\n` +
      `Graphics:\nThe OvraTuner developers\n\n${about.copyright}\n${about.license}`;
    /** @type {HTMLAnchorElement} */ (element('web-site')).href = about.webPage;
    element('about').addEventListener('click', () => aboutDialog.showModal());
    this.sync();
  }

  /** Shows the settings' values. */
  sync() {
    const s = this.settings;
    this.sensitivity.value = String(this.sensitivityOf(s.volumeThreshold));
    for (const radio of this.reactivity) radio.checked = (radio.value === 'high') === s.hyperactivity;
    this.fineTuning.checked = s.fineTuning;
    this.tuning.value = s.tuning;
    this.pitch.value = `A4 = ${s.referencePitch} Hz`; // as the desktop: not translated
    /** @type {HTMLButtonElement} */ (element('pitch-down')).disabled = s.referencePitch <= this.pitchRange.min;
    /** @type {HTMLButtonElement} */ (element('pitch-up')).disabled = s.referencePitch >= this.pitchRange.max;
  }

  get shown() {
    return this.root.classList.contains('shown');
  }

  show() {
    this.sync();
    this.root.inert = false;
    this.root.classList.add('shown');
    element('done').focus();
  }

  hide() {
    if (!this.shown) return;
    this.root.classList.remove('shown');
    this.root.inert = true;
    for (const dialog of document.querySelectorAll('dialog[open]')) {
      /** @type {HTMLDialogElement} */ (dialog).close();
    }
  }
}
