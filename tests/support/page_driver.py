"""What the page tests do in any browser, on top of the few commands each
browser's automation gives: navigate, refresh, evaluate, click, keys and
close."""

import json

from support.waiting import wait_for

WINDOW_READY = ("document.readyState === 'complete' && "
                "document.activeElement && document.activeElement.id === 'Text1'")


class PageDriver:
    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        raise NotImplementedError

    def navigate(self, url):
        raise NotImplementedError

    def refresh(self):
        raise NotImplementedError

    def evaluate(self, expression):
        raise NotImplementedError

    def click(self, control):
        raise NotImplementedError

    def keys(self, *keys):
        """Presses and releases each key in turn: characters, or WebDriver's
        codes for named keys."""
        raise NotImplementedError

    def open(self, url):
        """Loads the page and waits for the window, the focus in Text1."""
        self.navigate(url)
        self.wait_until(WINDOW_READY)

    def reload(self):
        self.refresh()
        self.wait_until(WINDOW_READY)

    def wait_until(self, expression, timeout=15):
        return wait_for(lambda: self.evaluate(expression), timeout, expression)

    def values(self, controls):
        return self.evaluate(
            f"{json.dumps(controls)}.map((id) => document.getElementById(id).value)")

    def focused(self):
        return self.evaluate("document.activeElement ? document.activeElement.id : ''")

    def type(self, text):
        self.keys(*text)

    @staticmethod
    def key_steps(keys):
        return [step for key in keys
                for step in ({"type": "keyDown", "value": key}, {"type": "keyUp", "value": key})]
