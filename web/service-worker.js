// Keeps the page's files in the browser, so that it opens with no network.
// A new version of the page comes with a new cache name.
'use strict';
const cacheName = 'vcurve-field-1.0.0';
const files = ['./', 'index.html', 'field.css', 'field.js', 'vcurve-engine.js',
  'manifest.webmanifest', 'icon.svg'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files)));
  self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(
    names.filter((name) => name !== cacheName).map((name) => caches.delete(name)))));
});

self.addEventListener('fetch', (event) => {
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((kept) => kept || fetch(event.request)));
});
