// New versions: the service worker keeps the site; a new version waits
// while this page is open, and the player is offered a reload into it.
import { $ } from "./dom.js";

const updates = { registration: null, controller: null, offered: false };

// A version waits only while an older one is active, so there is always a
// version to reload from. The first version passes through waiting on its
// way to active with no older one: that is no new version to offer. A
// player who reloads the page while one waits gets it straight away: the
// reload already says what the bar would ask.
function offerUpdate() {
  const waiting = updates.registration.waiting;
  if (!waiting || !updates.registration.active) return;
  const [navigation] = performance.getEntriesByType("navigation");
  if (navigation && navigation.type === "reload" && !updates.offered) waiting.postMessage("take-over");
  else $("update_bar").hidden = false;
  updates.offered = true;
}

function watchForUpdates() {
  if (!("serviceWorker" in navigator)) return;
  updates.controller = navigator.serviceWorker.controller;
  // A version that takes over from another while this page is open came from
  // the player's choice here or in another tab: this page reloads rather than
  // mix versions. The first version taking charge of the first visit is no
  // change of version.
  navigator.serviceWorker.addEventListener("controllerchange", () => {
    const before = updates.controller;
    updates.controller = navigator.serviceWorker.controller;
    if (before) window.location.reload();
  });
  $("update_reload").addEventListener("click", () => {
    const waiting = updates.registration && updates.registration.waiting;
    if (waiting) waiting.postMessage("take-over");
    else window.location.reload();
  });
  // The worker and the list it imports are always checked with the host.
  navigator.serviceWorker.register("sw.js", { updateViaCache: "none" }).then((registration) => {
    updates.registration = registration;
    offerUpdate();
    registration.addEventListener("updatefound", () => {
      const worker = registration.installing;
      worker.addEventListener("statechange", () => { if (worker.state === "installed") offerUpdate(); });
    });
  }).catch(() => {});
}

export { updates, watchForUpdates };
