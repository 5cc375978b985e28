// SPDX-License-Identifier: GPL-3.0-or-later
// Puts the browser edition together in one folder a static host serves:
// the page's modules and style, the core (.mjs + .wasm), the skin (layout
// file and pictures), the icons, the translations, and the service worker with the list of
// every file and a version hashed from their contents.
//   node tools/web-site/build-site.mjs BUILD_DIR   (writes BUILD_DIR/site)

import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join, relative } from 'node:path';
import { fileURLToPath } from 'node:url';
import { catalogueToObject } from '../ts-to-json.mjs';

const root = fileURLToPath(new URL('../..', import.meta.url));
const build = process.argv[2];
if (!build) {
  console.error('usage: node tools/web-site/build-site.mjs BUILD_DIR');
  process.exit(2);
}
const site = join(build, 'site');
rmSync(site, { recursive: true, force: true });
mkdirSync(join(site, 'assets'), { recursive: true });
mkdirSync(join(site, 'icons'), { recursive: true });
mkdirSync(join(site, 'i18n'), { recursive: true });

/** @param {string} from @param {string} to */
const copy = (from, to) => copyFileSync(from, join(site, to));

// Type declarations and the service worker's template are not served as such.
const PAGE_FILES = /\.(html|css|js|webmanifest)$/;
for (const file of readdirSync(join(root, 'web'))) {
  if (PAGE_FILES.test(file) && file !== 'core-types.js' && file !== 'sw.js') copy(join(root, 'web', file), file);
}
for (const file of ['ovratuner-core.mjs', 'ovratuner-core.wasm']) copy(join(build, file), file);
for (const file of readdirSync(join(root, 'resources'))) {
  if (file.endsWith('.png') || file === 'general.cfg') copy(join(root, 'resources', file), join('assets', file));
}
const icons = join(root, 'packaging/icons/hicolor');
for (const size of [64, 128, 256, 512]) {
  copy(join(icons, `${size}x${size}/apps/org.ovratuner.OvraTuner.png`), `icons/icon-${size}.png`);
}
copy(join(icons, 'scalable/apps/org.ovratuner.OvraTuner.svg'), 'icons/icon.svg');
copy(join(root, 'LICENSE'), 'LICENSE.txt');

// The desktop's catalogues, as the page looks texts up.
const languages = [];
for (const file of readdirSync(join(root, 'translations')).sort()) {
  const match = /^ovratuner_(\w+)\.ts$/.exec(file);
  if (!match) continue;
  const catalogue = catalogueToObject(readFileSync(join(root, 'translations', file), 'utf8'));
  writeFileSync(join(site, 'i18n', `${match[1]}.json`), JSON.stringify(catalogue));
  languages.push(match[1]);
}
writeFileSync(join(site, 'i18n', 'languages.json'), JSON.stringify(languages));

/** @param {string} dir @returns {string[]} */
const walk = (dir) => readdirSync(dir, { withFileTypes: true }).flatMap((entry) =>
  entry.isDirectory() ? walk(join(dir, entry.name)) : [join(dir, entry.name)]);
const files = walk(site).map((file) => relative(site, file)).sort();
const hash = createHash('sha256');
for (const file of files) hash.update(file).update(readFileSync(join(site, file)));
const version = hash.digest('hex').slice(0, 12);

// Pictures come at one density per screen: the page names those it uses
// once the worker runs, so a phone never downloads both sets.
const precached = files.filter((file) => !file.endsWith('.png') && !file.startsWith('icons/') && file !== 'LICENSE.txt');
const worker = readFileSync(join(root, 'web/sw.js'), 'utf8')
  .replace("const VERSION = 'dev';", `const VERSION = '${version}';`)
  .replace('const FILES = [];', `const FILES = ${JSON.stringify(['./', ...precached])};`);
if (!worker.includes(version)) throw new Error('web/sw.js no longer has the VERSION line to fill in');
writeFileSync(join(site, 'sw.js'), worker);
console.log(`site: ${site} (${files.length} files, ${precached.length} precached, version ${version})`);
