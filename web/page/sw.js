// Offline: every file of the page is cached on install and served from the cache; a
// fresh copy is fetched behind it, for the next visit. Nothing is fetched from elsewhere.
'use strict';
const CACHE = 'quillmere-@QUILLMERE_WEB_STAMP@';
const FILES = ['./', 'index.html', 'quillmere_core.js', 'quillmere_core.wasm',
  'manifest.webmanifest', 'icon.svg', 'icon-192.png', 'icon-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k !== CACHE).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== self.location.origin) {
    return;
  }
  event.respondWith(caches.open(CACHE).then(async (cache) => {
    const cached = await cache.match(event.request, { ignoreSearch: true });
    const fresh = fetch(event.request).then((response) => {
      if (response.ok) {
        cache.put(event.request, response.clone());
      }
      return response;
    });
    if (cached) {
      fresh.catch(() => {}); // offline: the cached copy stands
      return cached;
    }
    return fresh;
  }));
});
