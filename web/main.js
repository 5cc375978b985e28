// SPDX-License-Identifier: GPL-3.0-or-later
// The browser edition: the tuner's core in WebAssembly behind the screen,
// the options panel, the microphone and the page's life cycle. Browsers
// start audio only after a gesture, so the first tap (click or key)
// anywhere starts listening.

import { Screen, SCREEN_WIDTH, SCREEN_HEIGHT } from './screen.js';
import { Panel } from './panel.js';
import { Microphone } from './microphone.js';
import { WakeLock } from './wake-lock.js';
import { loadSettings, storeSettings } from './preferences.js';
import { loadLanguage, localNumber, text, translate, translatePage } from './i18n.js';

/** @typedef {import('./core-types.js').Core} Core */
/** @typedef {import('./core-types.js').Tuner} Tuner */
/** @typedef {import('./preferences.js').Settings} Settings */
/** @typedef {{image: CanvasImageSource, width: number, height: number}} Picture */

const LAYOUT_FILE = 'assets/general.cfg';
const SAVE_DELAY_MS = 300;

const canvas = /** @type {HTMLCanvasElement} */ (document.getElementById('screen'));
const statusMirror = /** @type {HTMLElement} */ (document.getElementById('status'));

/**
 * Loads one picture; undefined when it is missing or broken, so a skin with
 * a hole still draws the rest.
 * @param {string} url
 * @returns {Promise<HTMLImageElement | undefined>}
 */
function loadImage(url) {
  return new Promise((resolve) => {
    const image = new Image();
    image.onload = () => resolve(image);
    image.onerror = () => resolve(undefined);
    image.src = url;
  });
}

/**
 * The skin's pictures by file name, the double-size ones where the screen is dense enough,
 * each with its size in points.
 * @param {string[]} files
 * @returns {Promise<Map<string, Picture>>}
 */
async function loadPictures(files) {
  const scale = Math.min(window.innerWidth / SCREEN_WIDTH, window.innerHeight / SCREEN_HEIGHT);
  const dense = scale * (window.devicePixelRatio || 1) > 1;
  /** @type {Map<string, Picture>} */
  const pictures = new Map();
  /** @type {string[]} */
  const used = [];
  await Promise.all(files.map(async (file) => {
    const doubleURL = `assets/${file.replace(/\.png$/, '@2x.png')}`;
    const double = dense ? await loadImage(doubleURL) : undefined;
    const image = double ?? await loadImage(`assets/${file}`);
    if (image) used.push(double ? doubleURL : `assets/${file}`);
    if (!image) {
      console.warn(`OvraTuner: missing picture ${file}`);
      return;
    }
    const factor = double ? 2 : 1;
    pictures.set(file, { image, width: image.naturalWidth / factor, height: image.naturalHeight / factor });
  }));
  // For offline use: the worker keeps what this screen draws.
  navigator.serviceWorker?.ready.then((registration) => registration.active?.postMessage({ cache: used }))
    .catch(() => {});
  return pictures;
}

/**
 * Without the core the screen can still say why: the background picture
 * and the sentence, drawn plainly.
 * @param {string} sentence
 */
async function showWithoutCore(sentence) {
  statusMirror.textContent = sentence;
  document.body.dataset.state = 'failed';
  const g = canvas.getContext('2d');
  if (!g) return;
  const box = canvas.getBoundingClientRect();
  canvas.width = box.width;
  canvas.height = box.height;
  const scale = Math.min(box.width / SCREEN_WIDTH, box.height / SCREEN_HEIGHT);
  g.translate((box.width - SCREEN_WIDTH * scale) / 2, (box.height - SCREEN_HEIGHT * scale) / 2);
  g.scale(scale, scale);
  const background = await loadImage('assets/background.png');
  if (background) g.drawImage(background, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  g.fillStyle = 'rgb(255, 199, 77)';
  g.font = 'bold 15px sans-serif';
  g.textAlign = 'center';
  g.fillText(sentence, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2, SCREEN_WIDTH - 20);
  window.ovraScreenState = () => ({ status: sentence });
}

/** @returns {Promise<Core>} */
async function loadCore() {
  // @ts-ignore: emscripten writes this module at build time, without types.
  const { default: createOvraCore } = await import('./ovratuner-core.mjs');
  return /** @type {Core} */ (await createOvraCore());
}

async function start() {
  await loadLanguage();
  translatePage();
  if (typeof WebAssembly !== 'object') {
    await showWithoutCore(text('noWasm'));
    return;
  }
  /** @type {Core} */
  let core;
  /** @type {string} */
  let layoutText;
  try {
    const [loaded, response] = await Promise.all([loadCore(), fetch(LAYOUT_FILE)]);
    core = loaded;
    if (!response.ok) throw new Error(`${LAYOUT_FILE}: ${response.status}`);
    layoutText = await response.text();
  } catch (error) {
    console.error(error);
    await showWithoutCore(text('loadFailed'));
    return;
  }
  const plan = core.screenPlan(layoutText);
  if (plan.error) {
    await showWithoutCore(text('layoutDamaged', plan.error));
    return;
  }
  const files = new Set(plan.sprites.flatMap((sprite) => Object.values(sprite.images)));
  const pictures = await loadPictures([...files]);
  const schema = core.settingsSchema();
  const tunings = core.tunings();
  const settings = loadSettings(schema, tunings.map((t) => t.id));

  const tuner = new core.Tuner();
  const points = plan.needlePoints;
  tuner.setNeedlePoints(points.farRed, points.nearRed, points.nearBlue, points.farBlue);
  const screen = new Screen(canvas, plan, (file) => pictures.get(file), core.MAGIC_KEY, localNumber);

  const applyTuning = () => {
    tuner.setTuning(settings.tuning, settings.referencePitch);
    screen.setStringNames(tuner.stringNames());
    // The name, when the caption says it, in the page's language.
    const name = tunings.find((t) => t.id === settings.tuning)?.name ?? '';
    const caption = core.tuningCaption(settings.tuning, settings.referencePitch);
    screen.setText('tuningcaption', name && caption.startsWith(name)
      ? translate('Tunings', name) + caption.slice(name.length) : caption);
  };
  /** How each setting reaches the core when it changes. */
  const apply = {
    volumeThreshold: () => tuner.setVolumeThreshold(settings.volumeThreshold),
    hyperactivity: () => tuner.setHyperactive(settings.hyperactivity),
    fineTuning: () => tuner.setFineTuning(settings.fineTuning),
    tuning: applyTuning,
    referencePitch: applyTuning,
  };
  const applyAll = () => Object.values(apply).forEach((step) => step());
  applyAll();
  tuner.tuningKeyHit(settings.tuningKey);
  screen.setSelection(tuner.activeString(), tuner.automatic());

  /** @param {string} text */
  const setStatus = (text) => {
    screen.setText('statusline', text);
    statusMirror.textContent = text;
  };
  const save = () => {
    clearTimeout(saveTimer);
    storeSettings(schema, settings);
  };
  // As on the desktop: a slider drag makes one write, shortly after it ends.
  /** @type {ReturnType<typeof setTimeout> | undefined} */
  let saveTimer;
  const saveSoon = () => {
    clearTimeout(saveTimer);
    saveTimer = setTimeout(save, SAVE_DELAY_MS);
  };

  const wakeLock = new WakeLock();
  const microphone = new Microphone(
    (block) => {
      for (const refresh of tuner.pushMicrophone(block)) {
        if (refresh.analysed) screen.applyRefresh(refresh);
      }
    },
    (sentence) => {
      wanted = false; // a tap starts again
      wakeLock.release();
      setStatus(text(sentence));
      document.body.dataset.state = 'stopped';
    },
  );

  let wanted = false; // the user started listening and has not been interrupted
  const listen = async () => {
    wanted = true;
    if (microphone.listening) return;
    setStatus('');
    document.body.dataset.state = 'starting';
    const problem = await microphone.start();
    if (problem) {
      wanted = false;
      setStatus(text(problem));
      document.body.dataset.state = 'stopped';
      return;
    }
    if (!tuner.startStream(microphone.rate)) {
      // A rate the converter refuses (far outside any sound card's).
      microphone.stop();
      wanted = false;
      setStatus(text('noAudio'));
      document.body.dataset.state = 'stopped';
      return;
    }
    document.body.dataset.state = 'listening';
    await wakeLock.take();
  };

  const panel = new Panel({
    settings,
    tunings: tunings.map((t) => ({ ...t, name: translate('Tunings', t.name) })),
    pitchRange: { min: schema.minReferencePitch, max: schema.maxReferencePitch },
    sensitivityOf: core.sensitivityOfThreshold,
    thresholdOf: core.thresholdOfSensitivity,
    about: core.about(),
    changed: (what) => {
      if (what === 'reset') {
        Object.assign(settings, {
          volumeThreshold: schema.defaultVolumeThreshold,
          hyperactivity: false,
          tuning: schema.defaultTuning,
          referencePitch: schema.defaultReferencePitch,
          fineTuning: false,
        });
        applyAll();
        panel.sync();
      } else if (what in apply) {
        apply[/** @type {keyof typeof apply} */ (what)]();
      }
      saveSoon();
    },
  });

  /** @param {number} key */
  const keyHit = (key) => {
    if (!tuner.tuningKeyHit(key)) return;
    screen.setSelection(tuner.activeString(), tuner.automatic());
    settings.tuningKey = key;
    save();
  };

  canvas.addEventListener('pointerdown', (event) => {
    if (panel.shown) return;
    const hit = screen.hitTest(event.clientX, event.clientY);
    // The screen decides at touch-down, as the desktop's keys do.
    if (hit?.kind === 'key') keyHit(hit.index);
    if (hit?.kind === 'gear') {
      screen.gearPressed = true;
      screen.requestDraw();
    }
    if (!wanted) listen();
  });
  const releaseGear = (/** @type {PointerEvent} */ event) => {
    if (!screen.gearPressed) return;
    screen.gearPressed = false;
    screen.requestDraw();
    if (event.type === 'pointerup' && screen.hitTest(event.clientX, event.clientY)?.kind === 'gear') {
      panel.show();
    }
  };
  canvas.addEventListener('pointerup', releaseGear);
  canvas.addEventListener('pointercancel', releaseGear);
  canvas.addEventListener('pointerleave', releaseGear);

  document.addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.metaKey || event.altKey) return;
    if (panel.shown) {
      if (event.key === 'Escape' && !document.querySelector('dialog[open]')) panel.hide();
      return;
    }
    const digit = Number(event.key);
    if (Number.isInteger(digit) && digit >= 1 && digit <= 6) keyHit(digit - 1);
    else if (event.key === 'm' || event.key === 'M') keyHit(core.MAGIC_KEY);
    else if (event.key === 's' || event.key === 'S' || event.key === ',') panel.show();
    if (!wanted) listen();
  });

  document.addEventListener('visibilitychange', () => {
    if (document.hidden) {
      const was = wanted;
      microphone.stop();
      wakeLock.release();
      save();
      wanted = was;
      if (wanted) {
        setStatus(text('paused'));
        document.body.dataset.state = 'paused';
      }
    } else if (wanted) {
      listen();
    }
  });
  window.addEventListener('pagehide', save);

  window.ovraScreenState = () => ({
    ...screen.state(),
    tuning: settings.tuning,
    reference_pitch: settings.referencePitch,
    settings_shown: panel.shown,
    listening: microphone.listening,
    sample_rate: microphone.rate,
    wake_lock: wakeLock.held,
  });

  const resize = () => screen.resize();
  window.addEventListener('resize', resize);
  resize();
  setStatus(text('tapToStart'));
  document.body.dataset.state = 'ready';
}

if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch((error) => console.warn('OvraTuner: offline use unavailable', error));
}
window.addEventListener('unhandledrejection', (event) => {
  console.error(event.reason);
  event.preventDefault();
});
start().catch((error) => {
  console.error(error);
  showWithoutCore(text('crashed'));
});
