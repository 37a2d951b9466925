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
import zlib

from Xlib import X, display, protocol
from support.waiting import wait_for

from support import tables

WINDOW_TITLE = "榕汐 "

# The controls' rectangles in the client area (x, y, width, height), in
# 96-dpi pixels, from the window tests' shared layout table.
CONTROL_RECTS = {control["name"]: control["rect"] for control in tables.expected_layout()}

_CLIPBOARD_SENTINEL = "\x01nothing copied\x01"




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
        try:
            return self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise

    def _start(self):
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
        wait_for(lambda: subprocess.run(["xdpyinfo"], env=self.env, capture_output=True)
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

    def launch(self, binary, scale=1, arguments=(), env=None):
        env = {**self.env, **(env or {})}
        if scale != 1:
            env["QT_SCALE_FACTOR"] = str(scale)
        program = subprocess.Popen([binary, *arguments], env=env, stdin=subprocess.DEVNULL)
        try:
            return Window(self, program, self._find_window(program), scale)
        except BaseException:
            program.kill()
            program.wait()
            raise

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
        return wait_for(visible_window, 60, "the window")

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

    def _centre(self, control):
        x, y, width, height = CONTROL_RECTS[control]
        return str(round((x + width // 2) * self.scale)), str(round((y + height // 2) * self.scale))

    def click(self, control, button=1):
        self.session.run("xdotool", "mousemove", "--window", self.id, *self._centre(control),
                         "click", str(button))

    def middle_click(self, control):
        self.click(control, button=2)

    def set_primary_selection(self, text):
        self.session.run("xclip", "-selection", "primary", "-i", input=text.encode(),
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def pixels(self, x, y, width, height):
        """(r, g, b) of each pixel of a rectangle of the client area."""
        data = self.window.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data
        return [tuple(data[i:i + 3][::-1]) for i in range(0, len(data), 4)]

    def shows_text(self, control):
        """Whether any dark pixel shows inside a control, its border left out."""
        x, y, width, height = (round(c * self.scale) for c in CONTROL_RECTS[control])
        border = round(3 * self.scale)
        inside = self.pixels(x + border, y + border, width - 2 * border, height - 2 * border)
        return any(max(pixel) < 100 for pixel in inside)

    def read_box(self, control):
        """Clicks into a box, selects all, copies, and reads the clipboard.

        An empty box copies nothing, which cannot be told from a copy that
        failed: read such a box with shows_text()."""
        self.session.run("xclip", "-selection", "clipboard", "-i",
                         input=_CLIPBOARD_SENTINEL.encode(),
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.click(control)
        self.key("ctrl+a", "ctrl+c")

        def copied():
            text = self.session.run("xclip", "-selection", "clipboard", "-o",
                                    capture_output=True).stdout.decode()
            return text if text != _CLIPBOARD_SENTINEL else None
        return wait_for(copied, 5.0, f"{control} to be copied")

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
