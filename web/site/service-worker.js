// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the page's files so that, once visited, Arcadeon starts with no
// network and at once. One cache holds one build, named by the build's
// content: it is filled whole when this worker installs, each file checked
// against the digest the build wrote for it, and the page is served from it
// alone, so a page never runs one build's script with another's program.
// A new build is fetched in the background and taken at the next visit;
// the caches of older builds are then deleted.
'use strict';

// This build's name, written by the build (cmake/site-version.cmake): the
// first 16 hexadecimal digits of the SHA-256 of files.txt. Unbuilt, the
// worker matches no list and keeps nothing.
const BUILD = 'unbuilt';
const PREFIX = 'arcadeon-';
const CACHE = PREFIX + BUILD;
// Every file of the page, "SHA-256 FILE" a line, relative to it.
const LIST = 'files.txt';
// How long a request that is not one of the build's files may wait for the
// network before an older copy, if any, is served instead.
const STALL_MS = 4000;

const hex = (buffer) => [...new Uint8Array(buffer)].map((b) => b.toString(16).padStart(2, '0')).join('');
const sha256 = async (buffer) => hex(await crypto.subtle.digest('SHA-256', buffer));

// The answer to `url` fetched with `cache` (a Request's cache mode); a
// failure when it is not a whole, successful answer.
async function fetchOk(url, cache) {
  const response = await fetch(new Request(url, { cache }));
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  return response;
}
// The network's answer, bypassing the browser's own cache.
const fetchFresh = (url) => fetchOk(url, 'no-store');
// The browser's own copy when it has a fresh one, else the network's.
const fetchCached = (url) => fetchOk(url, 'default');

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const list = await (await fetchFresh(LIST)).arrayBuffer();
    // The list served must be this build's, or the server has moved on to
    // another build since this worker was fetched: this one is not kept.
    if ((await sha256(list)).slice(0, BUILD.length) !== BUILD) {
      throw new Error(`${LIST} is not build ${BUILD}'s`);
    }
    const files = new TextDecoder().decode(list).split('\n').filter((line) => line !== '')
      .map((line) => { const at = line.indexOf(' '); return { digest: line.slice(0, at), name: line.slice(at + 1) }; });
    // Each file as the browser has it, when that is this build's: the page
    // fetched it a moment ago, so a first visit sends it once. Otherwise
    // from the network.
    const kept = await Promise.all(files.map(async ({ digest, name }) => {
      for (const fetchIt of [fetchCached, fetchFresh]) {
        const response = await fetchIt(name);
        const body = await response.arrayBuffer();
        if (await sha256(body) === digest) return { name, body, headers: response.headers };
      }
      throw new Error(`${name} is not build ${BUILD}'s`);
    }));
    // Only a build fetched whole and checked goes into its cache; the page
    // itself also under the folder's own address.
    const cache = await caches.open(CACHE);
    await Promise.all(kept.flatMap(({ name, body, headers }) => {
      const urls = [new URL(name, self.registration.scope).href];
      if (name === 'index.html') urls.push(self.registration.scope);
      return urls.map((url) => cache.put(url, new Response(body, { headers })));
    }));
  })());
});

// Older builds' caches go, and the cache of the worker before builds had
// caches of their own ('arcadeon').
self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    const names = await caches.keys();
    await Promise.all(names.filter((name) => (name.startsWith(PREFIX) && name !== CACHE) || name === 'arcadeon')
      .map((name) => caches.delete(name)));
    await self.clients.claim();
  })());
});

// The network, or nothing once `ms` have passed.
function fetchWithin(request, ms) {
  const controller = new AbortController();
  const timer = setTimeout(() => controller.abort(), ms);
  return fetch(request, { signal: controller.signal }).finally(() => clearTimeout(timer));
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const kept = await cache.match(request, { ignoreSearch: true });
    if (kept) return kept;
    // Not one of this build's files: the network, or any copy kept when it
    // fails or stalls.
    try {
      return await fetchWithin(request, STALL_MS);
    } catch (error) {
      const older = await caches.match(request, { ignoreSearch: true });
      if (older) return older;
      throw error;
    }
  })());
});
