// SPDX-License-Identifier: GPL-3.0-or-later
// The browser edition's sizes and speed, printed as a table (nothing is
// asserted): what a phone downloads on its first visit, what the service
// worker keeps, the .wasm, the time from navigation to the first drawn
// frame in headless Chromium, and the CPU while listening to a recording,
// beside the desktop program listening to the same recording.
//   node bench/web/web_bench.mjs   (after scripts/web.sh --build and a
//   default build; scripts/bench-web.sh does both)

import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, statSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { fileURLToPath } from 'node:url';
import { serveSite } from '../../tools/web-site/serve.mjs';

const root = fileURLToPath(new URL('../..', import.meta.url));
const puppeteer = createRequire(join(root, 'web/package.json'))('puppeteer-core');
const site = join(root, 'build-web/site');
const desktop = join(root, 'build/src/app/ovratuner');
const work = mkdtempSync(join(tmpdir(), 'ovra-bench-'));
const LISTEN_SECONDS = 20;
const LOADS = 5;
const TICKS = 100; // clock ticks per second of /proc's CPU times

const wav8k = join(root, 'examples/a2-110hz.wav');
const wav48k = join(work, 'a2-48k.wav');
// Long enough to listen to without the file ending: the recording repeated.
execFileSync('sox', [wav8k, '-r', '48000', '-b', '16', wav48k, 'repeat', '20']);

const kib = (bytes) => `${(bytes / 1024).toFixed(0)} KiB`;

/** CPU seconds used so far by a process and its children's threads. */
function cpuSeconds(pids) {
  let ticks = 0;
  for (const pid of pids) {
    try {
      const fields = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      ticks += Number(fields[11]) + Number(fields[12]); // utime, stime
    } catch {
      // gone
    }
  }
  return ticks / TICKS;
}

/** Every process below `pid`, itself included. */
function processTree(pid) {
  const children = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const parent = Number(readFileSync(`/proc/${entry}/stat`, 'utf8').split(') ')[1].split(' ')[1]);
      children.set(parent, [...(children.get(parent) ?? []), Number(entry)]);
    } catch {
      // gone
    }
  }
  const all = [pid];
  for (let i = 0; i < all.length; i++) all.push(...(children.get(all[i]) ?? []));
  return all;
}

async function launch(wav) {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    userDataDir: mkdtempSync(join(work, 'profile-')),
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--use-fake-ui-for-media-stream',
      '--use-fake-device-for-media-stream', `--use-file-for-fake-audio-capture=${wav}`],
  });
}

const server = await serveSite(site, 0);
const url = `http://127.0.0.1:${server.address().port}/`;
const rows = [];

// First visit on a phone (390 x 844 points, two pixels a point).
{
  const browser = await launch(wav48k);
  const page = await browser.newPage();
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 2 });
  let transferred = 0;
  const client = await page.createCDPSession();
  await client.send('Network.enable');
  client.on('Network.loadingFinished', (event) => { transferred += event.encodedDataLength; });
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.state === 'ready');
  await page.evaluate(() => navigator.serviceWorker.ready);
  await new Promise((r) => setTimeout(r, 1500)); // the worker caches the pictures named
  const cached = await page.evaluate(async () => {
    let bytes = 0;
    let files = 0;
    for (const key of await caches.keys()) {
      const cache = await caches.open(key);
      for (const request of await cache.keys()) {
        bytes += (await (await cache.match(request)).arrayBuffer()).byteLength;
        files++;
      }
    }
    return { bytes, files };
  });
  rows.push(['page transfer, first visit (phone, @2x)', kib(transferred)]);
  rows.push(['service worker cache after it', `${kib(cached.bytes)} in ${cached.files} files`]);
  await browser.close();
}

const wasm = readFileSync(join(site, 'ovratuner-core.wasm'));
rows.push(['ovratuner-core.wasm', `${kib(wasm.length)} (${kib(gzipSync(wasm).length)} gzipped)`]);
const siteBytes = readdirSync(site, { recursive: true })
  .map((file) => statSync(join(site, String(file))))
  .filter((s) => s.isFile()).reduce((sum, s) => sum + s.size, 0);
rows.push(['whole site (both picture sets)', kib(siteBytes)]);

// Navigation to the first drawn frame, a fresh profile each time.
{
  const times = [];
  for (let i = 0; i < LOADS; i++) {
    const browser = await launch(wav48k);
    const page = await browser.newPage();
    await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 2 });
    await page.goto(url);
    await page.waitForFunction(() => performance.getEntriesByName('ovra-first-frame').length > 0);
    times.push(await page.evaluate(() => performance.getEntriesByName('ovra-first-frame')[0].startTime));
    await browser.close();
  }
  times.sort((a, b) => a - b);
  rows.push([`first frame after navigation (median of ${LOADS}, cold)`, `${times[Math.floor(LOADS / 2)].toFixed(0)} ms`]);
}

// CPU while listening: the whole browser against the desktop program.
{
  const browser = await launch(wav48k);
  const page = await browser.newPage();
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 2 });
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.state === 'ready');
  await page.keyboard.press('m');
  await page.waitForFunction(() => window.ovraScreenState().meter_bright, { timeout: 20_000 });
  const pids = processTree(browser.process().pid);
  const before = cpuSeconds(pids);
  await new Promise((r) => setTimeout(r, LISTEN_SECONDS * 1000));
  const used = cpuSeconds(pids) - before;
  const heard = await page.evaluate(() => window.ovraScreenState());
  rows.push([`browser CPU while listening (all Chromium processes, ${heard.sample_rate} Hz)`,
    `${((used / LISTEN_SECONDS) * 100).toFixed(1)} % of a core`]);
  await browser.close();
}
{
  const home = mkdtempSync(join(work, 'home-'));
  const app = spawn(desktop, ['--input', wav8k, '--loop'], {
    env: { ...process.env, HOME: home, XDG_CONFIG_HOME: join(home, '.config'), QT_QPA_PLATFORM: 'offscreen' },
    stdio: 'ignore',
  });
  await new Promise((r) => setTimeout(r, 3000));
  const before = cpuSeconds([app.pid]);
  await new Promise((r) => setTimeout(r, LISTEN_SECONDS * 1000));
  const used = cpuSeconds([app.pid]) - before;
  app.kill('SIGTERM');
  rows.push(['desktop CPU on the same recording (offscreen)', `${((used / LISTEN_SECONDS) * 100).toFixed(1)} % of a core`]);
}
server.close();

const width = Math.max(...rows.map(([name]) => name.length));
for (const [name, value] of rows) console.log(`${name.padEnd(width)}  ${value}`);
