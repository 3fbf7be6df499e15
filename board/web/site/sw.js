// Keeps the whole site on the first visit, so the game starts with the
// network off from then on. precache.js, written by the build, lists every
// file of the site with a version that changes whenever one of them does.
//
// A new version waits while a page of the old one is open, so no page ever
// mixes the files of two versions: the page offers a reload, and the new
// version takes over by itself once no page of the old one is left. Should
// it take over while pages are open (one of them chose to reload), the
// others reload too.
"use strict";
importScripts("precache.js");

const CACHE = `quarrow-${self.PRECACHE_VERSION}`;

self.addEventListener("install", (event) => {
  // A static host lets the browser keep files for days on their dates
  // alone: every file is fetched from the host itself, never from that cache.
  const requests = self.PRECACHE_FILES.map((file) => new Request(file, { cache: "reload" }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)));
});

// The player chose to reload into the new version.
self.addEventListener("message", (event) => {
  if (event.data === "take-over") self.skipWaiting();
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The site's own files from the cache, anything else from the network.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((hit) => hit || fetch(event.request)));
});
