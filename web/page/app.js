// The page as an app: a service worker (sw.js, written by the build with the build's files and
// their digests) keeps every file the page loads, so that it plays without a network after one
// visit. It is registered only once the game shows, so that it never slows the first load. A
// new build's worker waits until this page has everything it needs, then takes over and drops
// the old files: the next visit is the new build, whole.
function registerWorker() {
  if (!("serviceWorker" in navigator) || !window.isSecureContext) return;
  const takeOver = (worker) => { if (worker) worker.postMessage("take-over"); };
  navigator.serviceWorker.register("sw.js", {updateViaCache: "none"}).then((registration) => {
    takeOver(registration.waiting);
    registration.addEventListener("updatefound", () => {
      const worker = registration.installing;
      worker.addEventListener("statechange", () => {
        if (worker.state === "installed") takeOver(worker);
      });
    });
  }).catch((error) => console.warn("ぬいかろ: no offline play: " + error.message));
}
