#!/usr/bin/env python3
"""The page against the oldest browsers it supports (the browserslist in
tests/web/floor/package.json: iOS and Safari 12, Chrome and Android's web
view 61): its scripts by eslint-plugin-compat, its style sheet by
stylelint-no-unsupported-browser-features, and the browser calls the program
makes by name from C++, which neither sees, against MDN's compatibility
data. The tools come from the npm registry at the versions the lock file
pins, installed into the build folder."""

import os
import shutil
import subprocess
import tempfile
import unittest

from language_level_test import InlineScripts

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "..", "..")
SITE = os.environ.get("RONGXI_SITE", "build-web/site")
TOOLS = os.environ.get("RONGXI_FLOOR_TOOLS", "build-web/floor")


def run(command, cwd):
    return subprocess.run(command, cwd=cwd, capture_output=True, text=True)


class Floor(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(TOOLS, ignore_errors=True)
        shutil.copytree(os.path.join(HERE, "floor"), TOOLS,
                        ignore=shutil.ignore_patterns("node_modules"))
        installed = run(["npm", "ci", "--no-audit", "--no-fund", "--loglevel=error"], TOOLS)
        if installed.returncode != 0:
            raise RuntimeError(installed.stdout + installed.stderr)

    def tool(self, name):
        return os.path.join(os.path.abspath(TOOLS), "node_modules", ".bin", name)

    def test_scripts_call_nothing_the_oldest_browsers_lack(self):
        with tempfile.TemporaryDirectory() as scratch:
            for script in (os.path.join(SOURCE, "web", "program_loading.js"),
                           os.path.join(SOURCE, "web", "browser_calls.js"),
                           os.path.join(SITE, "service-worker.js")):
                shutil.copy(script, scratch)
            with open(os.path.join(SITE, "index.html"), encoding="utf-8") as f:
                page = InlineScripts()
                page.feed(f.read())
            for index, script in enumerate(page.scripts):
                with open(os.path.join(scratch, f"index-{index}.js"), "w", encoding="utf-8") as f:
                    f.write(script)
            result = run([self.tool("eslint"), "--config",
                          os.path.join(os.path.abspath(TOOLS), "eslint.config.js"), "."], scratch)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_style_sheet_uses_nothing_the_oldest_browsers_lack(self):
        result = run([self.tool("stylelint"), "--config", "stylelint.config.js",
                      os.path.join(os.path.abspath(SOURCE), "web", "main_window.css")], TOOLS)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_calls_from_the_program_are_there_or_have_a_stand_in(self):
        result = run(["node", "check_browser_calls.js"], TOOLS)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
