// SPDX-License-Identifier: GPL-3.0-or-later
// Offline use: the page, the core and the layout are cached at
// installation, the pictures the page draws when it names them (one
// density per screen), and anything else fetched on the way; requests are
// answered from the cache first, so after one visit the tuner opens with no
// network. The build writes the file list and the version (a hash of the
// files), so a new build replaces the old cache.

const VERSION = 'dev';
/** @type {string[]} */
const FILES = [];
const CACHE = `ovratuner-${VERSION}`;

const worker = /** @type {ServiceWorkerGlobalScope} */ (/** @type {unknown} */ (self));

worker.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => worker.skipWaiting()));
});

worker.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((keys) => Promise.all(keys.filter((key) => key.startsWith('ovratuner-') && key !== CACHE)
        .map((key) => caches.delete(key))))
      .then(() => worker.clients.claim()),
  );
});

worker.addEventListener('message', (event) => {
  const urls = event.data?.cache;
  if (!Array.isArray(urls)) return;
  const own = urls.filter((url) => typeof url === 'string' && new URL(url, worker.location.href).origin === worker.location.origin);
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(own)).catch(() => {}));
});

/** @param {Request} request */
async function cacheFirst(request) {
  const cached = await caches.match(request, { ignoreSearch: true });
  if (cached) return cached;
  const response = await fetch(request);
  if (response.ok) {
    const copy = response.clone();
    caches.open(CACHE).then((cache) => cache.put(request, copy)).catch(() => {});
  }
  return response;
}

worker.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== worker.location.origin) return;
  event.respondWith(cacheFirst(request));
});
