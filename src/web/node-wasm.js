// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the core's module factory (--pre-js, where _scriptDir is the
// module's own URL). Under node the .wasm beside the module is read from
// disk: emscripten 3.1.6 would otherwise try fetch() on a file path, which
// node's fetch refuses. Plain older syntax: emscripten's minifier reads this.
if (typeof process === 'object' && process.versions && process.versions.node &&
    !Module['wasmBinary']) {
  Module['wasmBinary'] = require('fs').readFileSync(new URL('ovratuner-core.wasm', _scriptDir));
}
