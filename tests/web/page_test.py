#!/usr/bin/env python3
"""The web page in headless Chromium, as a user meets it on a desktop and on
a phone: real key, mouse, touch, clipboard, drag and input-method events
through the DevTools protocol; values, focus, layout and names read back."""

import json
import os
import re
import shutil
import subprocess
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
from support.chromium import Chromium
from support.page_driver import WINDOW_READY
from support.site_server import SiteServer
from support.contrast import contrast
from support.waiting import wait_for
from support import tables

SITE = os.environ.get("RONGXI_SITE", "build-web/site")
SOURCE = os.path.join(HERE, "..", "..")
ENTRY_BOXES = ["Text1", "Text2", "Text3"]
RESULT_BOXES = [f"Text{n}" for n in range(4, 10)]
ROWS_123 = tables.draw_rows("123")
LAYOUT = tables.expected_layout()
DESKTOP_SCALE = 2  # the page shows the window at twice its size from 720 px wide


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = SiteServer(SITE)
        cls.addClassCleanup(cls.server.stop)
        cls.browser = Chromium()
        cls.addClassCleanup(cls.browser.close)

    def setUp(self):
        self.browser.call("Emulation.clearDeviceMetricsOverride")
        self.browser.call("Emulation.setTouchEmulationEnabled", enabled=False)
        self.browser.open(self.server.url)

    def rows(self):
        return self.browser.values(RESULT_BOXES)

    def compute(self, tap=False):
        (self.browser.tap if tap else self.browser.click)("Command1")
        self.browser.wait_until("document.getElementById('Text9').value !== ''")
        return self.rows()


class OwnBrowser(unittest.TestCase):
    """A server and a browser of the test's own: for what changes the
    browser or the site beyond one test."""

    folder = SITE

    def setUp(self):
        self.server = SiteServer(self.folder)
        self.addCleanup(self.server.stop)
        self.browser = Chromium()
        self.addCleanup(self.browser.close)


class Desktop(Page):
    def test_typing_moves_on_and_enter_in_a_box_presses_nothing(self):
        for typed, focused in (("1", "Text2"), ("2", "Text3"), ("3", "Text3")):
            self.browser.type(typed)
            self.assertEqual(self.browser.focused(), focused)
        self.browser.press("Enter")
        self.browser.press("Escape")
        self.assertEqual(self.rows(), [""] * 6)
        self.assertEqual(self.compute(), ROWS_123)

    def test_enter_presses_the_focused_button_and_clear_keeps_the_focus(self):
        self.browser.type("123")
        self.compute()
        self.browser.press("Tab")
        self.assertEqual(self.browser.focused(), "Command2")
        self.browser.press("Enter")
        self.browser.wait_until("document.getElementById('Text9').value === ''")
        self.assertEqual(self.browser.values(ENTRY_BOXES + RESULT_BOXES), [""] * 9)
        self.assertEqual(self.browser.focused(), "Command2")

    def test_tab_walks_the_controls_in_order(self):
        # After the last row, Tab leaves the page for the browser, as on any
        # page, and the next one comes back to the first box.
        cycle = tables.tab_cycle()
        walked = []
        for _ in range(len(cycle) + 1):
            self.browser.press("Tab")
            walked.append(self.browser.focused())
        self.assertEqual(walked, cycle[1:] + [""] + cycle[:1])

    def test_exit_ends_the_program_visibly_and_it_can_start_again(self):
        self.browser.type("9")
        self.browser.click("Command3")
        self.browser.wait_until("document.getElementById('Ended') !== null")
        self.assertEqual(self.browser.evaluate("document.querySelector('#Ended p').textContent"),
                         "榕汐已退出。")
        self.assertIsNone(self.browser.evaluate("document.getElementById('Form1')"))
        self.browser.press("Enter")  # on the link to start again, which has the focus
        self.browser.wait_until("document.activeElement && document.activeElement.id === 'Text1'")
        self.assertEqual(self.browser.values(ENTRY_BOXES), [""] * 3)

    def test_an_entry_box_holds_one_whole_character_by_every_path(self):
        b = self.browser
        drop_target = b.rect("#Text2")

        def drop(text):
            x, y, width, height = drop_target
            data = {"items": [{"mimeType": "text/plain", "data": text}], "dragOperationsMask": 1}
            for kind in ("dragEnter", "dragOver", "drop"):
                b.call("Input.dispatchDragEvent", type=kind, x=x + width / 2, y=y + height / 2,
                       data=data)

        # (what happens, into which box, then the three boxes and the focus)
        steps = [
            ("paste 123", "Text3", lambda: b.paste("123"), ["", "", "1"], "Text3"),
            ("undo the cut-down paste", "Text3", lambda: b.shortcut("z", "undo"),
             ["", "", ""], "Text3"),
            ("type into a full box", "Text3", lambda: b.type("34"), ["", "", "3"], "Text3"),
            ("paste into a full box", "Text3", lambda: b.paste("45"), ["", "", "3"], "Text3"),
            ("a character outside the BMP", "Text1", lambda: b.insert_text("😀😀"),
             ["😀", "", "3"], "Text2"),
            ("replace the selected character", "Text1",
             lambda: (b.shortcut("a", "selectAll"), b.type("7")), ["7", "", "3"], "Text2"),
            ("drop 789", None, lambda: drop("789"), ["7", "7", "3"], "Text3"),
            ("compose a word", "Text2", lambda: (b.shortcut("a", "selectAll"),
                                                 b.compose("nihao", "你好")),
             ["7", "你", "3"], "Text3"),
            ("compose into a full box", "Text3", lambda: b.compose("ma", "吗"),
             ["7", "你", "3"], "Text3"),
        ]
        for what, box, act, boxes, focused in steps:
            with self.subTest(step=what):
                if box:
                    b.click(box)
                act()
                try:
                    wait_for(lambda: b.values(ENTRY_BOXES) == boxes, 5, what)
                except TimeoutError:
                    self.fail(f"{what}: the boxes hold {b.values(ENTRY_BOXES)}, not {boxes}")
                self.assertEqual(b.focused(), focused)

    def test_a_failure_shows_the_runtime_error_and_ends(self):
        # The browser refuses to write the third row, as a full disk would.
        self.browser.evaluate("""Object.defineProperty(document.getElementById('Text6'), 'value',
            {get() { return ''; }, set(v) { throw new Error('磁盘已满'); }})""")
        self.browser.type("123")
        self.browser.click("Command1")
        self.browser.wait_until("document.querySelector('#Ended [role=alert]') !== null")
        self.assertEqual(
            self.browser.evaluate("document.querySelector('#Ended [role=alert]').textContent"),
            "运行时错误：磁盘已满")

    def test_screen_readers_read_the_controls_names(self):
        roles = {"Frame": "group", "EntryBox": "textbox", "ResultBox": "textbox",
                 "Button": "button"}
        nodes = self.browser.call("Accessibility.getFullAXTree")["nodes"]
        named = {(node.get("role", {}).get("value"), node.get("name", {}).get("value"))
                 for node in nodes if not node.get("ignored")}
        # Frames and buttons are read by their captions, and every box by a
        # name of its own.
        for control in LAYOUT:
            if control["caption"]:
                with self.subTest(control=control["name"]):
                    self.assertIn((roles[control["kind"]], control["caption"]), named)
        box_names = {name for role, name in named if role == "textbox" and name}
        self.assertEqual(len(box_names), 9)
        self.assertEqual(self.browser.evaluate(
            "[...document.querySelectorAll('.entry-box')].map(box => box.inputMode)"),
            ["numeric"] * 3)
        # The window's caption, blank and all, names the page.
        self.assertEqual(self.browser.evaluate("document.querySelector('title').textContent"),
                         "榕汐 ")
        self.assertEqual(self.browser.evaluate("document.documentElement.lang"), "zh-CN")

    def live_region_text(self):
        """The text of the page's status region, as the accessibility tree
        gives it to a screen reader."""
        nodes = {node["nodeId"]: node
                 for node in self.browser.call("Accessibility.getFullAXTree")["nodes"]}

        def text(node):
            if node.get("role", {}).get("value") == "StaticText":
                return node.get("name", {}).get("value", "")
            return "".join(text(nodes[child]) for child in node.get("childIds", [])
                           if child in nodes)
        regions = [node for node in nodes.values()
                   if node.get("role", {}).get("value") == "status"]
        self.assertEqual(len(regions), 1)
        return text(regions[0]).strip()

    def test_screen_readers_hear_the_rows_filled_and_the_boxes_cleared(self):
        rows_filled = tables.program_text("rows-filled")
        cleared = tables.program_text("boxes-cleared")
        self.browser.type("123")
        for button, said in (("Command1", rows_filled), ("Command1", rows_filled),
                             ("Command2", cleared)):
            region = "document.getElementById('Announcement').textContent"
            before = self.browser.evaluate(region)
            self.browser.click(button)
            # Said again, the same words are still a change of the region.
            self.browser.wait_until(f"{region} !== {json.dumps(before)}")
            self.assertEqual(self.live_region_text(), said)
            self.assertEqual(self.browser.focused(), button)
        # Out of sight: the region covers no more than a pixel.
        _, _, width, height = self.browser.rect("#Announcement")
        self.assertLessEqual(width * height, 1)

    def test_the_window_layout_scaled_from_the_table(self):
        x0, y0, _, _ = self.browser.rect("#Form1")
        for control in LAYOUT:
            with self.subTest(control=control["name"]):
                x, y, width, height = self.browser.rect("#" + control["name"])
                measured = (x - x0, y - y0, width, height)
                expected = tuple(DESKTOP_SCALE * value for value in control["rect"])
                for got, want in zip(measured, expected):
                    self.assertAlmostEqual(got, want, delta=1)

    def test_boxes_draw_chinese_in_a_bold_serif_face(self):
        self.browser.compose("ni", "你")
        document = self.browser.call("DOM.getDocument")["root"]["nodeId"]
        box = self.browser.call("DOM.querySelector", nodeId=document, selector="#Text1")["nodeId"]
        fonts = self.browser.call("CSS.getPlatformFontsForNode", nodeId=box)["fonts"]
        self.assertTrue(fonts)
        for font in fonts:
            self.assertIn("Serif", font["familyName"])
            self.assertNotIn("Sans", font["familyName"])
        self.assertEqual(self.browser.evaluate(
            "getComputedStyle(document.getElementById('Text1')).fontWeight"), "700")


def rgb(css):
    """A computed CSS colour, "rgb(r, g, b)" or "rgba(...)", as numbers."""
    return tuple(int(float(c)) for c in css[css.index("(") + 1:-1].split(",")[:3])


class Palettes(Page):
    def test_boxes_stand_out_in_light_and_dark_schemes(self):
        colours = """[...document.querySelectorAll('input, textarea')].map(box => {
            const style = getComputedStyle(box);
            return [box.id, style.borderTopColor, style.backgroundColor, style.color,
                    getComputedStyle(document.body).backgroundColor];
        })"""
        # The browser's bar takes the theme colour of the scheme in use.
        theme = """[...document.querySelectorAll('meta[name="theme-color"]')]
            .filter(meta => matchMedia(meta.media || 'all').matches).map(meta => meta.content)"""
        for scheme in ("light", "dark"):
            self.browser.call("Emulation.setEmulatedMedia",
                              features=[{"name": "prefers-color-scheme", "value": scheme}])
            self.browser.reload()
            self.browser.click("Text2")  # a focused box among the others
            page = rgb(self.browser.evaluate("getComputedStyle(document.body).backgroundColor"))
            [bar] = self.browser.evaluate(theme)
            self.assertEqual(tuple(int(bar[i:i + 2], 16) for i in (1, 3, 5)), page, scheme)
            borders = {}
            for box, *css in self.browser.evaluate(colours):
                border, background, text, page = map(rgb, css)
                borders[box] = border
                with self.subTest(scheme=scheme, box=box):
                    self.assertGreaterEqual(contrast(border, page), 3)
                    self.assertGreaterEqual(contrast(border, background), 3)
                    self.assertGreaterEqual(contrast(text, background), 4.5)
            # The focused box differs from the others by its colour too.
            self.assertGreaterEqual(contrast(borders["Text2"], borders["Text1"]), 3, scheme)
        self.browser.call("Emulation.setEmulatedMedia", features=[])


class QuickUser(OwnBrowser):
    """The window is painted from the page alone, before the program has
    arrived; what a quick user does there is carried out once it has."""

    def setUp(self):
        super().setUp()
        self.browser.emulate_phone()
        # The program held on its way, as on a slow network.
        self.program = self.server.hold("/rongxi.js")
        self.browser.navigate(self.server.url)
        self.browser.wait_until("document.readyState !== 'loading' && "
                                "document.getElementById('download-failed') !== null")

    def run_program(self):
        self.program.set()
        self.browser.wait_until("window.rongxiEarly.replayed")

    def test_a_draw_typed_and_computed_early_gives_its_rows(self):
        shown = self.browser.evaluate("""[...document.querySelectorAll(
                '#Form1 [id]:not([role=status])')].map(c => {
            const box = c.getBoundingClientRect();
            return [c.id, box.width > 0 && box.height > 0];
        })""")
        self.assertEqual(shown, [[control["name"], True] for control in LAYOUT])
        self.browser.tap("Text1")
        self.assertEqual(self.browser.focused(), "Text1")  # the keyboard comes up
        self.browser.type("123")
        self.browser.tap("Command1")
        # Nothing done before the program runs: no box changed, no rows.
        self.assertEqual(self.browser.values(ENTRY_BOXES + RESULT_BOXES), [""] * 9)
        self.run_program()
        self.assertEqual(self.browser.values(ENTRY_BOXES), ["1", "2", "3"])
        self.assertEqual(self.browser.values(RESULT_BOXES), ROWS_123)
        self.assertEqual(self.browser.focused(), "Command1")

    def test_early_keys_keep_the_one_character_rule_and_the_users_focus(self):
        self.browser.tap("Text3")
        self.browser.type("45")
        self.browser.paste("67")
        self.run_program()
        self.assertEqual(self.browser.values(ENTRY_BOXES), ["", "", "4"])
        self.assertEqual(self.browser.focused(), "Text3")


class OldEngine(unittest.TestCase):
    """What Safari 12 and 13 lack, taken away before the page runs:
    MediaQueryList's addEventListener (Safari 14), InputEvent's isComposing
    (Safari 16.4), WebAssembly's streaming start (Safari 15)."""

    LACKING = """
        Object.defineProperty(MediaQueryList.prototype, 'addEventListener', {value: undefined});
        Object.defineProperty(MediaQueryList.prototype, 'removeEventListener',
                              {value: undefined});
        delete InputEvent.prototype.isComposing;
        delete WebAssembly.instantiateStreaming;"""
    BORDER = "getComputedStyle(document.getElementById('Text1')).borderTopColor"

    def test_starts_follows_the_scheme_takes_a_word_and_computes(self):
        server = SiteServer(SITE)
        self.addCleanup(server.stop)
        with Chromium() as browser:
            browser.call("Page.addScriptToEvaluateOnNewDocument", source=self.LACKING)
            browser.open(server.url)  # the focus in the first box once it runs
            light = browser.evaluate(self.BORDER)
            browser.call("Emulation.setEmulatedMedia",
                         features=[{"name": "prefers-color-scheme", "value": "dark"}])
            browser.wait_until(f"{self.BORDER} !== {json.dumps(light)}")
            browser.compose("yi", "一")
            self.assertEqual(browser.values(ENTRY_BOXES), ["一", "", ""])
            self.assertEqual(browser.focused(), "Text2")
            browser.click("Command2")
            browser.click("Text1")
            browser.type("123")
            browser.click("Command1")
            browser.wait_until("document.getElementById('Text9').value !== ''")
            self.assertEqual(browser.values(RESULT_BOXES), ROWS_123)


class OtherScripts(OwnBrowser):
    """In-app browsers and carriers put scripts of their own into pages:
    their errors are left to the browser, and only the program's own end it."""

    def test_errors_of_other_scripts_leave_the_program_running(self):
        with tempfile.TemporaryDirectory() as other_site:
            with open(os.path.join(other_site, "bridge.js"), "w") as f:
                f.write("WeixinJSBridge.invoke('getNetworkType');\n")
            other_origin = SiteServer(other_site)  # another port: another origin
            self.addCleanup(other_origin.stop)
            # An injected script that throws once the page has loaded.
            self.browser.call("Page.addScriptToEvaluateOnNewDocument", source="""
                addEventListener('load', () => setTimeout(() => {
                    throw new Error('WeixinJSBridge is not ready'); }));""")
            self.browser.open(self.server.url)
            self.browser.type("123")
            self.browser.click("Command1")
            self.browser.wait_until("document.getElementById('Text9').value !== ''")
            # An inline script calling what is not there, and a script of
            # another origin ("Script error.").
            self.browser.evaluate(f"""(() => {{
                window.errorsSeen = 0;
                addEventListener('error', () => {{ window.errorsSeen += 1; }});
                const inline = document.createElement('script');
                inline.textContent = 'WeixinJSBridge.call("hideOptionMenu");';
                document.body.append(inline);
                const other = document.createElement('script');
                other.src = {json.dumps(other_origin.url + "bridge.js")};
                document.body.append(other);
            }})()""")
            self.browser.wait_until("window.errorsSeen === 2")
        self.assertIsNone(self.browser.evaluate("document.getElementById('Ended')"))
        self.assertEqual(self.browser.values(RESULT_BOXES), ROWS_123)
        self.browser.click("Command2")
        self.browser.wait_until("document.getElementById('Text9').value === ''")

    def test_the_programs_own_failure_still_ends_it(self):
        self.browser.open(self.server.url)
        # An input event without its type: the program cannot read it.
        self.browser.evaluate("document.getElementById('Text1').dispatchEvent("
                              "new Event('beforeinput', {bubbles: true}))")
        self.browser.wait_until("document.querySelector('#Ended [role=alert]') !== null")
        self.assertTrue(self.browser.evaluate(
            "document.querySelector('#Ended [role=alert]').textContent").startswith(
            tables.program_text("runtime-error")))


class WithoutWebAssembly(unittest.TestCase):
    """Each browser fetches the one program it can run: WebAssembly, or the
    same program as JavaScript where WebAssembly is off (as in an iPhone's
    Lockdown Mode) or missing."""

    FETCHED = "performance.getEntriesByType('resource').map((entry) => entry.name)"

    def draw_and_fetched(self, webassembly):
        server = SiteServer(SITE)
        self.addCleanup(server.stop)
        with Chromium() as browser:
            if not webassembly:
                # What a browser without it looks like, before the page runs.
                browser.call("Page.addScriptToEvaluateOnNewDocument",
                             source="delete globalThis.WebAssembly;")
            browser.open(server.url)
            browser.type("123")
            browser.click("Command1")
            browser.wait_until("document.getElementById('Text9').value !== ''")
            self.assertEqual(browser.values(RESULT_BOXES), ROWS_123)
            return {url.rsplit("/", 1)[-1] for url in browser.evaluate(self.FETCHED)}

    def test_each_browser_fetches_the_program_it_runs(self):
        fetched = self.draw_and_fetched(webassembly=True)
        self.assertIn("rongxi.wasm", fetched)
        self.assertNotIn("rongxi.wasm.js", fetched)
        fetched = self.draw_and_fetched(webassembly=False)
        self.assertIn("rongxi.wasm.js", fetched)
        self.assertNotIn("rongxi.wasm", fetched)


class HomeScreenIcons(Page):
    def test_icons_are_opaque_and_the_maskable_one_keeps_to_the_safe_circle(self):
        # Each icon as the browser decodes it: every pixel's opacity, and the
        # farthest drawn (not background) pixel from the middle, as a share
        # of the side.
        measure = """(async (src) => {
            const image = new Image();
            image.src = src;
            await image.decode();
            const canvas = document.createElement('canvas');
            canvas.width = image.width;
            canvas.height = image.height;
            const context = canvas.getContext('2d');
            context.drawImage(image, 0, 0);
            const data = context.getImageData(0, 0, image.width, image.height).data;
            let opaque = true, farthest = 0;
            for (let i = 0; i < data.length; i += 4) {
                opaque = opaque && data[i + 3] === 255;
                if (data[i] + data[i + 1] + data[i + 2] === 765) continue;
                const x = (i / 4) % image.width + 0.5, y = Math.floor(i / 4 / image.width) + 0.5;
                farthest = Math.max(farthest,
                                    Math.hypot(x - image.width / 2, y - image.height / 2));
            }
            return [image.width, image.height, opaque, farthest / image.width];
        })"""
        manifest = self.browser.evaluate(
            "fetch('manifest.webmanifest').then((answer) => answer.json())", await_promise=True)
        touch = self.browser.evaluate(
            "document.querySelector('link[rel=\"apple-touch-icon\"]').getAttribute('href')")
        icons = [(icon["src"], icon.get("purpose", "any")) for icon in manifest["icons"]]
        self.assertIn("maskable", [purpose for _, purpose in icons])
        for src, purpose in [*icons, (touch, "apple-touch-icon")]:
            with self.subTest(icon=src):
                width, height, opaque, farthest = self.browser.evaluate(
                    f"{measure}({src!r})", await_promise=True)
                self.assertTrue(opaque)
                if purpose == "maskable":
                    self.assertLessEqual(farthest, 0.4)
                if purpose == "apple-touch-icon":
                    self.assertEqual((width, height), (180, 180))


class Phone(Page):
    def setUp(self):
        super().setUp()
        self.browser.emulate_phone(360, 640)
        self.browser.reload()

    def test_fits_the_width_with_room_for_fingers(self):
        self.assertLessEqual(self.browser.evaluate("document.documentElement.scrollWidth"), 360)
        for control in ENTRY_BOXES + RESULT_BOXES + ["Command1", "Command2", "Command3"]:
            with self.subTest(control=control):
                x, _, width, height = self.browser.rect("#" + control)
                self.assertGreaterEqual(width, 44)
                self.assertGreaterEqual(height, 44)
                self.assertGreaterEqual(x, 0)
                self.assertLessEqual(x + width, 360)

    def test_larger_text_grows_the_rows_and_keeps_them_whole(self):
        normal = self.browser.evaluate(
            "parseFloat(getComputedStyle(document.getElementById('Text4')).fontSize)")
        # The reader's default font size doubled, as a phone's text setting does.
        self.browser.call("Page.setFontSizes", fontSizes={"standard": 32, "fixed": 26})
        self.browser.reload()
        self.browser.tap("Text1")
        for digit in "123":
            self.browser.insert_text(digit)
        self.assertEqual(self.compute(tap=True), ROWS_123)
        self.assertEqual(self.browser.evaluate(
            "parseFloat(getComputedStyle(document.getElementById('Text4')).fontSize)"),
            2 * normal)
        self.assertLessEqual(self.browser.evaluate("document.documentElement.scrollWidth"), 360)
        # Every row whole in its box: nothing scrolled out of sight either way.
        self.assertEqual(self.browser.evaluate(
            "[...document.querySelectorAll('.result-box')].filter(box => "
            "box.scrollWidth > box.clientWidth || box.scrollHeight > box.clientHeight)"
            ".map(box => box.id)"), [])
        self.browser.call("Page.setFontSizes", fontSizes={"standard": 16, "fixed": 13})

    def test_held_sideways_every_control_is_on_the_screen(self):
        for width, height in ((740, 360), (844, 390)):
            self.browser.emulate_phone(width, height)
            self.browser.reload()
            for control in ENTRY_BOXES + RESULT_BOXES + ["Command1", "Command2", "Command3"]:
                with self.subTest(screen=(width, height), control=control):
                    x, y, box_width, box_height = self.browser.rect("#" + control)
                    self.assertGreaterEqual(min(box_width, box_height), 44)
                    self.assertTrue(0 <= x and x + box_width <= width)
                    self.assertTrue(0 <= y and y + box_height <= height)

    def test_taps_and_a_phone_keyboard_give_the_rows_in_full_view(self):
        self.browser.tap("Text1")
        for digit in "123":
            self.browser.insert_text(digit)
        self.assertEqual(self.compute(tap=True), ROWS_123)
        self.assertEqual(self.browser.evaluate(
            "[...document.querySelectorAll('.result-box')]"
            ".filter(box => box.scrollWidth > box.clientWidth).map(box => box.id)"), [])
        self.browser.tap("Command2")
        self.browser.wait_until("document.getElementById('Text9').value === ''")
        self.assertEqual(self.browser.values(ENTRY_BOXES), [""] * 3)


class Offline(unittest.TestCase):
    def test_installable_and_opens_again_without_a_network(self):
        server = SiteServer(SITE)
        self.addCleanup(server.stop)
        with Chromium() as browser:
            browser.open(server.url)
            browser.wait_until("navigator.serviceWorker.controller !== null")
            self.assertEqual(browser.call("Page.getInstallabilityErrors")["installabilityErrors"],
                             [])
            server.stop()
            browser.call("Network.emulateNetworkConditions", offline=True, latency=0,
                         downloadThroughput=-1, uploadThroughput=-1)
            browser.reload()
            browser.type("123")
            browser.click("Command1")
            browser.wait_until("document.getElementById('Text9').value !== ''")
            self.assertEqual(browser.values(RESULT_BOXES), ROWS_123)


class ChangedSite(OwnBrowser):
    """The site copied into a folder of the test's own, which the test
    changes as a host's files change."""

    def setUp(self):
        scratch = tempfile.TemporaryDirectory()
        self.addCleanup(scratch.cleanup)
        self.folder = os.path.join(scratch.name, "site")
        shutil.copytree(SITE, self.folder)
        super().setUp()

    def write(self, name, content):
        path = os.path.join(self.folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(content)
        # The host tells a change by the file's time, in whole seconds.
        self.writes = getattr(self, "writes", 0) + 1
        later = os.stat(path).st_mtime + 10 * self.writes
        os.utime(path, (later, later))

    def fetched(self, path):
        return self.browser.evaluate(f"fetch({json.dumps(path)}).then((answer) => answer.text())",
                                     await_promise=True)

    def draw(self):
        self.browser.type("123")
        self.browser.click("Command1")
        self.browser.wait_until("document.getElementById('Text9').value !== ''")
        self.assertEqual(self.browser.values(RESULT_BOXES), ROWS_123)


class ServiceWorker(ChangedSite):
    def test_answers_for_the_site_alone_and_downloads_each_file_once(self):
        self.write("other/index.html", b"other 1")
        self.write("api.json", b"data 1")
        self.browser.open(self.server.url)
        self.browser.wait_until("navigator.serviceWorker.controller !== null")
        downloaded = [path for path, status in self.server.answers if status == 200]
        self.assertEqual(len(downloaded), len(set(downloaded)), downloaded)
        self.assertEqual((self.fetched("api.json?a=1"), self.fetched("other/")),
                         ("data 1", "other 1"))
        # Another page and data of the same origin change on the host.
        self.write("other/index.html", b"other 2")
        self.write("api.json", b"data 2")
        self.assertEqual((self.fetched("api.json?a=2"), self.fetched("other/")),
                         ("data 2", "other 2"))
        kept = self.browser.evaluate(
            "caches.keys().then((names) => Promise.all(names.map((name) => caches.open(name)"
            ".then((cache) => cache.keys())))).then((lists) => lists.flat().map((r) => r.url))",
            await_promise=True)
        self.assertFalse([url for url in kept if "api.json" in url or "other" in url], kept)


class FailedStart(ChangedSite):
    def test_a_share_link_survives_the_switch_to_javascript(self):
        self.write("rongxi.wasm", b"\0asm not a module")
        self.browser.open(self.server.url + "?from=singlemessage#wechat_redirect")
        self.assertEqual(self.browser.evaluate("location.search + location.hash"),
                         "?from=singlemessage&_rwasm=0#wechat_redirect")
        self.draw()

    def failed_download_says_so_and_tries_again(self, name):
        moved = os.path.join(self.folder, name + ".away")
        os.rename(os.path.join(self.folder, name), moved)
        self.browser.navigate(self.server.url)
        self.browser.wait_until("(document.getElementById('download-failed') || "
                                "{hidden: true}).hidden === false")
        notice = self.browser.evaluate("document.getElementById('download-failed').textContent")
        self.assertIn("网络", notice)
        self.assertIn(tables.program_text("try-again"), notice)
        self.assertTrue(self.browser.evaluate("document.getElementById('cannot-run').hidden"))
        os.rename(moved, os.path.join(self.folder, name))
        self.browser.evaluate("document.querySelector('#download-failed a').click()")
        self.browser.wait_until(WINDOW_READY)
        self.draw()

    def test_a_failed_download_of_the_program_says_so_and_tries_again(self):
        self.failed_download_says_so_and_tries_again("rongxi.js")

    def test_a_failed_download_of_the_module_says_so_and_tries_again(self):
        self.failed_download_says_so_and_tries_again("rongxi.wasm")

    def test_a_script_the_browser_cannot_run_says_so(self):
        self.write("rongxi.js", b"const = ;\n")
        self.browser.navigate(self.server.url)
        self.browser.wait_until(
            "(document.getElementById('cannot-run') || {hidden: true}).hidden === false")
        self.assertTrue(self.browser.evaluate("document.getElementById('download-failed').hidden"))


class OtherCaches(unittest.TestCase):
    def test_an_update_deletes_only_the_pages_own_old_cache(self):
        keys = "caches.keys()"
        with tempfile.TemporaryDirectory() as scratch:
            copy = os.path.join(scratch, "site")
            shutil.copytree(SITE, copy)
            server = SiteServer(copy)
            self.addCleanup(server.stop)
            with Chromium() as browser:
                browser.open(server.url)
                browser.wait_until("navigator.serviceWorker.controller !== null")
                browser.evaluate("caches.open('another page').then((cache) => "
                                 "cache.put('/other', new Response('kept')))", await_promise=True)
                [first] = [name for name in browser.evaluate(keys, await_promise=True)
                           if name != "another page"]
                # A new version of the page: a changed file, a new worker.
                with open(os.path.join(copy, "index.html"), "a", encoding="utf-8") as f:
                    f.write("\n")
                subprocess.run([os.environ.get("RONGXI_CMAKE", "cmake"), f"-DSITE={copy}",
                                f"-DTEMPLATE={SOURCE}/web/service-worker.js.in", "-P",
                                f"{SOURCE}/cmake/site-digest.cmake"], check=True)
                browser.evaluate("navigator.serviceWorker.getRegistration()"
                                 ".then((registration) => registration.update())",
                                 await_promise=True)
                wait_for(lambda: first not in browser.evaluate(keys, await_promise=True), 10,
                         "the old cache to go")
                left = browser.evaluate(keys, await_promise=True)
                self.assertIn("another page", left)
                self.assertEqual(len(left), 2, left)
                self.assertEqual(browser.evaluate(
                    "caches.match('/other').then((kept) => kept.text())", await_promise=True),
                    "kept")


class CacheName(unittest.TestCase):
    def test_a_change_to_any_file_names_a_new_cache(self):
        def cache_name(folder):
            subprocess.run([os.environ.get("RONGXI_CMAKE", "cmake"), f"-DSITE={folder}",
                            f"-DTEMPLATE={SOURCE}/web/service-worker.js.in", "-P",
                            f"{SOURCE}/cmake/site-digest.cmake"], check=True)
            with open(os.path.join(folder, "service-worker.js"), encoding="utf-8") as f:
                return re.search(r'const CACHE = PREFIX \+ "([0-9a-f]{16})"', f.read()).group(1)

        with open(os.path.join(SITE, "service-worker.js"), encoding="utf-8") as f:
            built = re.search(r'const CACHE = PREFIX \+ "([^"]+)"', f.read()).group(1)
        with tempfile.TemporaryDirectory() as scratch:
            copy = os.path.join(scratch, "site")
            shutil.copytree(SITE, copy)
            self.assertEqual(cache_name(copy), built)
            names = {built}
            for name in sorted(os.listdir(SITE)):
                if name == "service-worker.js":
                    continue
                with self.subTest(changed=name):
                    with open(os.path.join(copy, name), "ab") as f:
                        f.write(b"\n")
                    name_after = cache_name(copy)
                    self.assertNotIn(name_after, names)
                    names.add(name_after)


if __name__ == "__main__":
    unittest.main()
