"""rongxi.exe as Windows reads it: what it imports, its size, and the
resources linked into it (icon, version, manifest)."""

import os
import subprocess
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", ".."))
from winres import res_entries  # noqa: E402

PROGRAM = sys.argv.pop(1) if len(sys.argv) > 1 else "build-windows/rongxi.exe"
# DLLs that every Windows 10 and 11 installation has.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll",
               "advapi32.dll", "shell32.dll", "ole32.dll", "imm32.dll"}


def resources():
    with tempfile.TemporaryDirectory() as temp:
        res = os.path.join(temp, "rongxi.res")
        subprocess.run(["x86_64-w64-mingw32-windres", "-i", PROGRAM, "-O", "res", "-o", res],
                       check=True)
        with open(res, "rb") as f:
            return res_entries(f.read())


class ProgramFile(unittest.TestCase):
    def test_imports_only_what_windows_ships(self):
        dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", PROGRAM], check=True,
                              capture_output=True, text=True).stdout
        imports = {line.split(":")[1].strip().lower() for line in dump.splitlines()
                   if "DLL Name:" in line}
        self.assertTrue(imports)
        self.assertLessEqual(imports, SYSTEM_DLLS)

    def test_is_small(self):
        self.assertLessEqual(os.path.getsize(PROGRAM), 1024 * 1024)

    def test_carries_icon_version_and_manifest(self):
        entries = resources()
        kinds = [kind for kind, _, _, _ in entries]
        self.assertEqual(kinds.count(3), 3, "three icon images")
        self.assertEqual(kinds.count(14), 1, "one icon group")
        [(_, _, _, version)] = [e for e in entries if e[0] == 16]
        self.assertIn("1.00\0".encode("utf-16-le"), version)
        [(_, name, _, manifest)] = [e for e in entries if e[0] == 24]
        self.assertEqual(name, 1)
        text = manifest.decode("utf-8")
        self.assertIn("PerMonitorV2", text)
        self.assertIn('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', text)
        self.assertIn("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", text)  # Windows 10 and 11

    def test_resources_are_chinese_prc(self):
        # Read back as a script, since a .res made from an executable loses
        # the languages.
        script = subprocess.run(["x86_64-w64-mingw32-windres", "-i", PROGRAM, "-O", "rc"],
                                check=True, capture_output=True, text=True).stdout
        languages = {line.strip() for line in script.splitlines() if line.startswith("LANGUAGE")}
        self.assertEqual(languages, {"LANGUAGE 4, 2"})  # 0x0804


    def test_ships_as_a_zip_with_the_readme_and_the_license(self):
        build = os.path.dirname(os.path.abspath(PROGRAM))
        with tempfile.TemporaryDirectory() as temp:
            subprocess.run(["cpack", "--config", os.path.join(build, "CPackConfig.cmake"),
                            "-B", temp], check=True, capture_output=True)
            with zipfile.ZipFile(os.path.join(temp, "rongxi-1.00-win64.zip")) as archive:
                names = sorted(archive.namelist())
                license_text = archive.read("rongxi-1.00-win64/LICENSE").decode()
        self.assertEqual(names, ["rongxi-1.00-win64/LICENSE", "rongxi-1.00-win64/README.md",
                                 "rongxi-1.00-win64/rongxi.exe"])
        self.assertTrue(license_text.startswith("MIT License"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
