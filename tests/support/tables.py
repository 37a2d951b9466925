"""The tables every window test checks against (tests/data), so that the
tests in Python check the same draws and the same layout as those in C++."""

import json
import os

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")


def _load(name):
    with open(os.path.join(DATA, name), encoding="utf-8") as f:
        return json.load(f)


def draw_scenarios():
    """(name, three entries, six rows) for each draw."""
    return [(d["name"], d["entries"], d["rows"]) for d in _load("draw_scenarios.json")]


def draw_rows(name):
    """The six rows of the draw of that name."""
    return next(list(rows) for draw, _, rows in draw_scenarios() if draw == name)


def expected_layout():
    """Each control: name, kind, container, caption, and (x, y, width,
    height) in the client area at 96 dpi."""
    return [dict(c, rect=tuple(c["rect"])) for c in _load("expected_layout.json")["controls"]]


def client_size():
    return tuple(_load("expected_layout.json")["clientSize"])


def tab_cycle():
    return _load("expected_layout.json")["tabCycle"]


def program_text(key):
    """A text the program shows or speaks, by its key in the core's table
    (as the build printed it)."""
    with open(os.environ["RONGXI_PROGRAM_TEXTS"], encoding="utf-8") as f:
        return json.load(f)[key]
