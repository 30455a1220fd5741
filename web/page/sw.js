// Offline: every file of the page is cached on install and served from the cache. A new
// build comes as a new worker (its cache is named after the files' contents), which
// caches the whole site afresh; files are never updated one by one, so the core's script
// and its WebAssembly always come from the same build. Nothing is fetched from elsewhere.
'use strict';
const CACHE = 'quillmere-@QUILLMERE_WEB_STAMP@';
const FILES = [@QUILLMERE_WEB_FILES@];

self.addEventListener('install', (event) => {
  // Past the browser's HTTP cache, which may still hold files of the build before.
  const fresh = FILES.map((file) => new Request(file, { cache: 'reload' }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(fresh)).then(() => self.skipWaiting()));
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
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached || fetch(event.request)));
});
