"""The web page's size and its time to the first rows, in headless Chromium.

Size: each file of the site compressed with gzip -9, summed (target: at most
64 KiB) without the program as JavaScript (*.wasm.js), which only browsers
without WebAssembly fetch; its size is printed beside. Time: from the start of the navigation until the window is ready
(its controls built, the focus in the first box), then from the first press
of 杀垃圾 until the six rows are in their boxes, both timed inside the page;
their sum is the time to the first rows without the user's typing (target:
under 1 s). Measured on a first visit and on visits served by the service
worker, with the CPU as it is and slowed 4 times, as a phone's is.

  python3 bench/web_startup.py build-web/site
"""

import gzip
import os
import statistics
import sys

from support.chromium import Chromium
from support.site_server import SiteServer

ROUNDS = int(os.environ.get("ROUNDS", "20"))
FIRST_VISITS = 5
SIZE_TARGET = 64 * 1024
TIME_TARGET_MS = 1000

# Installed before the page's own scripts: the moment the focus lands in
# Text1 is the moment the window is ready; a click listener on the document
# runs before the window's, one on the window object after it.
TIMING = """
window.__ready = null;
document.addEventListener("focusin", (event) => {
  if (event.target.id === "Text1" && window.__ready === null) window.__ready = performance.now();
}, true);
document.addEventListener("click", () => { window.__pressed = performance.now(); }, true);
window.addEventListener("click", () => { window.__rows = performance.now(); });
"""


def site_size(folder):
    sizes = {}
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), "rb") as f:
            sizes[name] = len(gzip.compress(f.read(), compresslevel=9, mtime=0))
    return sizes


def first_rows(browser, url, reload):
    if reload:
        browser.reload()
    else:
        browser.open(url)
    browser.type("123")
    browser.click("Command1")
    browser.wait_until("document.getElementById('Text9').value !== ''")
    ready, pressed, rows = browser.evaluate("[window.__ready, window.__pressed, window.__rows]")
    return ready, rows - pressed


def report(label, samples, judged):
    ready = [r for r, _ in samples]
    compute = [c for _, c in samples]
    total = statistics.median(r + c for r, c in samples)
    verdict = ""
    if judged:
        verdict = f"  ({'within' if total < TIME_TARGET_MS else 'OVER'} the {TIME_TARGET_MS} ms target)"
    print(f"  {label:<32} ready {statistics.median(ready):7.1f} ms   rows "
          f"{statistics.median(compute):5.1f} ms   first rows {total:7.1f} ms{verdict}")


def browser(slowdown):
    chromium = Chromium()
    chromium.call("Page.addScriptToEvaluateOnNewDocument", source=TIMING)
    chromium.call("Emulation.setCPUThrottlingRate", rate=slowdown)
    return chromium


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "build-web/site"
    sizes = site_size(folder)
    print("Site size, each file gzip -9:")
    for name, size in sizes.items():
        print(f"  {name:<24} {size:7d} bytes")
    fallback = sum(size for name, size in sizes.items() if name.endswith(".wasm.js"))
    total = sum(sizes.values()) - fallback
    verdict = "within" if total <= SIZE_TARGET else "OVER"
    print(f"  {'total with WebAssembly':<24} {total:7d} bytes = {total / 1024:.1f} KiB "
          f"({verdict} the {SIZE_TARGET // 1024} KiB target)")
    print(f"  {'without WebAssembly':<24} {total + fallback - sizes.get('rongxi.wasm', 0):7d} "
          "bytes (the program as JavaScript in place of rongxi.wasm)")

    print(f"\nNavigation to first rows in headless Chromium (medians of {FIRST_VISITS} first "
          f"visits, each in a new profile, and of {ROUNDS} visits from the service worker's "
          "cache); the target is for this machine's CPU:")
    server = SiteServer(folder)
    try:
        for slowdown in (1, 4):
            cpu = "CPU as it is" if slowdown == 1 else f"CPU slowed {slowdown}x"
            first = []
            for _ in range(FIRST_VISITS):
                with browser(slowdown) as chromium:
                    first.append(first_rows(chromium, server.url, False))
            report(f"first visit, {cpu}", first, slowdown == 1)
            with browser(slowdown) as chromium:
                chromium.open(server.url)
                chromium.wait_until("navigator.serviceWorker.controller !== null")
                report(f"later visits, {cpu}",
                       [first_rows(chromium, server.url, True) for _ in range(ROUNDS)],
                       slowdown == 1)
    finally:
        server.stop()


if __name__ == "__main__":
    main()
