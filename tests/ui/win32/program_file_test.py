"""rongxi.exe as Windows reads it: its machine, what it imports (nothing newer
than Windows 7 SP1), its size, the resources linked into it (icon, version,
manifest) and the zip it ships in.

    program_file_test.py PROGRAM.exe CROSS-COMPILER
"""

import os
import re
import subprocess
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", ".."))
from winres import res_entries  # noqa: E402

PROGRAM = sys.argv.pop(1) if len(sys.argv) > 1 else "build-windows/rongxi.exe"
COMPILER = sys.argv.pop(1) if len(sys.argv) > 1 else "x86_64-w64-mingw32-g++-posix"
# The 64-bit binutils read both kinds of program file.
OBJDUMP = "x86_64-w64-mingw32-objdump"
WINDRES = "x86_64-w64-mingw32-windres"
# DLLs that every Windows from 7 SP1 on has.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll",
               "advapi32.dll", "shell32.dll", "ole32.dll", "imm32.dll"}
# What the C run-time's start-up code imports from msvcrt.dll, which no
# header declares; Windows 7's msvcrt.dll exports them all.
CRT_START_UP = {"__wgetmainargs", "__winitenv", "__set_app_type", "__p__commode", "_commode",
                "_amsg_exit", "_initterm"}
# Headers that declare what the program imports, at Windows 7's level.
HEADERS = ["windows.h", "assert.h", "commctrl.h", "objbase.h", "oleacc.h", "process.h", "io.h",
           "malloc.h", "errno.h", "locale.h", "signal.h", "stdio.h", "stdlib.h", "string.h",
           "wchar.h", "math.h", "time.h", "ctype.h", "wctype.h", "setjmp.h"]
BITS = 32 if "i686" in os.path.basename(COMPILER) else 64
ZIP = f"rongxi-1.00-win{BITS}"


def objdump(*options):
    return subprocess.run([OBJDUMP, *options, PROGRAM], check=True, capture_output=True,
                          text=True).stdout


def imports():
    """{dll: [function, ...]} as the program file lists them."""
    found, dll = {}, None
    for line in objdump("-p").splitlines():
        if "DLL Name:" in line:
            dll = line.split(":")[1].strip().lower()
            found[dll] = []
        elif dll and re.match(r"\s+[0-9a-f]+\s+\d+\s+\S+$", line):
            found[dll].append(line.split()[-1])
        elif not line.strip():
            dll = None
    return found


def resources():
    with tempfile.TemporaryDirectory() as temp:
        res = os.path.join(temp, "rongxi.res")
        subprocess.run([WINDRES, "-i", PROGRAM, "-O", "res", "-o", res], check=True)
        with open(res, "rb") as f:
            return res_entries(f.read())


class ProgramFile(unittest.TestCase):
    def test_is_for_its_machine(self):
        self.assertIn("file format " + ("pei-i386" if BITS == 32 else "pei-x86-64"),
                      objdump("-f"))

    def test_imports_only_what_windows_ships(self):
        dlls = set(imports())
        self.assertTrue(dlls)
        self.assertLessEqual(dlls, SYSTEM_DLLS)

    def test_imports_nothing_newer_than_windows_7(self):
        # Windows 7's headers declare what Windows 7 exports: a reference to
        # anything newer does not compile.
        names = sorted({name for functions in imports().values() for name in functions
                        if name not in CRT_START_UP})
        self.assertIn("CreateWindowExW", names)
        source = "".join(f"#include <{header}>\n" for header in HEADERS)
        source += "void* const references[] = {\n"
        # A name the headers define as a macro (the run-time's data, reached
        # through a function) is known to them too.
        source += "".join(f"#ifndef {name}\n    reinterpret_cast<void*>(&::{name}),\n#endif\n"
                          for name in names)
        source += "};\n"
        result = subprocess.run(
            [COMPILER, "-fsyntax-only", "-x", "c++", "-std=c++20", "-D_WIN32_WINNT=0x0601",
             "-DWINVER=0x0601", "-DUNICODE", "-D_UNICODE", "-"],
            input=source, capture_output=True, text=True)
        unknown = sorted(set(re.findall(r"[‘']::(\w+)[’'] has not been declared", result.stderr)))
        self.assertEqual(unknown, [], "imported, but not in Windows 7")
        self.assertEqual(result.returncode, 0, result.stderr[-2000:])

    def test_is_small(self):
        self.assertLessEqual(os.path.getsize(PROGRAM), 1024 * 1024)

    def test_carries_icon_version_and_manifest(self):
        entries = resources()
        kinds = [kind for kind, _, _, _ in entries]
        self.assertEqual(kinds.count(3), 3, "three icon images")
        self.assertEqual(kinds.count(14), 1, "one icon group")
        [(_, _, _, version)] = [e for e in entries if e[0] == 16]
        for key, value in (("FileDescription", "榕汐"), ("ProductName", "榕汐"),
                           ("FileVersion", "1.00"), ("ProductVersion", "1.00"),
                           ("LegalCopyright", "Copyright (c) 2026 The rongxi authors")):
            self.assertIn(f"{key}\0".encode("utf-16-le"), version)
            self.assertIn(f"{value}\0".encode("utf-16-le"), version, key)
        [(_, name, _, manifest)] = [e for e in entries if e[0] == 24]
        self.assertEqual(name, 1)
        text = manifest.decode("utf-8")
        architecture = "x86" if BITS == 32 else "amd64"
        self.assertIn(f'name="cn.rongxi.Rongxi" version="1.0.0.0" '
                      f'processorArchitecture="{architecture}"', text)
        self.assertIn("PerMonitorV2", text)
        self.assertIn(">true/pm</dpiAware>", text)
        self.assertIn('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', text)
        for system in ("35138b9a-5d96-4fbd-8e2d-a2440225f93a",   # 7
                       "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",   # 8
                       "1f676c76-80e1-4239-95bb-83d0f6d0da78",   # 8.1
                       "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"):  # 10 and 11
            self.assertIn(f'<supportedOS Id="{{{system}}}"/>', text)

    def test_resources_are_chinese_prc(self):
        # Read back as a script, since a .res made from an executable loses
        # the languages.
        script = subprocess.run([WINDRES, "-i", PROGRAM, "-O", "rc"], check=True,
                                capture_output=True, text=True).stdout
        languages = {line.strip() for line in script.splitlines() if line.startswith("LANGUAGE")}
        self.assertEqual(languages, {"LANGUAGE 4, 2"})  # 0x0804
        self.assertIn("Translation\", 0x804, 936", script.replace("0x0804", "0x804"))

    def test_ships_as_a_zip_for_windows_users(self):
        build = os.path.dirname(os.path.abspath(PROGRAM))
        with tempfile.TemporaryDirectory() as temp:
            subprocess.run(["cpack", "--config", os.path.join(build, "CPackConfig.cmake"),
                            "-B", temp], check=True, capture_output=True)
            with zipfile.ZipFile(os.path.join(temp, ZIP + ".zip")) as archive:
                names = sorted(archive.namelist())
                note = archive.read(f"{ZIP}/说明.txt")
                license_text = archive.read(f"{ZIP}/LICENSE.txt")
        self.assertEqual(names, [f"{ZIP}/LICENSE.txt", f"{ZIP}/rongxi.exe", f"{ZIP}/说明.txt"])
        self.assertTrue(note.startswith(b"\xef\xbb\xbf"), "UTF-8 with a byte-order mark")
        for text in (note, license_text):
            self.assertEqual(text.count(b"\n"), text.count(b"\r\n"), "CRLF line endings")
        note_text = note.decode("utf-8-sig")
        for said in ("双击其中的 rongxi.exe", "win64.zip", "win32.zip", "Windows 7 SP1",
                     "不读写任何文件", "MIT"):
            self.assertIn(said, note_text)
        self.assertTrue(license_text.startswith(b"MIT License\r\n"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
