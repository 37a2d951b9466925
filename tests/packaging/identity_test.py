"""The program's identity as tools and desktops read it: the icon file, the
desktop entry, the AppStream metadata and the Debian package, which must
install and start."""

import gzip
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

import gi

gi.require_version("GLib", "2.0")
gi.require_version("Gtk", "3.0")
gi.require_version("AppStream", "1.0")
from gi.repository import AppStream, Gio, GLib, Gtk  # noqa: E402

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD = os.environ.get("RONGXI_BUILD_DIR", os.path.join(SOURCE, "build"))
VERSION = "1.00"
APP_ID = "cn.rongxi.Rongxi"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

from support.xsession import XSession

STANDARD_16_COLOURS = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def run(*command, **kwargs):
    return subprocess.run(list(command), check=True, capture_output=True, text=True, **kwargs)


class IconFile(unittest.TestCase):
    def test_holds_the_three_images(self):
        with open(os.path.join(SOURCE, "icons", "rongxi.ico"), "rb") as f:
            data = f.read()
        reserved, kind, count = struct.unpack_from("<HHH", data)
        self.assertEqual((reserved, kind, count), (0, 1, 3))
        images = []
        for index in range(count):
            width, height, colours, _, planes, bits, size, offset = struct.unpack_from(
                "<BBBBHHII", data, 6 + 16 * index)
            header = struct.unpack_from("<IiiHH", data, offset)
            self.assertEqual(header, (40, width, 2 * height, 1, bits), f"image {index}")
            self.assertLessEqual(offset + size, len(data))
            palette = [tuple(data[offset + 40 + 4 * i:][:3][::-1]) for i in range(colours)]
            if colours == 16:
                self.assertEqual(palette, STANDARD_16_COLOURS, f"image {index}")
            images.append((width, height, colours, bits))
        self.assertEqual(images, [(32, 32, 2, 1), (32, 32, 16, 4), (16, 16, 16, 4)])

    def test_files_match_their_drawing(self):
        run(sys.executable, os.path.join(SOURCE, "scripts", "make-icons"), "--check")


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.TemporaryDirectory()
        run("cpack", "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-B", cls.temp.name)
        [cls.deb] = [os.path.join(cls.temp.name, name) for name in os.listdir(cls.temp.name)
                     if name.endswith(".deb")]
        cls.root = os.path.join(cls.temp.name, "root")
        run("dpkg-deb", "-x", cls.deb, cls.root)

    @classmethod
    def tearDownClass(cls):
        cls.temp.cleanup()

    def field(self, name):
        return run("dpkg-deb", "-f", self.deb, name).stdout.strip()

    def test_is_named_and_versioned(self):
        self.assertRegex(os.path.basename(self.deb), rf"^rongxi_{VERSION}_[a-z0-9]+\.deb$")
        self.assertEqual(self.field("Version"), VERSION)

    def test_depends_on_qt_its_plugins_and_a_chinese_interface_font(self):
        depends = [alternatives.split("|") for alternatives in self.field("Depends").split(",")]
        depends = [[package.split("(")[0].strip() for package in group] for group in depends]
        for package in ("libqt6widgets6", "qt6-qpa-plugins", "qt6-wayland",
                        "qt6-translations-l10n"):
            self.assertIn([package], depends)
        # Any one of them draws the captions; a serif-only face would not.
        self.assertIn(["fonts-noto-cjk", "fonts-wqy-microhei", "fonts-wqy-zenhei"], depends)

    def test_installs_where_desktops_look(self):
        icons = [f"usr/share/icons/hicolor/{n}x{n}/apps/rongxi.png" for n in ICON_SIZES]
        for path in ("usr/bin/rongxi", f"usr/share/applications/{APP_ID}.desktop",
                     f"usr/share/metainfo/{APP_ID}.metainfo.xml", "usr/share/man/man1/rongxi.1.gz",
                     "usr/share/man/zh_CN/man1/rongxi.1.gz",
                     "usr/share/doc/rongxi/copyright", "usr/share/doc/rongxi/changelog.gz",
                     *icons):
            self.assertTrue(os.path.isfile(os.path.join(self.root, path)), path)

    def test_theme_gives_each_size_its_own_image(self):
        # GTK's look-up, as panels (22, 24), menus and launchers ask for the icon.
        theme = Gtk.IconTheme.new()
        theme.set_search_path([os.path.join(self.root, "usr/share/icons"), "/usr/share/icons"])
        for size in ICON_SIZES:
            icon = theme.lookup_icon("rongxi", size, 0)
            self.assertIsNotNone(icon, size)
            self.assertEqual((icon.get_filename(), icon.get_base_size()), (os.path.join(
                self.root, f"usr/share/icons/hicolor/{size}x{size}/apps/rongxi.png"), size))

    def test_lintian_finds_no_error_or_warning(self):
        result = subprocess.run(["lintian", "--fail-on", "error,warning", self.deb],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_manual_pages_render_without_warnings(self):
        for page in ("man1/rongxi.1.gz", "zh_CN/man1/rongxi.1.gz"):
            path = os.path.join(self.root, "usr/share/man", page)
            run("mandoc", "-T", "lint", "-W", "warning", path)
            rendered = run("man", "--warnings", "-l", path,
                           env={**os.environ, "LANG": "C.UTF-8", "MANWIDTH": "80"})
            self.assertEqual(rendered.stderr, "", page)
            self.assertIn("1234590*2345601*3456712", rendered.stdout)
            # Chinese sets no blank between words, nor after its punctuation.
            chinese = "[\u3000-\u303f\u4e00-\u9fff\uff00-\uffef]"
            self.assertEqual(re.findall(f"{chinese} +{chinese}", rendered.stdout), [], page)

    def test_compressed_files_are_reproducible(self):
        for path in ("usr/share/man/man1/rongxi.1.gz", "usr/share/man/zh_CN/man1/rongxi.1.gz",
                     "usr/share/doc/rongxi/changelog.gz"):
            with open(os.path.join(self.root, path), "rb") as f:
                header = f.read(10)
            self.assertEqual(header[4:8], b"\0\0\0\0", f"{path} carries a time stamp")
        with gzip.open(os.path.join(self.root, "usr/share/doc/rongxi/changelog.gz"), "rt") as f:
            self.assertTrue(f.readline().startswith(f"rongxi ({VERSION})"))

    def test_license_is_mit_everywhere(self):
        with open(os.path.join(SOURCE, "LICENSE"), encoding="utf-8") as f:
            self.assertTrue(f.read().startswith("MIT License"))
        with open(os.path.join(self.root, "usr/share/doc/rongxi/copyright"), encoding="utf-8") as f:
            self.assertIn("License: MIT\n", f.read())
        metainfo = os.path.join(self.root, "usr/share/metainfo", f"{APP_ID}.metainfo.xml")
        self.assertEqual(ElementTree.parse(metainfo).getroot().findtext("project_license"), "MIT")

    def test_software_centre_catalogue_lists_it_with_an_icon(self):
        out = os.path.join(self.temp.name, "catalogue")
        run("appstreamcli", "compose", "--no-color", "--origin", "rongxi", "--result-root", out,
            self.root)
        [catalogue] = [os.path.join(folder, name) for folder, _, names in os.walk(out)
                       for name in names if name.endswith(".xml.gz")]
        with gzip.open(catalogue) as f:
            components = ElementTree.parse(f).getroot().findall("component")
        self.assertEqual([c.findtext("id") for c in components], [APP_ID])
        cached = [icon for icon in components[0].findall("icon") if icon.get("type") == "cached"]
        self.assertIn("64", [icon.get("width") for icon in cached])

    def test_desktop_entry_and_metainfo_validate(self):
        share = os.path.join(self.root, "usr", "share")
        run("desktop-file-validate", os.path.join(share, "applications", f"{APP_ID}.desktop"))
        metainfo = os.path.join(share, "metainfo", f"{APP_ID}.metainfo.xml")
        # --pedantic notes only the capital letter in the id, which installed
        # systems already know the program by.
        run("appstreamcli", "validate", "--no-net", metainfo)
        releases = ElementTree.parse(metainfo).getroot().find("releases")
        self.assertEqual(releases[0].get("version"), VERSION)

    def test_is_chinese_in_every_chinese_locale(self):
        # As GLib reads the desktop entry and AppStream the software centre's
        # metadata.
        entry = GLib.KeyFile()
        entry.load_from_file(os.path.join(self.root, "usr", "share", "applications",
                                          f"{APP_ID}.desktop"), GLib.KeyFileFlags.KEEP_TRANSLATIONS)
        metainfo = Gio.File.new_for_path(
            os.path.join(self.root, "usr", "share", "metainfo", f"{APP_ID}.metainfo.xml"))

        def component(locale):
            metadata = AppStream.Metadata()
            metadata.set_locale(locale)
            metadata.parse_file(metainfo, AppStream.FormatKind.XML)
            return metadata.get_component()

        for locale in ("zh_CN", "zh_SG", "zh_TW", "zh_HK", "zh_TW.UTF-8"):
            with self.subTest(locale=locale):
                for key, said in (("Name", "榕汐"), ("GenericName", "杀垃圾"),
                                  ("Comment", "杀垃圾复试")):
                    self.assertIn(said, entry.get_locale_string("Desktop Entry", key, locale))
                shown = component(locale)
                self.assertIn("杀垃圾复试", shown.get_summary())
                self.assertIn("杀垃圾复试", shown.get_description())
        self.assertNotIn("杀垃圾", entry.get_locale_string("Desktop Entry", "Comment", "en_US"))
        self.assertNotIn("杀垃圾", component("en_US").get_summary())

    def test_unpacked_program_opens_its_window(self):
        with XSession() as session:
            window = session.launch(os.path.join(self.root, "usr", "bin", "rongxi"))
            self.assertEqual(window.geometry(), (342, 231))
            window.request_close()
            self.assertEqual(window.wait_for_exit(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
