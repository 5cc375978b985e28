// SPDX-License-Identifier: GPL-3.0-or-later
// A static server for the built site on loopback (a secure context for the
// microphone without certificates). Used by scripts/web.sh and the browser
// tests; a real deployment uses any HTTPS static host.
//   node tools/web-site/serve.mjs SITE_DIR [PORT]   (default 8080; 0 picks one)

import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.cfg': 'text/plain; charset=utf-8',
  '.txt': 'text/plain; charset=utf-8',
  '.webmanifest': 'application/manifest+json',
};

/**
 * Serves `root` on 127.0.0.1; resolves to the listening server.
 * @param {string} root
 * @param {number} port
 * @returns {Promise<import('node:http').Server>}
 */
export function serveSite(root, port) {
  const base = normalize(root + sep);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url ?? '/', 'http://localhost').pathname);
    const file = normalize(join(base, path.endsWith('/') ? `${path}index.html` : path));
    if (!file.startsWith(base)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': TYPES[/** @type {keyof TYPES} */ (extname(file))] ?? 'application/octet-stream',
        'Cache-Control': 'no-cache',
      });
      response.end(body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
    }
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => resolve(server));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [root, port = '8080'] = process.argv.slice(2);
  if (!root) {
    console.error('usage: node tools/web-site/serve.mjs SITE_DIR [PORT]');
    process.exit(2);
  }
  const server = await serveSite(root, Number(port));
  const address = server.address();
  const actual = typeof address === 'object' && address ? address.port : port;
  console.log(`OvraTuner is served at http://127.0.0.1:${actual}/ (Ctrl+C stops)`);
}
