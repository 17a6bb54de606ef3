#!/usr/bin/python3
"""Holds every place that shows Gridwell's version to the one project() defines in
CMakeLists.txt: the DLL's version resource (numbers and text), the release zip's
name as scripts/package makes it, and the docs. The docs are read as they are now,
since they are edited by hand.

  check_version.py VERSION DLL SOURCE_DIR BUILD_DIR"""
import os
import re
import subprocess
import sys
import unittest

import pefile

VERSION, DLL_PATH, SOURCE_DIR, BUILD_DIR = sys.argv[1:5]
del sys.argv[1:5]

# Docs that may name the version; the ones that ship in the zip must.
DOCS = ["README.md", "docs/INSTALL.md", "docs/USER_GUIDE.md", "docs/DEVELOPING.md",
        "docs/INSTALL.ja.md", "docs/USER_GUIDE.ja.md"]
SHIPPED_DOCS = ["docs/INSTALL.md", "docs/USER_GUIDE.md", "docs/INSTALL.ja.md", "docs/USER_GUIDE.ja.md"]

# Any four-part number in those docs is a version of Gridwell: none other is written
# that way there.
FOUR_PART_NUMBER = re.compile(r"(?<![\d.])\d+\.\d+\.\d+\.\d+(?![\d.])")

# Two texts show versions of their own, apart from the release's: the panel's title
# (the caption of dialog 129) and the start of the plug-in name that the modeller
# lists. They are fixed texts, and must change only on purpose.
PANEL_TITLE = "Gridwell 0.7"
PLUGIN_NAME_START = "Gridwell v0.9   "
RT_DIALOG = 5
PANEL_DIALOG = 129


def numbers(ms, ls):
    return ".".join(str(part) for part in (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF))


class OneVersion(unittest.TestCase):
    def test_version_is_four_numbers(self):
        self.assertRegex(VERSION, r"^\d+\.\d+\.\d+\.\d+$")

    def test_dll_version_resource(self):
        pe = pefile.PE(DLL_PATH)
        info = pe.VS_FIXEDFILEINFO[0]
        self.assertEqual(numbers(info.FileVersionMS, info.FileVersionLS), VERSION)
        self.assertEqual(numbers(info.ProductVersionMS, info.ProductVersionLS), VERSION)
        strings = {}
        for file_info in pe.FileInfo[0]:
            for table in getattr(file_info, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
        self.assertEqual(strings.get("FileVersion"), VERSION)
        self.assertEqual(strings.get("ProductVersion"), VERSION)

    def test_panel_title_is_its_own_fixed_text(self):
        pe = pefile.PE(DLL_PATH)
        dialogs = [t for t in pe.DIRECTORY_ENTRY_RESOURCE.entries if t.id == RT_DIALOG]
        entries = [n for t in dialogs for n in t.directory.entries if n.id == PANEL_DIALOG]
        self.assertEqual(len(entries), 1, "no dialog 129")
        data = entries[0].directory.entries[0].data.struct
        template = pe.get_data(data.OffsetToData, data.Size)
        self.assertNotEqual(template[2:4], b"\xff\xff", "an extended template")
        # A classic template: 18 bytes of header, then the menu, the class and the
        # caption, each a UTF-16 string, or a 0xFFFF and an ordinal, or an empty 0.
        words = [int.from_bytes(template[i : i + 2], "little") for i in range(18, len(template), 2)]

        def skip_name(at):
            if words[at] == 0xFFFF:
                return at + 2
            return words.index(0, at) + 1

        start = skip_name(skip_name(0))
        end = words.index(0, start)
        caption = "".join(chr(w) for w in words[start:end])
        self.assertEqual(caption, PANEL_TITLE)

    def test_plugin_name_begins_with_its_own_fixed_version(self):
        pe = pefile.PE(DLL_PATH)
        names = set()
        for section in pe.sections:
            for found in re.finditer(rb"Gridwell v[^\0]*\0", section.get_data()):
                names.add(found.group()[:-1].decode("latin-1"))
        self.assertEqual(len(names), 1, f"plug-in names found: {names}")
        name = names.pop()
        self.assertEqual(name[: len(PLUGIN_NAME_START)], PLUGIN_NAME_START, name)

    def test_zip_name(self):
        name = subprocess.run(
            [os.path.join(SOURCE_DIR, "scripts/package"), "--name"],
            env=dict(os.environ, GRIDWELL_VERSION_BUILD=BUILD_DIR),
            capture_output=True, text=True, check=True,
        ).stdout.strip()
        self.assertEqual(name, f"Gridwell-{VERSION}-win32-win64.zip")

    def test_docs(self):
        for doc in DOCS:
            path = os.path.join(SOURCE_DIR, doc)
            if not os.path.exists(path):
                self.assertNotIn(doc, SHIPPED_DOCS, f"{doc} ships in the zip but is missing")
                continue
            with open(path, encoding="utf-8") as f:
                text = f.read()
            for line_number, line in enumerate(text.splitlines(), 1):
                for found in FOUR_PART_NUMBER.findall(line):
                    self.assertEqual(found, VERSION, f"{doc}:{line_number}: {line.strip()}")
            if doc in SHIPPED_DOCS:
                self.assertTrue(VERSION in text, f"{doc} does not say which version it describes")


if __name__ == "__main__":
    unittest.main(verbosity=1)
