"""Lighthouse's scores for the web page, served as a static host serves it
(tests/support/site_server.py): its default mobile form factor (a mid-range
phone on slow 4G, the CPU slowed four times) with Debian's Chromium, three
runs, the median of each figure (target: 100 in every category, the
largest paint at most 1.2 s).

  python3 bench/lighthouse.py build-web/site
"""

import json
import os
import statistics
import subprocess
import sys
import tempfile

from support.chromium import CHROMIUM
from support.site_server import SiteServer

HERE = os.path.dirname(os.path.abspath(__file__))
LIGHTHOUSE = os.path.join(HERE, "lighthouse", "node_modules", ".bin", "lighthouse")
RUNS = 3
CATEGORIES = ("performance", "accessibility", "best-practices", "seo")
LARGEST_PAINT_TARGET_MS = 1200
FLAGS = ("--headless=new --no-sandbox --disable-gpu --disable-background-networking "
         "--disable-component-update --disable-sync --no-first-run")


def run(url, report):
    subprocess.run([LIGHTHOUSE, url, "--quiet", "--output=json", f"--output-path={report}",
                    f"--chrome-flags={FLAGS}"], check=True,
                   env={**os.environ, "CHROME_PATH": CHROMIUM})
    with open(report, encoding="utf-8") as f:
        result = json.load(f)
    audits = result["audits"]
    return ([round(result["categories"][name]["score"] * 100) for name in CATEGORIES],
            audits["largest-contentful-paint"]["numericValue"],
            audits["total-blocking-time"]["numericValue"])


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "build-web/site"
    server = SiteServer(folder)
    try:
        with tempfile.TemporaryDirectory() as scratch:
            runs = [run(server.url, os.path.join(scratch, f"{n}.json")) for n in range(RUNS)]
    finally:
        server.stop()
    print(f"Lighthouse {RUNS} runs, mobile (slow 4G, CPU slowed 4x), medians:")
    for index, name in enumerate(CATEGORIES):
        print(f"  {name:<16} {statistics.median(r[0][index] for r in runs):5.0f}"
              f"   (runs: {', '.join(str(r[0][index]) for r in runs)})")
    paint = statistics.median(r[1] for r in runs)
    verdict = "within" if paint <= LARGEST_PAINT_TARGET_MS else "OVER"
    print(f"  largest paint    {paint:5.0f} ms ({verdict} the {LARGEST_PAINT_TARGET_MS} ms target)")
    print(f"  blocked time     {statistics.median(r[2] for r in runs):5.0f} ms")


if __name__ == "__main__":
    main()
