// SPDX-License-Identifier: GPL-3.0-or-later
// Prepended to the core's ES module (--extern-pre-js). Under node,
// emscripten 3.1.6's module output still calls the CommonJS `require` and
// reads `__dirname`, which an ES module does not have; these give it both.
// In a browser they stay undefined and are never read.
let require;
let __dirname;
if (typeof process === 'object' && process.versions && process.versions.node) {
  const { createRequire } = await import('node:module');
  const { fileURLToPath } = await import('node:url');
  require = createRequire(import.meta.url);
  __dirname = fileURLToPath(new URL('.', import.meta.url));
}
