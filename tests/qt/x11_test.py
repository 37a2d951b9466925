"""End to end on a real X server: rongxi as a user meets it.

Types a draw with xdotool, presses the buttons with the mouse, reads the boxes
back through the clipboard, and ends the program both ways a user can.
"""

import os
import subprocess
import tempfile
import unittest

from support import tables
from support.waiting import wait_for
from support.xsession import XSession

BINARY = os.environ.get("RONGXI_BINARY", "build/rongxi")

ROWS_123 = tables.draw_rows("123")
BOXES = [f"Text{n}" for n in range(1, 10)]


class LaunchedWindow(unittest.TestCase):
    arguments = ()

    def setUp(self):
        self.session = XSession().__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.window = self.session.launch(BINARY, arguments=self.arguments)
        self.addCleanup(lambda: self.window.program.poll() is None and self.window.program.kill())
        self.window.focus()


class WindowEndToEnd(LaunchedWindow):
    def test_type_compute_clear_and_close_by_the_window_system(self):
        self.assertEqual(self.window.geometry(), (342, 231))
        self.window.type("123")
        self.window.click("Command1")
        # Clicks are handled and painted in their own time: wait for the pixels.
        wait_for(lambda: all(self.window.shows_text(box) for box in BOXES), 10,
                 "every box to show text")
        self.assertEqual([self.window.read_box(box) for box in BOXES[3:]], ROWS_123)
        self.assertEqual([self.window.read_box(box) for box in BOXES[:3]], ["1", "2", "3"])

        self.window.click("Command2")
        wait_for(lambda: not any(self.window.shows_text(box) for box in BOXES), 10,
                 "every box to be empty")

        self.window.request_close()
        self.assertEqual(self.window.wait_for_exit(), 0)

    def test_exit_button_ends_the_program_at_once(self):
        self.window.type("9")
        self.window.click("Command3")
        self.assertEqual(self.window.wait_for_exit(), 0)

    def test_middle_click_paste_is_cut_down_and_undone_in_one_step(self):
        self.window.set_primary_selection("89")
        self.window.middle_click("Text3")
        self.assertEqual(self.window.read_box("Text3"), "8")
        self.window.key("ctrl+z", "Tab")  # the caret leaves the box, which shows nothing
        wait_for(lambda: not self.window.shows_text("Text3"), 10, "Text3 to be empty")


class CommandLineIsIgnored(LaunchedWindow):
    """Qt's own options change nothing: the program takes no command line."""

    def setUp(self):
        self.stylesheet = tempfile.NamedTemporaryFile("w", suffix=".qss")
        self.stylesheet.write("* { background: #ff0000; }")
        self.stylesheet.flush()
        self.addCleanup(self.stylesheet.close)
        self.arguments = ("-qwindowtitle", "X", "-geometry", "120x80", "-reverse",
                          "-stylesheet", self.stylesheet.name)
        super().setUp()

    def test_window_keeps_its_title_size_and_look(self):
        self.assertEqual(self.window.geometry(), (342, 231))  # found by its own title
        self.assertNotIn((255, 0, 0), self.window.pixels(0, 0, 342, 231))
        # Left to right as ever: "输入开奖号" is drawn at the frame's left end.
        def ink(x):
            return sum(1 for pixel in self.window.pixels(x, 0, 80, 12) if max(pixel) < 100)
        self.assertGreater(ink(12), 20)
        self.assertEqual(ink(250), 0)


class NoDisplay(unittest.TestCase):
    """Started where no display can be reached: a message that names what
    could not be reached, in the locale's own character set, status 1, no
    abort."""

    def run_without_display(self, display, locale="C.UTF-8", locale_path=None):
        with tempfile.TemporaryDirectory() as runtime:
            env = {key: value for key, value in os.environ.items()
                   if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANG",
                                  "LANGUAGE") and not key.startswith("LC_")}
            env.update(XDG_RUNTIME_DIR=runtime, LC_ALL=locale)
            if locale_path:
                env["LOCPATH"] = locale_path
            if display:
                env["DISPLAY"] = display
            result = subprocess.run([BINARY], env=env, capture_output=True, timeout=60)
        self.assertEqual(result.returncode, 1, result.stderr)
        self.assertNotIn(b"Reinstalling", result.stderr)
        return result.stderr

    def test_says_what_it_could_not_reach_first_in_chinese(self):
        for display, chinese, english in (
                (None, "未设置 DISPLAY 或 WAYLAND_DISPLAY", "no graphical display is set"),
                (":9999", "无法连接图形界面 DISPLAY=:9999",
                 "cannot reach the graphical display DISPLAY=:9999")):
            with self.subTest(display=display):
                lines = self.run_without_display(display).decode("utf-8").splitlines()
                self.assertEqual(len(lines), 2, lines)
                self.assertTrue(lines[0].startswith("rongxi: ") and chinese in lines[0], lines)
                self.assertTrue(lines[1].startswith("rongxi: ") and english in lines[1], lines)

    def test_writes_chinese_in_the_locales_own_character_set(self):
        with tempfile.TemporaryDirectory() as locales:
            subprocess.run(["localedef", "-i", "zh_CN", "-f", "GB18030",
                            os.path.join(locales, "zh_CN.GB18030")], check=True,
                           capture_output=True)
            stderr = self.run_without_display(None, "zh_CN.GB18030", locales)
        chinese, english = stderr.split(b"\n")[:2]
        self.assertIn("未设置 DISPLAY 或 WAYLAND_DISPLAY", chinese.decode("gb18030"))
        self.assertNotIn("未设置".encode("utf-8"), chinese)
        self.assertIn(b"no graphical display is set", english)


class PlatformFailure(unittest.TestCase):
    """A platform that fails on a display that answers is named, with Qt's
    own reason, and the display is not blamed."""

    def test_names_the_platform_and_gives_qts_reason(self):
        with XSession() as session:
            for platform, reason in (
                    ("nonexistent", 'Could not find the Qt platform plugin "nonexistent"'),
                    ("wayland", "Failed to create wl_display")):
                with self.subTest(platform=platform):
                    env = {**session.env, "QT_QPA_PLATFORM": platform}
                    env.pop("WAYLAND_DISPLAY", None)
                    result = subprocess.run([BINARY], env=env, capture_output=True, timeout=60)
                    self.assertEqual(result.returncode, 1, result.stderr)
                    chinese, english, *qt_says = result.stderr.decode("utf-8").splitlines()
                    self.assertTrue(chinese.startswith("rongxi: ") and platform in chinese)
                    self.assertIn(f"graphical interface {platform};", english)
                    self.assertNotIn("DISPLAY", chinese + english)
                    self.assertIn(reason, "\n".join(qt_says))


if __name__ == "__main__":
    unittest.main(verbosity=2)
