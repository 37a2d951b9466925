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
import unicodedata
import zipfile

import pefile

PROGRAM = sys.argv.pop(1) if len(sys.argv) > 1 else "build-windows/rongxi.exe"
COMPILER = sys.argv.pop(1) if len(sys.argv) > 1 else "x86_64-w64-mingw32-g++-posix"
# DLLs that every Windows from 7 SP1 on has.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll",
               "advapi32.dll", "shell32.dll", "ole32.dll", "imm32.dll"}
# What the C run-time's start-up code imports from msvcrt.dll, which no
# header declares; Windows 7's msvcrt.dll exports them all.
CRT_START_UP = {"__wgetmainargs", "__winitenv", "__set_app_type", "__p__commode", "_commode",
                "_amsg_exit", "_initterm"}
# Headers that declare what the program imports, at Windows 7's level.
HEADERS = ["windows.h", "assert.h", "commctrl.h", "imm.h", "objbase.h", "oleacc.h", "process.h", "io.h",
           "malloc.h", "errno.h", "locale.h", "signal.h", "stdio.h", "stdlib.h", "string.h",
           "wchar.h", "math.h", "time.h", "ctype.h", "wctype.h", "setjmp.h"]
BITS = 32 if "i686" in os.path.basename(COMPILER) else 64
ZIP = f"rongxi-1.00-win{BITS}"
IMAGE = pefile.PE(PROGRAM)


def imports():
    """{dll: [function, ...]} as the program file lists them."""
    return {entry.dll.decode().lower(): [i.name.decode() for i in entry.imports if i.name]
            for entry in IMAGE.DIRECTORY_ENTRY_IMPORT}


def resources():
    """(type, name, language, payload) of each resource."""
    found = []
    for kind in IMAGE.DIRECTORY_ENTRY_RESOURCE.entries:
        for name in kind.directory.entries:
            for language in name.directory.entries:
                data = language.data.struct
                payload = IMAGE.get_data(data.OffsetToData, data.Size)
                found.append((kind.id, name.id, language.id, payload))
    return found


def version_strings():
    return {key.decode(): value.decode() for info in IMAGE.FileInfo[0]
            if info.Key == b"StringFileInfo" for table in info.StringTable
            for key, value in table.entries.items()}


class ProgramFile(unittest.TestCase):
    def test_is_for_its_machine(self):
        machine = "IMAGE_FILE_MACHINE_I386" if BITS == 32 else "IMAGE_FILE_MACHINE_AMD64"
        self.assertEqual(IMAGE.FILE_HEADER.Machine, pefile.MACHINE_TYPE[machine])
        self.assertEqual(IMAGE.OPTIONAL_HEADER.Subsystem,
                         pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])

    def test_imports_only_what_windows_ships(self):
        dlls = set(imports())
        self.assertTrue(dlls)
        self.assertLessEqual(dlls, SYSTEM_DLLS)
        # Loaded only when a screen reader asks: it costs every start-up.
        self.assertNotIn("ole32.dll", dlls)

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
        self.assertEqual(kinds.count(pefile.RESOURCE_TYPE["RT_ICON"]), 3, "three icon images")
        self.assertEqual(kinds.count(pefile.RESOURCE_TYPE["RT_GROUP_ICON"]), 1, "one icon group")
        fixed = IMAGE.VS_FIXEDFILEINFO[0]
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), (0x00010000, 0))
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), (0x00010000, 0))
        strings = version_strings()
        for key, value in (("FileDescription", "榕汐"), ("ProductName", "榕汐"),
                           ("FileVersion", "1.00"), ("ProductVersion", "1.00"),
                           ("LegalCopyright", "Copyright (c) 2026 The rongxi authors")):
            self.assertEqual(strings.get(key), value, key)
        [(_, name, _, manifest)] = [e for e in entries
                                    if e[0] == pefile.RESOURCE_TYPE["RT_MANIFEST"]]
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
        self.assertEqual({language for _, _, language, _ in resources()}, {0x0804})
        translations = [var.entry for info in IMAGE.FileInfo[0] if info.Key == b"VarFileInfo"
                        for var in info.Var]
        self.assertEqual(translations, [{b"Translation": "0x0804 0x03a8"}])  # code page 936

    def test_ships_as_a_zip_for_windows_users(self):
        build = os.path.dirname(os.path.abspath(PROGRAM))
        with tempfile.TemporaryDirectory() as temp:
            subprocess.run(["cpack", "--config", os.path.join(build, "CPackConfig.cmake"),
                            "-B", temp], check=True, capture_output=True)
            with zipfile.ZipFile(os.path.join(temp, ZIP + ".zip")) as archive:
                entries = archive.infolist()
                note = archive.read(f"{ZIP}/README.txt")
                license_text = archive.read(f"{ZIP}/LICENSE.txt")
        # Windows 7's Extract reads a name's bytes in the system's code page
        # (936 on a Chinese system, 437 on an English one), flag or no flag.
        for code_page in ("cp936", "cp437"):
            names = sorted(entry.filename.encode("utf-8" if entry.flag_bits & 0x800 else "cp437")
                           .decode(code_page) for entry in entries)
            self.assertEqual(names, [f"{ZIP}/LICENSE.txt", f"{ZIP}/README.txt",
                                     f"{ZIP}/rongxi.exe"], code_page)
        self.assertTrue(note.startswith(b"\xef\xbb\xbf"), "UTF-8 with a byte-order mark")
        for text in (note, license_text):
            self.assertEqual(text.count(b"\n"), text.count(b"\r\n"), "CRLF line endings")
        note_text = note.decode("utf-8-sig")
        for said in ("双击其中的 rongxi.exe", "win64.zip", "win32.zip", "Windows 7 SP1",
                     "不读写任何文件", "MIT"):
            self.assertIn(said, note_text)
        self.assertTrue(license_text.startswith(b"MIT License\r\n"))
        # Notepad shows every line whole in its window: at most 72 columns,
        # a Chinese character (and a quotation mark in a Chinese face) taking two.
        for line in note_text.splitlines():
            width = sum(2 if unicodedata.east_asian_width(c) in "WFA" else 1 for c in line)
            self.assertLessEqual(width, 72, line)


if __name__ == "__main__":
    unittest.main(verbosity=2)
