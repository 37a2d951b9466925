"""The window tests' shared tables (draw_scenarios.h, expected_layout.h), read
from the C++ headers, so that the tests in Python check the same draws and
the same layout as every other front-end's tests."""

import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))
_STRING = re.compile(r'"([^"]*)"')


def _table(header, name):
    with open(os.path.join(HERE, header), encoding="utf-8") as f:
        text = f.read()
    start = text.index("{", text.index(name))
    return text[start:text.index("};", start)]


def draw_scenarios():
    """(name, three entries, six rows) for each draw."""
    strings = _STRING.findall(_table("draw_scenarios.h", "kDrawScenarios"))
    assert strings and len(strings) % 10 == 0, "draw_scenarios.h: not 10 strings a draw"
    return [(s[0], s[1:4], s[4:10]) for s in (strings[i:i + 10]
                                               for i in range(0, len(strings), 10))]


def draw_rows(name):
    """The six rows of the draw of that name."""
    return next(list(rows) for draw, _, rows in draw_scenarios() if draw == name)


_CONTROL = re.compile(r'\{"(\w+)", Kind::(\w+), "(\w+)", "([^"]*)", (\d+), (\d+), (\d+), (\d+), '
                      r'"([^"]*)"\}')


def expected_layout():
    """Each control: name, kind, container, caption, (x, y, width, height) in
    the client area at 96 dpi, accessible name."""
    rows = _CONTROL.findall(_table("expected_layout.h", "kExpectedLayout"))
    assert len(rows) == 14, "expected_layout.h: not 14 controls"
    return [{"name": name, "kind": kind, "container": container, "caption": caption,
             "rect": tuple(map(int, rect)), "accessible_name": accessible}
            for name, kind, container, caption, *rect, accessible in rows]


def tab_cycle():
    return _STRING.findall(_table("expected_layout.h", "kTabCycle"))
