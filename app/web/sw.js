// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Keeps a copy of every file of the site, so that after one visit the
// calculator works with the network gone. While the network answers, its
// files are taken (and the copy renewed), so a new release shows at once.
'use strict';

const CACHE = 'vesk-site';
const FILES = ['./', 'index.html', 'vesk.css', 'vesk.js', 'vesk.wasm',
  'manifest.webmanifest', 'icon-192.png', 'icon-512.png', 'logo.bmp'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(self.clients.claim());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request).then((response) => {
    if (response.ok) {
      const copy = response.clone();
      event.waitUntil(caches.open(CACHE).then((cache) => cache.put(request, copy)));
    }
    return response;
  }).catch(() => caches.match(request, { ignoreSearch: true }).then((kept) => kept || Response.error())));
});
