"""End to end on a real X server: rongxi as a user meets it.

Types a draw with xdotool, presses the buttons with the mouse, reads the boxes
back through the clipboard, and ends the program both ways a user can.
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))
from xsession import XSession  # noqa: E402

BINARY = os.environ.get("RONGXI_BINARY", "build/rongxi")

ROWS_123 = ["1234590*2345601*3456712", "1267890*2378901*3489012", "1356789*2467890*3578901",
            "1456780*2567891*3678902", "2345678*3456789*4567890", "3467890*4578901*5689012"]
BOXES = [f"Text{n}" for n in range(1, 10)]


class WindowEndToEnd(unittest.TestCase):
    def setUp(self):
        self.session = XSession().__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.window = self.session.launch(BINARY)
        self.addCleanup(lambda: self.window.program.poll() is None and self.window.program.kill())
        self.window.focus()

    def test_type_compute_clear_and_close_by_the_window_system(self):
        self.assertEqual(self.window.geometry(), (342, 231))
        self.window.type("123")
        self.window.click("Command1")
        self.assertEqual([self.window.read_box(box) for box in BOXES[3:]], ROWS_123)
        self.assertEqual([self.window.read_box(box) for box in BOXES[:3]], ["1", "2", "3"])

        self.window.click("Command2")
        self.assertEqual([self.window.read_box(box) for box in BOXES], [""] * 9)

        self.window.request_close()
        self.assertEqual(self.window.wait_for_exit(), 0)

    def test_exit_button_ends_the_program_at_once(self):
        self.window.type("9")
        self.window.click("Command3")
        self.assertEqual(self.window.wait_for_exit(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
