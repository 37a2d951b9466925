#!/usr/bin/env python3
"""What the site asks of a browser: a WebAssembly 1.0 module, without the
later features (exception handling among them) that older phone browsers
lack, scripts in the JavaScript of 2017, and the page's own inline ones,
which run before the program, in ES5."""

import glob
import html.parser
import os
import subprocess
import tempfile
import unittest

SITE = os.environ.get("RONGXI_SITE", "build-web/site")


class InlineScripts(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.scripts = []
        self._inside = False

    def handle_starttag(self, tag, attributes):
        self._inside = tag == "script" and "src" not in dict(attributes)
        if self._inside:
            self.scripts.append("")

    def handle_endtag(self, tag):
        self._inside = False

    def handle_data(self, data):
        if self._inside:
            self.scripts[-1] += data


class LanguageLevel(unittest.TestCase):
    def test_module_is_webassembly_1_0(self):
        [module] = glob.glob(os.path.join(SITE, "*.wasm"))
        result = subprocess.run(["wasm-opt", "--mvp-features", module, "-o", os.devnull],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_scripts_are_ecmascript_2017(self):
        with open(os.path.join(SITE, "index.html"), encoding="utf-8") as f:
            page = InlineScripts()
            page.feed(f.read())
        self.assertTrue(page.scripts)
        with tempfile.TemporaryDirectory() as scratch:
            scripts = sorted(glob.glob(os.path.join(SITE, "*.js")))
            for index, script in enumerate(page.scripts):
                scripts.append(os.path.join(scratch, f"index.html-{index}.js"))
                with open(scripts[-1], "w", encoding="utf-8") as f:
                    f.write(script)
            for script in scripts:
                # What the page runs before the program, plain ES5: it must
                # run where the program cannot.
                level = "--ecma5" if "index.html-" in script else "--ecma2017"
                with self.subTest(script=os.path.basename(script)):
                    result = subprocess.run(["acorn", level, "--silent", script],
                                            capture_output=True, text=True)
                    self.assertEqual(result.returncode, 0, result.stdout + result.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
