"""Every box visible in every palette: on a real X server, under light, dark
and high-contrast palettes and the Qt styles a desktop may impose, each
entry and result box's border stands out from what surrounds it by a
contrast ratio of at least 3:1 (WCAG's non-text contrast), and its text from
its background by at least 4.5:1. Measured on the window's pixels.
"""

import os
import tempfile
import unittest

from support.contrast import contrast, luminance
from support.waiting import wait_for
from support.xsession import CONTROL_RECTS, XSession

BINARY = os.environ.get("RONGXI_BINARY", "build/rongxi")

# A KDE Breeze Dark colour scheme: background and text of each colour group.
BREEZE_DARK_GROUPS = {"Window": "32,35,38", "View": "20,22,24", "Button": "41,44,48",
                      "Selection": "61,174,233"}
BREEZE_DARK = "[General]\nColorScheme=BreezeDark\n" + "".join(
    f"\n[Colors:{group}]\nBackgroundNormal={background}\nForegroundNormal=252,252,252\n"
    for group, background in BREEZE_DARK_GROUPS.items())

# name: (environment, dark). The GTK themes reach Qt through its GTK
# platform theme, a KDE colour scheme through kdeglobals.
PALETTES = {
    "light": ({}, False),
    "GTK Adwaita dark": ({"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"}, True),
    "GTK high contrast dark": (
        {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "HighContrast:dark"}, True),
    "KDE Breeze Dark": ({"XDG_CURRENT_DESKTOP": "KDE", "KDE_SESSION_VERSION": "5",
                         "kdeglobals": BREEZE_DARK}, True),
}
# The styles a desktop may impose; adwaita-qt brings palettes of its own.
STYLES = {"Fusion": ("Fusion", None), "adwaita-qt": ("Adwaita", False),
          "adwaita-qt dark": ("Adwaita-Dark", True)}


class BoxesInEveryPalette(unittest.TestCase):
    def measure(self, environment):
        with XSession() as session, tempfile.TemporaryDirectory() as config:
            env = {key: value for key, value in environment.items() if key != "kdeglobals"}
            if "kdeglobals" in environment:
                with open(os.path.join(config, "kdeglobals"), "w") as f:
                    f.write(environment["kdeglobals"])
                env["XDG_CONFIG_HOME"] = config
            window = session.launch(BINARY, env=env)
            try:
                window.focus()
                window.type("123")
                window.click("Command1")  # rows in the result boxes, the caret out of them
                # The click is handled and painted in its own time: measure
                # once the last row shows.
                x, y, width, height = CONTROL_RECTS["Text9"]
                wait_for(lambda: len(set(window.pixels(x + 3, y + 3, width - 6, height - 6))) > 1,
                         10, "the rows to be painted")
                found = {"window": window.pixels(4, 4, 1, 1)[0]}
                for box in [f"Text{n}" for n in range(1, 10)]:
                    x, y, width, height = CONTROL_RECTS[box]
                    middle = y + height // 2
                    outside = window.pixels(x - 3, middle, 1, 1)[0]
                    border = window.pixels(x, middle, 2, 1)
                    found[box] = max(contrast(pixel, outside) for pixel in border)
                    inside = window.pixels(x + 3, y + 3, width - 6, height - 6)
                    background = max(set(inside), key=inside.count)
                    found[box + " text"] = max(contrast(pixel, background) for pixel in inside)
                return found
            finally:
                window.request_close()
                window.wait_for_exit(30)

    def test_borders_and_text_stand_out(self):
        for palette, (environment, dark_palette) in PALETTES.items():
            for style, (name, dark_style) in STYLES.items():
                with self.subTest(palette=palette, style=style):
                    found = self.measure({**environment, "QT_STYLE_OVERRIDE": name})
                    # The palette took: a style's own palette wins over the desktop's.
                    dark = dark_palette if dark_style is None else dark_style
                    self.assertEqual(luminance(found.pop("window")) < 0.2, dark)
                    low = {what: round(ratio, 2) for what, ratio in found.items()
                           if ratio < (4.5 if what.endswith("text") else 3)}
                    self.assertEqual(low, {})


if __name__ == "__main__":
    unittest.main(verbosity=2)
