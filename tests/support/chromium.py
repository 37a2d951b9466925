"""Headless Chromium with the web page in it, driven the way a user drives it.

Starts Chromium with the DevTools protocol on a pipe (no port, no library:
requests and events are JSON messages separated by NUL bytes on file
descriptors 3 and 4), opens one page, and offers what a user does there: type, tap, click, paste, compose with an
input method, undo; and what a test reads: values, the focus, rectangles,
the accessibility tree. Used by the page tests, the benchmark and the
screenshot script.
"""

import base64
import fcntl
import json
import os
import shutil
import subprocess
import tempfile
import threading

from support.page_driver import PageDriver

CHROMIUM = shutil.which("chromium") or shutil.which("chromium-browser") or "/usr/bin/chromium"




class ProtocolError(RuntimeError):
    pass


class Chromium(PageDriver):
    """One browser with one page; every call waits for Chromium's answer."""

    def __init__(self, width=1024, height=768, arguments=()):
        self._profile = tempfile.TemporaryDirectory(prefix="rongxi-chromium-",
                                                    ignore_cleanup_errors=True)
        to_chromium, self._to_chromium = os.pipe()
        self._from_chromium, from_chromium = os.pipe()
        # Chromium reads its commands from fd 3 and answers on fd 4: a shell
        # puts the pipe's ends there (no Python code runs in the child, which
        # is not safe in a process with threads). Above 9, the ends cannot
        # clash with 3 and 4.
        high_in = fcntl.fcntl(to_chromium, fcntl.F_DUPFD_CLOEXEC, 10)
        high_out = fcntl.fcntl(from_chromium, fcntl.F_DUPFD_CLOEXEC, 10)
        os.close(to_chromium)
        os.close(from_chromium)
        to_chromium, from_chromium = high_in, high_out
        self._process = subprocess.Popen(
            ["/bin/bash", "-c",
             f'exec "$@" 3<&{to_chromium} 4>&{from_chromium} {to_chromium}<&- {from_chromium}>&-',
             "chromium", CHROMIUM,
             "--headless=new", "--no-sandbox", "--remote-debugging-pipe",
             "--disable-gpu", "--no-first-run", "--disable-background-networking",
             "--disable-component-update", "--disable-sync", "--disable-quic",
             f"--window-size={width},{height}", f"--user-data-dir={self._profile.name}",
             *arguments, "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            pass_fds=(to_chromium, from_chromium))
        os.close(to_chromium)
        os.close(from_chromium)
        self._next_id = 0
        self._answers = {}
        self._arrived = threading.Condition()
        threading.Thread(target=self._read, daemon=True).start()
        try:
            target = self.call("Target.createTarget", url="about:blank", session=None)
            self._session = self.call("Target.attachToTarget", targetId=target["targetId"],
                                      flatten=True, session=None)["sessionId"]
            for domain in ("Page", "Runtime", "Network", "Accessibility", "DOM", "CSS"):
                self.call(f"{domain}.enable")
            self.call("Emulation.setFocusEmulationEnabled", enabled=True)
        except BaseException:
            self.close()
            raise

    def close(self):
        if self._process.poll() is None:
            try:
                self.call("Browser.close", session=None, timeout=5)
                self._process.wait(timeout=5)
            except (ProtocolError, TimeoutError, subprocess.TimeoutExpired):
                self._process.kill()
        self._process.wait()
        for fd in (self._to_chromium, self._from_chromium):
            try:
                os.close(fd)
            except OSError:
                pass
        self._profile.cleanup()

    def _read(self):
        pending = b""
        while True:
            try:
                chunk = os.read(self._from_chromium, 65536)
            except OSError:
                chunk = b""
            if not chunk:
                with self._arrived:
                    self._answers[None] = "Chromium closed its pipe"
                    self._arrived.notify_all()
                return
            *messages, pending = (pending + chunk).split(b"\0")
            with self._arrived:
                for raw in messages:
                    message = json.loads(raw)
                    if "id" in message:  # an answer; events are not used
                        self._answers[message["id"]] = message
                self._arrived.notify_all()

    def call(self, method, session="page", timeout=30, **params):
        self._next_id += 1
        request = {"id": self._next_id, "method": method, "params": params}
        if session == "page":
            request["sessionId"] = self._session
        os.write(self._to_chromium, json.dumps(request).encode() + b"\0")
        with self._arrived:
            if not self._arrived.wait_for(
                    lambda: self._next_id in self._answers or None in self._answers, timeout):
                raise TimeoutError(f"no answer to {method}")
            if self._next_id not in self._answers:
                raise ProtocolError(self._answers[None])
            answer = self._answers.pop(self._next_id)
        if "error" in answer:
            raise ProtocolError(f"{method}: {answer['error']}")
        return answer.get("result", {})

    # The page.

    def evaluate(self, expression, await_promise=False):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=await_promise)
        if "exceptionDetails" in result:
            raise ProtocolError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def navigate(self, url):
        self.call("Page.navigate", url=url)

    def refresh(self):
        self.call("Page.reload")

    def emulate_phone(self, width=360, height=640, pixel_ratio=3):
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=pixel_ratio, mobile=True)
        self.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)

    def rect(self, selector):
        return self.evaluate(
            f"(() => {{ const r = document.querySelector({json.dumps(selector)})"
            ".getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()")

    # Input, as a keyboard, a mouse, a touch screen and an input method send it.

    def key(self, key, code=None, virtual_key=0, text="", modifiers=0, commands=()):
        base = {"key": key, "code": code or key, "windowsVirtualKeyCode": virtual_key,
                "modifiers": modifiers}
        down = dict(base, type="keyDown" if text else "rawKeyDown", commands=list(commands))
        if text:
            down.update(text=text, unmodifiedText=text)
        self.call("Input.dispatchKeyEvent", **down)
        self.call("Input.dispatchKeyEvent", type="keyUp", **base)

    def type(self, text):
        for character in text:
            virtual_key = ord(character.upper()) if character.isascii() and \
                character.isalnum() else 0
            self.key(character, code="", virtual_key=virtual_key, text=character)

    def press(self, name):
        keys = {"Enter": (13, "\r"), "Tab": (9, ""), "Escape": (27, ""), "Backspace": (8, "")}
        virtual_key, text = keys[name]
        self.key(name, virtual_key=virtual_key, text=text)

    def keys(self, *keys):
        """Each key in turn, as the other browsers' drivers take them: a
        character, or WebDriver's code for a named key."""
        named = {"\ue007": "Enter", "\ue004": "Tab", "\ue00c": "Escape", "\ue003": "Backspace"}
        for key in keys:
            if key in named:
                self.press(named[key])
            else:
                self.type(key)

    def shortcut(self, letter, command):
        control = 2  # the Ctrl modifier bit
        self.key(letter, code=f"Key{letter.upper()}", virtual_key=ord(letter.upper()),
                 modifiers=control, commands=[command])

    def insert_text(self, text):
        """Text that comes from no key: an emoji keyboard, a phone's suggestion."""
        self.call("Input.insertText", text=text)

    def compose(self, preedit, commit):
        """An input method: the preedit, step by step, then the commit."""
        for end in range(1, len(preedit) + 1):
            self.call("Input.imeSetComposition", text=preedit[:end], selectionStart=end,
                      selectionEnd=end)
        self.call("Input.insertText", text=commit)

    def paste(self, text):
        origin = self.evaluate("location.origin")
        self.call("Browser.grantPermissions", session=None, origin=origin,
                  permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
        self.evaluate(f"navigator.clipboard.writeText({json.dumps(text)})", await_promise=True)
        self.shortcut("v", "paste")

    def _centre(self, control):
        x, y, width, height = self.rect(f"#{control}")
        return x + width / 2, y + height / 2

    def click(self, control):
        x, y = self._centre(control)
        self.call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      clickCount=1)

    def tap(self, control):
        x, y = self._centre(control)
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def screenshot(self, path, margin=None):
        """The viewport, or only the window and `margin` CSS pixels around it."""
        options = {"format": "png"}
        if margin is not None:
            x, y, width, height = self.rect("#Form1")
            options["clip"] = {"x": x - margin, "y": y - margin, "width": width + 2 * margin,
                               "height": height + 2 * margin, "scale": 1}
        data = self.call("Page.captureScreenshot", **options)["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))
