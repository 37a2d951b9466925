#!/usr/bin/env python3
"""The page's scenarios in the two browser engines besides Chromium (whose
own suite, page_test.py, covers them and more): WebKitGTK (the engine of
every iPhone browser) through its WebDriver, and Firefox ESR over WebDriver
BiDi. Each scenario is one row of the table below and runs in both; the
rows of every draw are the core's to test, so one draw is typed here.

What these engines' automation cannot do is tried in Chromium only:
WebKitGTK's window under WebDriver is at least about 447 px wide, and
Firefox has no touch or phone emulation, so neither tries the phone width;
neither can emulate a network that is down, so the offline visit stops the
server instead."""

import os
import shutil
import tempfile
import unittest

from support import tables
from support.bidi import Firefox as FirefoxDriver
from support.site_server import SiteServer
from support.webdriver import WebDriver
from support.xsession import XSession

SITE = os.environ.get("RONGXI_SITE", "build-web/site")
ENTRY_BOXES = ["Text1", "Text2", "Text3"]
RESULT_BOXES = [f"Text{n}" for n in range(4, 10)]
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
ENTER = "\ue007"


def a_draw(test, browser):
    """A draw with an empty box and a letter, typed box by box, computed and
    read back."""
    _, entries, rows = next(draw for draw in tables.draw_scenarios() if "" in draw[1])
    for box, entry in zip(ENTRY_BOXES, entries):
        if entry:
            browser.click(box)
            browser.type(entry)
    browser.click("Command1")
    browser.wait_until("document.getElementById('Text9').value !== ''")
    test.assertEqual(browser.values(ENTRY_BOXES), entries)
    test.assertEqual(browser.values(RESULT_BOXES), rows)


def advance_and_one_character(test, browser):
    """Typing moves on from box to box; a full last box keeps its character."""
    for typed, focused in (("1", "Text2"), ("2", "Text3"), ("3", "Text3"), ("4", "Text3")):
        browser.type(typed)
        test.assertEqual(browser.focused(), focused)
    test.assertEqual(browser.values(ENTRY_BOXES), ["1", "2", "3"])


def clear(test, browser):
    browser.type("123")
    browser.click("Command1")
    browser.wait_until("document.getElementById('Text9').value !== ''")
    browser.click("Command2")
    browser.wait_until("document.getElementById('Text9').value === ''")
    test.assertEqual(browser.values(ENTRY_BOXES + RESULT_BOXES), [""] * 9)


def exit_and_start_again(test, browser):
    browser.click("Command3")
    browser.wait_until("document.getElementById('Ended') !== null")
    test.assertIsNone(browser.evaluate("document.getElementById('Form1')"))
    browser.keys(ENTER)  # on the link to start again, which has the focus
    browser.wait_until("document.activeElement && document.activeElement.id === 'Text1'")
    test.assertEqual(browser.values(ENTRY_BOXES), [""] * 3)


SCENARIOS = [a_draw, advance_and_one_character, clear, exit_and_start_again]


class Engine:
    """The scenarios and the offline visit, in the engine a subclass starts."""

    @classmethod
    def setUpClass(cls):
        cls.server = SiteServer(SITE)
        cls.addClassCleanup(cls.server.stop)
        cls.browser = cls.start_browser()
        cls.addClassCleanup(cls.browser.close)

    def test_scenarios(self):
        for scenario in SCENARIOS:
            with self.subTest(scenario=scenario.__name__):
                self.browser.open(self.server.url)
                scenario(self, self.browser)

    def test_opens_and_computes_without_a_network_after_one_visit(self):
        with tempfile.TemporaryDirectory() as scratch:
            copy = os.path.join(scratch, "site")
            shutil.copytree(SITE, copy)
            server = SiteServer(copy)
            self.addCleanup(server.stop)
            self.browser.open(server.url)
            self.browser.wait_until("navigator.serviceWorker.controller !== null")
            server.stop()
            self.browser.reload()
            self.browser.type("123")
            self.browser.click("Command1")
            self.browser.wait_until("document.getElementById('Text9').value !== ''")
            self.assertEqual(self.browser.values(RESULT_BOXES), tables.draw_rows("123"))


class WebKit(Engine, unittest.TestCase):
    @classmethod
    def start_browser(cls):
        session = XSession(screen="1024x768x24").__enter__()
        cls.addClassCleanup(session.__exit__, None, None, None)
        return WebDriver(["WebKitWebDriver"], {
            "browserName": "MiniBrowser",
            "webkitgtk:browserOptions": {"binary": MINIBROWSER, "args": ["--automation"]}},
            env=session.env)


class Firefox(Engine, unittest.TestCase):
    @classmethod
    def start_browser(cls):
        return FirefoxDriver()


if __name__ == "__main__":
    unittest.main(verbosity=2)
