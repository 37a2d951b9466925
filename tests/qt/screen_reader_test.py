"""What a blind user hears: Orca and the program over AT-SPI on a private X
server, in a session bus of the test's own (run under dbus-run-session).

Orca's debug log holds every utterance; the program's accessible objects
are read as a screen reader reads them.
"""

import os
import subprocess
import tempfile
import unittest

import pyatspi

from support import tables
from support.waiting import wait_for
from support.xsession import XSession

BINARY = os.environ.get("RONGXI_BINARY", "build/rongxi")
ROWS_123 = tables.draw_rows("123")

# Orca writes its debug log through a block buffer; the test reads the log
# as it grows, so Orca is started with that file line-buffered.
ORCA_WITH_A_LINE_BUFFERED_LOG = """
import builtins, runpy, sys
log = sys.argv[1]
plain_open = builtins.open
def open(file, mode="r", *arguments, **options):
    if file == log:
        return plain_open(file, mode, buffering=1, encoding="utf-8")
    return plain_open(file, mode, *arguments, **options)
builtins.open = open
sys.argv = ["orca", "--replace", "--debug-file=" + log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""


class ScreenReader(unittest.TestCase):
    def setUp(self):
        home = tempfile.TemporaryDirectory(prefix="rongxi-orca-")
        self.addCleanup(home.cleanup)
        self.log = os.path.join(home.name, "orca.log")
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self.session = XSession().__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.start(["/usr/bin/python3", "-c", ORCA_WITH_A_LINE_BUFFERED_LOG, self.log],
                   env={**self.session.env, "HOME": home.name})
        wait_for(lambda: self.spoken(), 30, "Orca to start speaking")
        self.window = self.session.launch(
            BINARY, env={"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
        self.addCleanup(self.window.program.wait)
        self.addCleanup(lambda: self.window.program.poll() is None and self.window.program.kill())
        self.window.focus()
        self.app = wait_for(self.find_application, 20, "rongxi on the accessibility bus")

    def start(self, command, env=None):
        process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)

        def stop():
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        self.addCleanup(stop)

    def spoken(self):
        """Everything Orca has said so far, one utterance a line."""
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8", errors="replace") as f:
            return [line.split("SPEECH OUTPUT: ", 1)[1] for line in f
                    if "SPEECH OUTPUT: " in line]

    def wait_to_hear(self, text, what):
        wait_for(lambda: any(text in line for line in self.spoken()), 20, what)

    def find_application(self):
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.name == "rongxi":
                return application
        return None

    def control(self, name):
        found = pyatspi.findDescendant(self.app, lambda node: node.name == name)
        self.assertIsNotNone(found, name)
        return found

    def focused_name(self):
        found = pyatspi.findDescendant(
            self.app, lambda node: node.getState().contains(pyatspi.STATE_FOCUSED))
        return found.name if found is not None else None

    def test_the_rows_are_announced_and_read_out_whole(self):
        rows = [self.control(f"杀垃圾复试第{n}行") for n in range(1, 7)]
        self.window.type("123")
        wait_for(lambda: self.focused_name() == "开奖号第三位", 10, "the third entry box")
        self.window.key("Tab", "space")
        self.wait_to_hear(tables.program_text("rows-filled"), "the rows announced")
        self.assertEqual(self.focused_name(), "杀垃圾")

        # Every character of every row lies inside a run of attributes:
        # Orca reads a text run by run.
        for row, expected in zip(rows, ROWS_123):
            text = row.queryText()
            self.assertEqual(text.getText(0, -1), expected)
            for offset in range(len(expected)):
                _, start, end = text.getAttributeRun(offset, False)
                self.assertTrue(start <= offset < end, (expected, offset, start, end))

        self.window.key("Tab", "Tab", "Tab")
        self.wait_to_hear(ROWS_123[0], "the first row read out to its last digit")

        self.window.key("shift+Tab", "shift+Tab")
        wait_for(lambda: self.focused_name() == "清除数据", 10, "the clear button")
        self.window.key("space")
        self.wait_to_hear(tables.program_text("boxes-cleared"), "the clear announced")
        self.assertEqual(self.focused_name(), "清除数据")


if __name__ == "__main__":
    unittest.main()
