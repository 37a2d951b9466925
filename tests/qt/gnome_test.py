"""On GNOME's Wayland session the window has GNOME's own title bar: mutter,
nested in a private X server, draws the frame of the program's window, as it
does for every other program there."""

import json
import os
import signal
import subprocess
import sys
import tempfile
import unittest

from Xlib import X, display, protocol

from support.waiting import wait_for
from support.xsession import WINDOW_TITLE

BINARY = os.environ.get("RONGXI_BINARY", "build/rongxi")

# Started by mutter as its session's program: writes the environment mutter
# gives its clients (its Wayland and Xwayland displays), then waits.
SESSION_PROGRAM = """
import json, os, signal, sys
with open(sys.argv[1] + ".part", "w") as f:
    json.dump(dict(os.environ), f)
os.rename(sys.argv[1] + ".part", sys.argv[1])
signal.pause()
"""


class NestedMutter:
    """mutter as a Wayland compositor with Xwayland, in a window of a private
    X server, with a session bus and runtime folder of its own."""

    def __enter__(self):
        self._mutter = None
        self._runtime = tempfile.TemporaryDirectory(prefix="rongxi-gnome-")
        os.chmod(self._runtime.name, 0o700)
        read_end, write_end = os.pipe()
        self._host = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten",
             "tcp"], pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        try:
            with os.fdopen(read_end) as f:
                host_display = ":" + f.readline().strip()
            announced = os.path.join(self._runtime.name, "session.json")
            env = {key: value for key, value in os.environ.items()
                   if key not in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XAUTHORITY",
                                  "QT_QPA_PLATFORM")}
            env.update(DISPLAY=host_display, XDG_RUNTIME_DIR=self._runtime.name)
            self._mutter = subprocess.Popen(
                ["dbus-run-session", "--", "mutter", "--nested", "--wayland", "--",
                 sys.executable, "-c", SESSION_PROGRAM, announced],
                env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL, start_new_session=True)

            def session():
                if self._mutter.poll() is not None:
                    raise RuntimeError(f"mutter ended with status {self._mutter.returncode}")
                return os.path.exists(announced)
            wait_for(session, 60, "mutter's session")
            with open(announced) as f:
                self.env = json.load(f)
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        if self._mutter is not None:
            os.killpg(self._mutter.pid, signal.SIGTERM)
            self._mutter.wait()
        self._host.terminate()
        self._host.wait()
        self._runtime.cleanup()


def windows_below(window):
    for child in window.query_tree().children:
        yield child
        yield from windows_below(child)


class GnomeTitleBar(unittest.TestCase):
    def test_mutter_draws_the_title_bar(self):
        with NestedMutter() as mutter:
            # The Xwayland display's key, which python-xlib reads from the
            # environment.
            os.environ["XAUTHORITY"] = mutter.env["XAUTHORITY"]
            x = display.Display(mutter.env["DISPLAY"])
            program = subprocess.Popen([BINARY], env={**mutter.env, "XDG_CURRENT_DESKTOP": "GNOME"},
                                       stdin=subprocess.DEVNULL)
            try:
                name_atom, utf8 = x.intern_atom("_NET_WM_NAME"), x.intern_atom("UTF8_STRING")

                def program_window():
                    if program.poll() is not None:
                        raise RuntimeError(f"rongxi ended early with status {program.returncode}")
                    for window in windows_below(x.screen().root):
                        name = window.get_full_property(name_atom, utf8)
                        if name and name.value.decode() == WINDOW_TITLE and \
                                window.get_attributes().map_state == X.IsViewable:
                            return window
                    return None
                # An X11 window: on Wayland the X server would never see it.
                window = wait_for(program_window, 60, "the window on mutter's X display")

                # mutter's frame: left, right, top and bottom, with a title bar
                # on top.
                extents = x.intern_atom("_NET_FRAME_EXTENTS")
                frame = wait_for(lambda: window.get_full_property(extents, X.AnyPropertyType),
                                 10, "mutter to frame the window")
                left, right, top, bottom = frame.value
                self.assertGreaterEqual(top, 24, "a title bar")
                self.assertLessEqual(max(left, right, bottom), top)

                # The title bar's close button sends what this does.
                window.send_event(protocol.event.ClientMessage(
                    window=window, client_type=x.intern_atom("WM_PROTOCOLS"),
                    data=(32, [x.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])),
                    event_mask=X.NoEventMask)
                x.flush()
                self.assertEqual(program.wait(timeout=30), 0)
            finally:
                if program.poll() is None:
                    program.kill()
                    program.wait()
                x.close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
