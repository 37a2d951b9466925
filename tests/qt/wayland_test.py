"""End to end on Wayland: rongxi as a native Wayland client of a headless
sway, typed into with wtype (a virtual keyboard), read back through the
Wayland clipboard, and closed by the compositor as its close button does.
"""

import glob
import json
import os
import shutil
import subprocess
import tempfile
import unittest

from support import tables
from support.waiting import wait_for

BINARY = os.environ.get("RONGXI_BINARY", "build/rongxi")
ROWS_123 = tables.draw_rows("123")
TITLE = "榕汐 "


class HeadlessSway:
    """A sway with no screen and no input devices, in a runtime folder of its own.

    sway refuses to run as root: there it runs as nobody, and its clients
    reach it by the absolute paths of its sockets."""

    def __enter__(self):
        self._sway = None
        self._runtime = tempfile.mkdtemp(prefix="rongxi-wayland-")
        self._client_runtime = tempfile.mkdtemp(prefix="rongxi-wayland-client-")
        config = os.path.join(self._runtime, "config")
        with open(config, "w") as f:
            f.write("output HEADLESS-1 resolution 1024x768\nxwayland disable\n")
        env = {key: value for key, value in os.environ.items()
               if key not in ("DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK")}
        env.update(XDG_RUNTIME_DIR=self._runtime, HOME=self._runtime, WLR_BACKENDS="headless",
                   WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman", LANG="C.UTF-8")
        command = ["sway", "--config", config]
        if os.getuid() == 0:
            shutil.chown(self._runtime, "nobody", "nogroup")
            shutil.chown(config, "nobody", "nogroup")
            command = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups",
                       *command]
        self._sway = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            def sockets():
                if self._sway.poll() is not None:
                    raise RuntimeError(f"sway ended with status {self._sway.returncode}")
                wayland = [path for path in glob.glob(os.path.join(self._runtime, "wayland-*"))
                           if not path.endswith(".lock")]
                ipc = glob.glob(os.path.join(self._runtime, "sway-ipc.*.sock"))
                return (wayland[0], ipc[0]) if wayland and ipc else None
            wayland, ipc = wait_for(sockets, 30, "sway")
        except BaseException:
            self.__exit__(None, None, None)
            raise
        self.env = {**env, "XDG_RUNTIME_DIR": self._client_runtime, "HOME": os.environ["HOME"],
                    "WAYLAND_DISPLAY": wayland, "SWAYSOCK": ipc, "QT_QPA_PLATFORM": "wayland"}
        return self

    def __exit__(self, *exc):
        if self._sway is not None:
            self._sway.terminate()
            self._sway.wait()
        shutil.rmtree(self._runtime, ignore_errors=True)
        shutil.rmtree(self._client_runtime, ignore_errors=True)

    def run(self, *command, check=True, **kwargs):
        return subprocess.run(list(command), env=self.env, check=check, **kwargs)

    def windows(self):
        tree = json.loads(self.run("swaymsg", "-t", "get_tree", capture_output=True).stdout)
        found, nodes = [], [tree]
        while nodes:
            node = nodes.pop()
            if node.get("pid"):
                found.append(node)
            nodes += node.get("nodes", []) + node.get("floating_nodes", [])
        return found


class NativeWaylandWindow(unittest.TestCase):
    def setUp(self):
        self.sway = HeadlessSway().__enter__()
        self.addCleanup(self.sway.__exit__, None, None, None)
        self.program = subprocess.Popen([BINARY], env=self.sway.env, stdin=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, text=True)
        self.addCleanup(lambda: self.program.poll() is None and self.program.kill())

    def keys(self, *arguments):
        # Each wtype is a new virtual keyboard with a keymap of its own, and
        # Qt can miss the first key after a keymap arrives: lead with Shift,
        # which does nothing here.
        self.sway.run("wtype", "-k", "Shift_L", *arguments)

    def clipboard(self):
        return self.sway.run("wl-paste", "--no-newline", capture_output=True, text=True,
                             check=False).stdout

    def read_focused_box(self, before):
        """Selects the focused box's text and copies it: what the clipboard
        holds once it no longer holds `before`."""
        self.keys("-M", "ctrl", "a", "c", "-m", "ctrl")
        return wait_for(lambda: (text := self.clipboard()) != before and text, 10,
                        "the box to be copied")

    def test_opens_natively_takes_typing_computes_and_closes_with_status_zero(self):
        [window] = wait_for(lambda: [node for node in self.sway.windows()
                                     if node.get("pid") == self.program.pid], 30, "the window")
        self.assertEqual(window["name"], TITLE)
        self.assertEqual(window.get("shell"), "xdg_shell")  # a Wayland client, not XWayland
        self.assertEqual(window["app_id"], "cn.rongxi.Rongxi")
        self.assertTrue(window["focused"])

        # Keys that arrive before Qt has taken the window for active go
        # nowhere: type the first digit until Text1 shows it, read back from
        # Text1 (Shift+Tab from Text2; from Text9 when the digit was lost).
        def first_digit_taken():
            self.keys("1", "-M", "shift", "-k", "Tab", "-m", "shift", "-M", "ctrl", "a", "c",
                      "-m", "ctrl")
            try:
                return wait_for(lambda: self.clipboard() == "1", 2, "Text1")
            except TimeoutError:
                self.keys("-k", "Tab")  # back to Text1 from Text9
                return False
        wait_for(first_digit_taken, 30, "the window to take keys")
        # Text1 holds "1", wholly selected: typing over it moves on as typing does.
        self.keys("123", "-k", "Tab", "-k", "Return",  # Enter presses the focused 杀垃圾
                  "-k", "Tab", "-k", "Tab", "-k", "Tab")  # on to the first result box
        # Each row differs from the one before, so a copy shows as a change.
        rows = [self.read_focused_box(before="")]
        for _ in range(5):
            self.keys("-k", "Tab")
            rows.append(self.read_focused_box(before=rows[-1]))
        self.assertEqual(rows, ROWS_123)

        # The window by its process, not whatever container has the focus.
        self.sway.run("swaymsg", f"[pid={self.program.pid}] kill", capture_output=True)
        status = self.program.wait(timeout=30)
        errors = self.program.stderr.read()
        self.assertEqual(status, 0, errors)
        self.assertNotIn("Could not find the Qt platform plugin", errors)


if __name__ == "__main__":
    unittest.main(verbosity=2)
