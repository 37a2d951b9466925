"""A private X server with rongxi in it, driven the way a user drives it.

Starts Xvfb on a free display, launches the program, finds its window, and
offers the few things a user does: type, click, copy a box's text, close the
window through the window system, and take a screenshot. Used by the
end-to-end test and by the screenshot script.
"""

import os
import struct
import subprocess
import tempfile
import time
import zlib

from Xlib import X, display, protocol

WINDOW_TITLE = "榕汐 "

# Centres of the controls in the client area, in 96-dpi pixels.
CONTROL_CENTRES = {
    "Text1": (28, 28), "Text2": (52, 28), "Text3": (76, 28),
    "Command1": (132, 28), "Command2": (212, 28), "Command3": (292, 28),
    **{f"Text{n}": (172, 82 + 24 * (n - 4)) for n in range(4, 10)},
}

_CLIPBOARD_SENTINEL = "\x01nothing copied\x01"


def _wait_for(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    raise TimeoutError(f"timed out waiting for {what}")


class XSession:
    def __init__(self, screen="800x600x24", dpi=96):
        self._screen = screen
        self._dpi = dpi
        self._runtime = tempfile.TemporaryDirectory(prefix="rongxi-runtime-")
        self.display_name = None
        self.env = None
        self._server = None
        self._x = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        self._server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self._screen,
             "-dpi", str(self._dpi), "-noreset", "-nolisten", "tcp"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as announced:
            number = announced.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display_name = f":{number}"
        os.chmod(self._runtime.name, 0o700)
        self.env = {**os.environ, "DISPLAY": self.display_name,
                    "XDG_RUNTIME_DIR": self._runtime.name, "LANG": "C.UTF-8"}
        self.env.pop("QT_QPA_PLATFORM", None)
        _wait_for(lambda: subprocess.run(["xdpyinfo"], env=self.env, capture_output=True)
                  .returncode == 0, 10, "the X server")
        self._x = display.Display(self.display_name)
        return self

    def __exit__(self, *exc):
        if self._x is not None:
            self._x.close()
        if self._server is not None:
            self._server.terminate()
            self._server.wait()
        self._runtime.cleanup()

    def run(self, *command, **kwargs):
        return subprocess.run(list(command), env=self.env, check=True, **kwargs)

    def launch(self, binary, scale=1, arguments=()):
        env = {**self.env, "QT_SCALE_FACTOR": str(scale)} if scale != 1 else self.env
        program = subprocess.Popen([binary, *arguments], env=env, stdin=subprocess.DEVNULL)
        return Window(self, program, self._find_window(program), scale)

    def _find_window(self, program):
        net_wm_name = self._x.intern_atom("_NET_WM_NAME")
        utf8 = self._x.intern_atom("UTF8_STRING")

        def visible_window():
            if program.poll() is not None:
                raise RuntimeError(f"rongxi ended early with status {program.returncode}")
            for child in self._x.screen().root.query_tree().children:
                name = child.get_full_property(net_wm_name, utf8)
                if name and name.value.decode() == WINDOW_TITLE and \
                        child.get_attributes().map_state == X.IsViewable:
                    return child
            return None
        return _wait_for(visible_window, 60, "the window")

    def x(self):
        return self._x

    def close_window(self, window):
        """What a window manager's close button sends: WM_DELETE_WINDOW."""
        message = protocol.event.ClientMessage(
            window=window, client_type=self._x.intern_atom("WM_PROTOCOLS"),
            data=(32, [self._x.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        self._x.flush()


class Window:
    def __init__(self, session, program, window, scale):
        self.session = session
        self.program = program
        self.window = window
        self.scale = scale
        self.id = str(window.id)

    def geometry(self):
        g = self.window.get_geometry()
        return g.width, g.height

    def focus(self):
        self.session.run("xdotool", "windowfocus", "--sync", self.id)

    def type(self, text):
        self.session.run("xdotool", "type", "--delay", "20", text)

    def key(self, *keys):
        self.session.run("xdotool", "key", "--clearmodifiers", *keys)

    def click(self, control):
        x, y = (round(c * self.scale) for c in CONTROL_CENTRES[control])
        self.session.run("xdotool", "mousemove", "--window", self.id, str(x), str(y),
                         "click", "1")

    def middle_click(self, control):
        x, y = (round(c * self.scale) for c in CONTROL_CENTRES[control])
        self.session.run("xdotool", "mousemove", "--window", self.id, str(x), str(y),
                         "click", "2")

    def set_primary_selection(self, text):
        self.session.run("xclip", "-selection", "primary", "-i", input=text.encode(),
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def pixels(self, x, y, width, height):
        """(r, g, b) of each pixel of a rectangle of the client area."""
        data = self.window.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data
        return [tuple(data[i:i + 3][::-1]) for i in range(0, len(data), 4)]

    def read_box(self, control):
        """Clicks into a box, selects all, copies, and reads the clipboard."""
        self.session.run("xclip", "-selection", "clipboard", "-i",
                         input=_CLIPBOARD_SENTINEL.encode(),
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.click(control)
        self.key("ctrl+a", "ctrl+c")

        def copied():
            text = self.session.run("xclip", "-selection", "clipboard", "-o",
                                    capture_output=True).stdout.decode()
            return text if text != _CLIPBOARD_SENTINEL else None
        try:
            return _wait_for(copied, 1.0, f"{control} to be copied")
        except TimeoutError:
            return ""  # an empty box copies nothing

    def request_close(self):
        self.session.close_window(self.window)

    def wait_for_exit(self, timeout=10):
        return self.program.wait(timeout=timeout)

    def screenshot(self, path):
        width, height = self.geometry()
        image = self.window.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF)
        rows = b"".join(
            b"\x00" + bytes(channel for pixel in range(width)
                            for channel in image.data[(y * width + pixel) * 4:][:3][::-1])
            for y in range(height))
        _write_png(path, width, height, rows)


def _write_png(path, width, height, filtered_rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(filtered_rows, 9)) + chunk(b"IEND", b""))
