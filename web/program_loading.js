// How the program's WebAssembly arrives: fetched, then compiled. A download
// that fails (no network, an error from the host) shows the page's notice
// with a link that tries again; a module this browser cannot compile has
// the page loaded again with the program as JavaScript, keeping the page's
// query and fragment (share links carry both). Once the program runs, a
// service worker keeps the site for use without a network: registered only
// then, it finds every file in the browser's HTTP cache and asks the host
// only whether each changed.
(() => {
  const standIn = document.querySelector('script[src="rongxi.wasm.js"]') !== null;
  if (!standIn) {
    Module["instantiateWasm"] = (imports, receive) => {
      fetch("rongxi.wasm", {credentials: "same-origin"})
        .then((answer) => {
          if (!answer.ok) throw new Error(`HTTP ${answer.status}`);
          return answer.arrayBuffer();
        })
        .then((bytes) => WebAssembly.instantiate(bytes, imports).then(
          (result) => receive(result.instance, result.module),
          () => window.rongxiPage.runAsJavaScript()),
        () => window.rongxiPage.downloadFailed());
      return {};
    };
  }
  Module["postRun"] = [() => {
    // What the user did before the program ran, now that it listens.
    window.rongxiEarly.replay();
    if ("serviceWorker" in navigator) navigator.serviceWorker.register("service-worker.js");
  }];
})();
