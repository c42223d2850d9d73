// Keeps the lesson usable offline: every file of the site is cached on install.
// The build writes FILES and VERSION: a new build changes VERSION, or pupils keep the old files.
const VERSION = "water-1";
const FILES = ["./"];

self.addEventListener("install", (e) => {
  e.waitUntil(caches.open(VERSION).then((c) => c.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (e) => {
  e.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k !== VERSION).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (e) => {
  const req = e.request;
  if (req.method !== "GET" || new URL(req.url).origin !== location.origin) return;
  // "?scale=2" and "?lesson=inverse" are the same page.
  const nav = req.mode === "navigate";
  e.respondWith(caches.match(req, { ignoreSearch: nav, cacheName: VERSION })
    .then((hit) => hit || fetch(req)));
});
