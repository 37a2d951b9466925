"""Firefox driven over WebDriver BiDi, which it speaks itself (Debian has no
geckodriver): a headless Firefox ESR with a profile of its own, and the few
commands the page tests use."""

import json
import os
import re
import shutil
import subprocess
import tempfile

import websocket

from support.page_driver import PageDriver
from support.waiting import wait_for

FIREFOX = shutil.which("firefox-esr") or shutil.which("firefox") or "/usr/bin/firefox-esr"
# A quiet profile: no first-run pages, updates or telemetry, no network of
# its own, service workers on plain-HTTP 127.0.0.1 (allowed there anyway).
PREFERENCES = {
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "app.update.disabledForTesting": True,
    "browser.aboutwelcome.enabled": False,
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
    "remote.prefs.recommended": True,
}


class BidiError(RuntimeError):
    pass


class Firefox(PageDriver):
    def __init__(self, width=1024, height=768):
        self._profile = tempfile.TemporaryDirectory(prefix="rongxi-firefox-")
        with open(os.path.join(self._profile.name, "user.js"), "w") as f:
            for name, value in PREFERENCES.items():
                f.write(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n")
        self._log = open(os.path.join(self._profile.name, "firefox.log"), "w+")
        env = {key: value for key, value in os.environ.items()
               if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env["MOZ_HEADLESS"] = "1"
        self._firefox = subprocess.Popen(
            [FIREFOX, "--headless", "--no-remote", "--remote-debugging-port=0",
             f"--width={width}", f"--height={height}", "--profile", self._profile.name,
             "about:blank"], env=env, stdin=subprocess.DEVNULL, stdout=self._log,
            stderr=subprocess.STDOUT)
        self._socket = None
        self._next_id = 0
        try:
            address = wait_for(self._announced_address, 60, "Firefox's WebDriver BiDi")
            # Firefox refuses a connection that names an origin it was not told to allow.
            self._socket = websocket.create_connection(address + "/session", timeout=60,
                                                       suppress_origin=True)
            self.call("session.new", capabilities={})
            self._context = self.call("browsingContext.getTree")["contexts"][0]["context"]
        except BaseException:
            self.close()
            raise

    def close(self):
        if self._socket is not None:
            try:
                self.call("session.end")
            except (OSError, BidiError, websocket.WebSocketException):
                pass
            self._socket.close()
            self._socket = None
        self._firefox.terminate()
        self._firefox.wait()
        self._log.close()
        self._profile.cleanup()

    def _announced_address(self):
        if self._firefox.poll() is not None:
            raise BidiError(f"Firefox ended with status {self._firefox.returncode}")
        self._log.seek(0)
        found = re.search(r"WebDriver BiDi listening on (ws://\S+)", self._log.read())
        return found.group(1) if found else None

    def call(self, method, **params):
        self._next_id += 1
        self._socket.send(json.dumps({"id": self._next_id, "method": method, "params": params}))
        while True:
            answer = json.loads(self._socket.recv())
            if answer.get("id") == self._next_id:
                break
        if answer.get("type") == "error":
            raise BidiError(f"{method}: {answer.get('error')}: {answer.get('message')}")
        return answer["result"]

    # The commands the page driver builds on.

    def navigate(self, url):
        self.call("browsingContext.navigate", context=self._context, url=url, wait="complete")

    def refresh(self):
        self.call("browsingContext.reload", context=self._context, wait="complete")

    def evaluate(self, expression):
        # Through JSON, which keeps the answer's reading simple.
        result = self.call("script.evaluate", expression=f"JSON.stringify({expression})",
                           target={"context": self._context}, awaitPromise=True)
        if result["type"] != "success":
            raise BidiError(f"{expression}: {result.get('exceptionDetails')}")
        value = result["result"]
        return None if value["type"] == "undefined" else json.loads(value["value"])

    def click(self, control):
        x, y = self.evaluate(f"""(() => {{
            const box = document.getElementById({json.dumps(control)}).getBoundingClientRect();
            return [Math.round(box.left + box.width / 2), Math.round(box.top + box.height / 2)];
        }})()""")
        self.call("input.performActions", context=self._context, actions=[{
            "type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
            "actions": [{"type": "pointerMove", "x": x, "y": y, "origin": "viewport"},
                        {"type": "pointerDown", "button": 0},
                        {"type": "pointerUp", "button": 0}]}])
        self.call("input.releaseActions", context=self._context)

    def keys(self, *keys):
        self.call("input.performActions", context=self._context, actions=[
            {"type": "key", "id": "keyboard", "actions": self.key_steps(keys)}])
        self.call("input.releaseActions", context=self._context)
