// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the page's files so that, once visited, Arcadeon starts with no
// network. Each file is asked of the network first and kept as it comes; the
// kept copy serves only when the network fails: a new build served is the
// one played, and no build is ever half old, half new while online.
'use strict';

const CACHE = 'arcadeon';
// Every file of the page, one a line, relative to it (written by the build).
const LIST = 'files.txt';

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    const response = await fetch(LIST, { cache: 'no-cache' });
    const files = response.ok ? (await response.text()).split('\n').filter((line) => line !== '') : [];
    await cache.addAll(['./', ...files].map((file) => new Request(file, { cache: 'no-cache' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil(self.clients.claim());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    try {
      const response = await fetch(request, { cache: 'no-cache' });
      if (response.ok) await cache.put(request, response.clone());
      return response;
    } catch (error) {
      const kept = await cache.match(request, { ignoreSearch: true });
      if (kept) return kept;
      throw error;
    }
  })());
});
