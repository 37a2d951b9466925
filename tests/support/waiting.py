"""Waiting for what a test expects, with a deadline, never for a fixed time."""

import time


def wait_for(condition, timeout, what, poll=0.02):
    """The first true result of condition(), asked every `poll` seconds;
    TimeoutError once `timeout` seconds have passed without one."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(poll)
    raise TimeoutError(f"timed out waiting for {what}")
