"""A W3C WebDriver session over HTTP: the few commands the page tests use,
for browsers whose automation speaks only WebDriver (WebKitGTK's
WebKitWebDriver)."""

import json
import socket
import subprocess
import urllib.error
import urllib.request

from support.page_driver import PageDriver
from support.waiting import wait_for

ELEMENT = "element-6066-11e4-a52e-4f735466cecf"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class WebDriverError(RuntimeError):
    pass


class WebDriver(PageDriver):
    def __init__(self, driver, capabilities, env=None):
        port = free_port()
        self._base = f"http://127.0.0.1:{port}"
        self._driver = subprocess.Popen([*driver, f"--port={port}"], env=env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self._session = None
        try:
            wait_for(self._ready, 30, "the WebDriver server")
            answer = self._request("POST", "/session",
                                   {"capabilities": {"alwaysMatch": capabilities}})
            self._session = answer["sessionId"]
        except BaseException:
            self.close()
            raise

    def close(self):
        if self._session is not None:
            try:
                self._request("DELETE", f"/session/{self._session}")
            except (OSError, WebDriverError):
                pass
            self._session = None
        self._driver.terminate()
        self._driver.wait()

    def _ready(self):
        if self._driver.poll() is not None:
            raise WebDriverError(f"the driver ended with status {self._driver.returncode}")
        try:
            return self._request("GET", "/status").get("ready", False)
        except OSError:
            return False

    def _request(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self._base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=60) as answer:
                return json.load(answer)["value"]
        except urllib.error.HTTPError as failure:
            raise WebDriverError(f"{method} {path}: {failure.read().decode()}") from None

    def command(self, method, path, body=None):
        return self._request(method, f"/session/{self._session}{path}", body)

    # The commands the page driver builds on.

    def navigate(self, url):
        self.command("POST", "/url", {"url": url})

    def refresh(self):
        self.command("POST", "/refresh", {})

    def evaluate(self, expression):
        return self.command("POST", "/execute/sync",
                            {"script": f"return ({expression});", "args": []})

    def click(self, control):
        element = self.command("POST", "/element",
                               {"using": "css selector", "value": f"#{control}"})[ELEMENT]
        self.command("POST", f"/element/{element}/click", {})

    def keys(self, *keys):
        self.command("POST", "/actions", {"actions": [
            {"type": "key", "id": "keyboard", "actions": self.key_steps(keys)}]})
        self.command("DELETE", "/actions")
