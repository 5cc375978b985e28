// SPDX-License-Identifier: GPL-3.0-or-later
// The browser edition in Debian's Chromium, driven by puppeteer-core, with
// a WAV file as the microphone. Run (after scripts/web.sh --build):
//   node --test tests/web/browser.test.mjs
// Environment: OVRA_SITE (default build-web/site), OVRA_DESKTOP (the
// desktop program, for the screenshot comparison; default
// build/src/app/ovratuner), CHROMIUM (default /usr/bin/chromium).

import { strict as assert } from 'node:assert';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { serveSite } from '../../tools/web-site/serve.mjs';

const root = fileURLToPath(new URL('../..', import.meta.url));
const require = createRequire(join(root, 'web/package.json'));
const puppeteer = require('puppeteer-core');

const site = resolve(process.env.OVRA_SITE ?? join(root, 'build-web/site'));
const desktop = resolve(process.env.OVRA_DESKTOP ?? join(root, 'build/src/app/ovratuner'));
const chromium = process.env.CHROMIUM ?? '/usr/bin/chromium';
const work = mkdtempSync(join(tmpdir(), 'ovra-browser-'));

// The example recordings are made at 8000 Hz; the browser hears 48 kHz, as
// a phone's microphone delivers.
function recordingAt48k(name) {
  const out = join(work, `${name}-48k.wav`);
  execFileSync('sox', [join(root, 'examples', `${name}.wav`), '-r', '48000', '-b', '16', out]);
  return out;
}

async function launch(wav, { fakeUi = true, fakeDevice = true, lang = 'en-US', env = {} } = {}) {
  const args = [
    '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--disable-quic', '--autoplay-policy=no-user-gesture-required',
  ];
  if (fakeDevice) args.push('--use-fake-device-for-media-stream');
  args.push(`--lang=${lang}`, `--accept-lang=${lang}`);
  if (fakeUi) args.push('--use-fake-ui-for-media-stream');
  if (wav) args.push(`--use-file-for-fake-audio-capture=${wav}`);
  return puppeteer.launch({
    executablePath: chromium, headless: true, args,
    userDataDir: mkdtempSync(join(work, 'profile-')),
    env: { ...process.env, LANGUAGE: lang.replace('-', '_'), ...env },
  });
}

async function openTuner(browser, url, viewport = { width: 360, height: 640, deviceScaleFactor: 1 }) {
  const page = await browser.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(String(error)));
  await page.setViewport(viewport);
  await page.goto(url);
  await page.waitForFunction(() => ['ready', 'failed'].includes(document.body.dataset.state ?? ''));
  return { page, problems };
}

const state = (page) => page.evaluate(() => window.ovraScreenState?.());

// Where a point of the 320 x 460 layout is on the page.
async function pagePoint(page, x, y) {
  return page.evaluate((px, py) => {
    const box = document.getElementById('screen').getBoundingClientRect();
    const scale = Math.min(box.width / 320, box.height / 460);
    return {
      x: box.left + (box.width - 320 * scale) / 2 + px * scale,
      y: box.top + (box.height - 460 * scale) / 2 + py * scale,
    };
  }, x, y);
}

async function tapAt(page, x, y) {
  const point = await pagePoint(page, x, y);
  await page.mouse.click(point.x, point.y);
}

// A point of the pitch meter: no key there, so a tap only starts listening.
const tapToStart = (page) => tapAt(page, 160, 60);

describe('the tuner in the browser', { timeout: 180_000 }, () => {
  let server;
  let url;
  before(async () => {
    assert.ok(existsSync(join(site, 'index.html')), `no built site in ${site}: run scripts/web.sh --build`);
    server = await serveSite(site, 0);
    url = `http://127.0.0.1:${server.address().port}/`;
  });
  after(() => {
    server?.close();
    rmSync(work, { recursive: true, force: true });
  });

  test('tunes the A string heard through the microphone, then follows the D key; settings survive a reload; offline after one visit', async () => {
    const browser = await launch(`${recordingAt48k('a2-110hz')}`);
    try {
      const { page, problems } = await openTuner(browser, url);
      assert.equal((await state(page)).status, 'Tap to start listening');
      await page.keyboard.press('m'); // the magic key, and the gesture that starts listening
      await page.waitForFunction(() => {
        const s = window.ovraScreenState();
        return s.listening && s.meter_bright && s.note !== '';
      }, { timeout: 20_000 });
      // The first reading comes from the note's onset; the held note is what counts.
      await new Promise((r) => setTimeout(r, 1500));
      const heard = await state(page);
      // The context runs at the output device's own rate, which the core converts from.
      assert.ok([44100, 48000].includes(heard.sample_rate), `context at ${heard.sample_rate} Hz`);
      assert.equal(heard.active_string, 1, 'the A string, chosen by the tuner');
      assert.equal(heard.automatic, true);
      assert.match(heard.note, /^A/);
      assert.ok(Math.abs(heard.cents) < 3, `cents ${heard.cents}`);
      assert.ok(Math.abs(heard.display_hz - 110) < 0.3, `heard ${heard.display_hz} Hz`);
      assert.ok(heard.lit_leds > 0);
      // The needle stands in the green zone (between near blue and near red).
      await new Promise((r) => setTimeout(r, 300));
      const needle = (await state(page)).needle_x;
      assert.ok(needle >= 141 && needle <= 165, `needle at ${needle}`);

      // Touching the D key (string 2, on the left) fixes that string.
      await tapAt(page, 30, 215);
      const fixed = await state(page);
      assert.equal(fixed.active_string, 2);
      assert.equal(fixed.automatic, false);
      await new Promise((r) => setTimeout(r, 1000));
      assert.equal((await state(page)).active_string, 2, 'the A heard no longer moves the choice');

      // Another tab in front: the microphone is released and the choice
      // stored; back in front, listening resumes by itself.
      const other = await browser.newPage();
      await other.bringToFront();
      await page.waitForFunction(() => !window.ovraScreenState().listening);
      assert.equal((await state(page)).status, 'Listening paused');
      assert.equal(await page.evaluate(() => localStorage.getItem('ovratuner.tuningkeyselected')), '2');
      await page.bringToFront();
      await page.waitForFunction(() => window.ovraScreenState().listening, { timeout: 10_000 });
      await other.close();

      // Options: reference pitch up one, drop D, fine tuning on.
      await page.keyboard.press('s');
      await page.waitForFunction(() => window.ovraScreenState().settings_shown);
      await new Promise((r) => setTimeout(r, 500)); // the panel slides down
      await page.click('#pitch-up');
      await page.select('#tuning', 'drop-d');
      await page.click('#fine-tuning');
      await page.click('#done');
      await page.reload();
      await page.waitForFunction(() => document.body.dataset.state === 'ready');
      const reloaded = await state(page);
      assert.equal(reloaded.reference_pitch, 441);
      assert.equal(reloaded.tuning, 'drop-d');
      assert.equal(reloaded.active_string, 2);
      assert.deepEqual(reloaded.string_labels, ['D2', 'A', 'D3', 'G', 'B', 'E']);
      assert.equal(await page.$eval('#fine-tuning', (box) => box.checked), true);

      // The network goes away: the service worker serves everything.
      await page.evaluate(() => navigator.serviceWorker.ready);
      await new Promise((r) => server.close(r));
      await page.reload();
      await page.waitForFunction(() => ['ready', 'failed'].includes(document.body.dataset.state ?? ''));
      const offline = await state(page);
      assert.equal(offline.status, 'Tap to start listening', 'offline, the tuner still loads');
      assert.ok(Number(await page.$eval('#screen', (c) => c.dataset.drawn)) > 0);
      assert.deepEqual(problems, []);
    } finally {
      await browser.close();
      if (!server.listening) {
        server = await serveSite(site, 0);
        url = `http://127.0.0.1:${server.address().port}/`;
      }
    }
  });

  test('a denied or missing microphone is said on the status line, and the screen still draws', async () => {
    const cases = [
      { options: { fakeUi: false }, deny: true, sentence: "Microphone blocked — allow it in the browser's site settings" },
      // No fake device and no sound server to find one on (the test run's
      // virtual microphone is hidden from this browser).
      {
        options: { fakeDevice: false, env: { PULSE_SERVER: join(work, 'no-server'), ALSA_CONFIG_PATH: '/dev/null' } },
        deny: false,
        sentence: 'No microphone',
      },
    ];
    for (const { options, deny, sentence } of cases) {
      const browser = await launch(null, options);
      try {
        if (deny) await browser.defaultBrowserContext().overridePermissions(url, []);
        const { page, problems } = await openTuner(browser, url);
        await tapToStart(page);
        await page.waitForFunction(() => document.body.dataset.state === 'stopped');
        const shown = await state(page);
        assert.equal(shown.status, sentence);
        assert.equal(shown.listening, false);
        assert.ok(Number(await page.$eval('#screen', (c) => c.dataset.drawn)) > 0);
        assert.deepEqual(problems, []);
      } finally {
        await browser.close();
      }
    }
  });

  test('speaks the browser\'s language from the desktop\'s catalogues, numbers included', async () => {
    const browser = await launch(recordingAt48k('a2-110hz'), { lang: 'de-DE' });
    try {
      const { page, problems } = await openTuner(browser, url);
      assert.equal((await state(page)).status, 'Tippen, um zuzuhören');
      assert.equal(await page.$eval('#panel h1', (h) => h.textContent), 'Optionen');
      assert.equal(await page.$eval('#pitch-title', (h) => h.textContent), 'Kammerton');
      await tapToStart(page);
      await page.waitForFunction(() => window.ovraScreenState().note !== '', { timeout: 20_000 });
      assert.match((await state(page)).frequency_text, /^\d+,\d Hz$/);
      assert.deepEqual(problems, []);
    } finally {
      await browser.close();
    }
  });

  test('draws the same screen as the desktop at twice the size', { skip: !existsSync(desktop) && `no desktop program at ${desktop}` }, async () => {
    const home = mkdtempSync(join(work, 'home-'));
    const desktopShot = join(work, 'desktop.png');
    execFileSync(desktop, ['--screenshot', desktopShot, '--after', '1'], {
      env: { ...process.env, HOME: home, XDG_CONFIG_HOME: join(home, '.config'), QT_QPA_PLATFORM: 'offscreen' },
      stdio: 'ignore',
    });
    const browser = await launch(null);
    try {
      const { page } = await openTuner(browser, url, { width: 320, height: 460, deviceScaleFactor: 2 });
      await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
      const browserShot = await page.screenshot({ encoding: 'base64' });
      const desktopData = readFileSync(desktopShot).toString('base64');
      // Compared in the page's own canvas: no image library needed. The
      // status line is left out (the desktop says "No microphone", the page
      // "Tap to start listening"), and so are the six string names: the
      // same font drawn by Qt and by Chromium differs in its edge pixels.
      const masks = [[10, 410, 116, 42], [24, 211, 28, 130], [268, 211, 28, 130]];
      const result = await page.evaluate(async (a, b, masked) => {
        const load = async (data) => {
          const image = new Image();
          image.src = `data:image/png;base64,${data}`;
          await image.decode();
          const canvas = new OffscreenCanvas(640, 920);
          const g = canvas.getContext('2d');
          g.drawImage(image, 0, 0);
          return g.getImageData(0, 0, 640, 920).data;
        };
        const [pa, pb] = [await load(a), await load(b)];
        const inMask = (x, y) => masked.some(([mx, my, w, h]) => x >= mx * 2 && x < (mx + w) * 2 && y >= my * 2 && y < (my + h) * 2);
        let compared = 0;
        let far = 0;
        let total = 0;
        for (let y = 0; y < 920; y++) {
          for (let x = 0; x < 640; x++) {
            if (inMask(x, y)) continue;
            const i = (y * 640 + x) * 4;
            const d = Math.max(Math.abs(pa[i] - pb[i]), Math.abs(pa[i + 1] - pb[i + 1]), Math.abs(pa[i + 2] - pb[i + 2]));
            total += d;
            compared++;
            if (d > 32) far++;
          }
        }
        return { mean: total / compared, farShare: far / compared };
      }, browserShot, desktopData, masks);
      // Scaling and smoothing differ a little between Qt and the canvas: a
      // level or two on average, and a few edge pixels further off. A
      // missing or misplaced picture moves thousands of pixels by far more.
      console.log(`screen against the desktop: mean ${result.mean.toFixed(2)} levels, ${(result.farShare * 100).toFixed(3)} % beyond 32`);
      assert.ok(result.mean < 3, `mean difference ${result.mean.toFixed(2)} levels`);
      assert.ok(result.farShare < 0.01, `${(result.farShare * 100).toFixed(2)} % of pixels differ by more than 32 levels`);
    } finally {
      await browser.close();
    }
  });
});
