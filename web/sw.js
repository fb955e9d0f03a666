// The page's service worker: it keeps this build's files, every one the page loads, and answers
// from them, so that the page plays without a network. The build writes in its name and each
// file's SHA-256 (web/StampSite.cmake); a file that the server now sends with other bytes belongs
// to another build and fails the install, so the cache is always one build, whole.
const BUILD = "@NUIKARO_BUILD@";
const FILES = {
@NUIKARO_FILE_DIGESTS@
};
const CACHE = "nuikaro-" + BUILD;
const FOLDER = new URL("./", self.location).pathname;

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (b) => b.toString(16).padStart(2, "0")).join("");
}

async function keep(cache, name) {
  const response = await fetch(name, {cache: "no-cache"});
  if (!response.ok) throw new Error(name + ": HTTP " + response.status);
  const digest = hex(await crypto.subtle.digest("SHA-256", await response.clone().arrayBuffer()));
  if (digest !== FILES[name]) throw new Error(name + ": not the bytes of build " + BUILD);
  await cache.put(name, response);
}

self.addEventListener("install", (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    try {
      await Promise.all(Object.keys(FILES).map((name) => keep(cache, name)));
    } catch (error) {
      await caches.delete(CACHE);
      throw error;
    }
  })());
});

// A new build waits until the page it would replace has loaded all it needs; the page says so.
self.addEventListener("message", (event) => {
  if (event.data === "take-over") self.skipWaiting();
});

self.addEventListener("activate", (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith("nuikaro-") && name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

self.addEventListener("fetch", (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== "GET" || url.origin !== self.location.origin ||
      !url.pathname.startsWith(FOLDER)) {
    return;
  }
  const name = url.pathname.slice(FOLDER.length) || "index.html";
  if (!(name in FILES)) return;  // not this build's: the network as usual
  event.respondWith((async () => {
    const kept = await (await caches.open(CACHE)).match(name);
    return kept || fetch(event.request);
  })());
});
