#!/usr/bin/python3
"""Reads Gridwell.dll as the host's loader would and checks what it promises:
a DLL of its edition's machine (a 32-bit x86 PE32 file, or an x86-64 PE32+ one),
exactly the fourteen exports by their plain names, imports from system DLLs only,
the common-controls 6.0 manifest valid for a process of that machine, the panel's
dialog template with a control for each row of the layout table, and the panel's icon
with its two 16-colour images; stripped, with a debug link to the Gridwell.dll.debug
beside it. (check_version.py checks the version resource.)

  check_dll.py DLL win32|win64"""
import os
import re
import struct
import sys
import unittest
import zlib

import pefile

# The panel's template and icon numbers and its controls, read from the sources as the
# build reads them to write the template.
sys.dont_write_bytecode = True  # leaves nothing in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../resources"))
import make_panel_dialog  # noqa: E402

DLL_PATH, EDITION = sys.argv[1:3]
del sys.argv[1:3]
PANEL, CONTROLS = make_panel_dialog.read_layout()

# Per edition: the PE machine, the optional header's magic (PE32 or PE32+), and the
# processor architecture a manifest names for a process of that machine.
MACHINES = {
    "win32": (0x14C, 0x10B, "x86"),
    "win64": (0x8664, 0x20B, "amd64"),
}

EXPORTS = {
    "MQCheckVersion", "MQInit", "MQGetPlugInID", "MQGetPlugInName", "MQGetPlugInType",
    "MQEnumString", "MQEnumFileType", "MQEnumFileExt", "MQImportFile", "MQExportFile",
    "MQCreate", "MQModifyObject", "MQModifySelect", "MQOnEvent",
}

# What a plain Windows installation has; anything else would have to ship beside the
# DLL, and the plug-in is meant to be the DLL alone.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "ole32.dll", "oleaut32.dll",
    "advapi32.dll", "shell32.dll", "msvcrt.dll", "ntdll.dll", "imm32.dll",
}


def resource(pe, type_id, name_id):
    """The data entries of one resource, by numeric type and name."""
    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if rtype.id != type_id:
            continue
        for rname in rtype.directory.entries:
            if rname.id == name_id:
                return [lang.data for lang in rname.directory.entries]
    return []


def section_name(pe, section):
    """Names longer than eight bytes are kept as "/offset" into the string table."""
    name = section.Name.rstrip(b"\0").decode()
    if not name.startswith("/"):
        return name
    strings = pe.FILE_HEADER.PointerToSymbolTable + 18 * pe.FILE_HEADER.NumberOfSymbols
    start = strings + int(name[1:])
    return pe.__data__[start : pe.__data__.find(b"\0", start)].decode()


def resource_bytes(pe, data):
    return pe.get_data(data.struct.OffsetToData, data.struct.Size)


class GridwellDll(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(DLL_PATH)

    def test_is_a_dll_of_its_editions_machine(self):
        machine, magic, _ = MACHINES[EDITION]
        self.assertEqual(hex(self.pe.FILE_HEADER.Machine), hex(machine))
        self.assertTrue(self.pe.FILE_HEADER.Characteristics & 0x2000, "not a DLL")
        self.assertEqual(hex(self.pe.OPTIONAL_HEADER.Magic), hex(magic), "not PE32 / PE32+")

    def test_exports_exactly_the_fourteen_entry_points(self):
        names = {e.name.decode() for e in self.pe.DIRECTORY_ENTRY_EXPORT.symbols if e.name}
        self.assertEqual(names, EXPORTS)
        self.assertEqual(len(self.pe.DIRECTORY_ENTRY_EXPORT.symbols), 14)

    def test_imports_only_system_dlls(self):
        imported = {entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertTrue(imported, "no imports at all")
        self.assertLessEqual(imported, SYSTEM_DLLS, f"non-system imports: {imported - SYSTEM_DLLS}")
        for required in ("ole32.dll", "comctl32.dll", "user32.dll"):
            self.assertIn(required, imported)

    def test_stripped_with_a_debug_link_to_its_symbols(self):
        names = [section_name(self.pe, s) for s in self.pe.sections]
        self.assertFalse([n for n in names if n.startswith(".debug")], "debug sections shipped")
        self.assertEqual(self.pe.FILE_HEADER.NumberOfSymbols, 0, "symbol table shipped")
        self.assertEqual(self.pe.FILE_HEADER.TimeDateStamp, 0, "build time in the header")
        (link,) = [s for s in self.pe.sections if section_name(self.pe, s) == ".gnu_debuglink"]
        data = link.get_data()[: link.Misc_VirtualSize]
        file_name = data[: data.index(b"\0")].decode()
        self.assertEqual(file_name, "Gridwell.dll.debug")
        # The name is padded to four bytes, then the CRC-32 of the file it names.
        (crc,) = struct.unpack_from("<I", data, (len(file_name) + 4) & ~3)
        with open(os.path.join(os.path.dirname(DLL_PATH), file_name), "rb") as symbols:
            self.assertEqual(zlib.crc32(symbols.read()), crc, "the link names another build")

    def test_manifest_depends_on_common_controls_6(self):
        manifests = [d for name_id in (1, 2) for d in resource(self.pe, 24, name_id)]
        self.assertEqual(len(manifests), 1, "one manifest resource expected")
        text = resource_bytes(self.pe, manifests[0]).decode("utf-8")
        self.assertIn('name="Microsoft.Windows.Common-Controls"', text)
        self.assertIn('version="6.0.0.0"', text)
        self.assertIn("<dependentAssembly>", text)
        # A dependency that names another machine's architecture fails to activate.
        (architecture,) = re.findall(r'processorArchitecture="([^"]*)"', text)
        self.assertIn(architecture, ("*", MACHINES[EDITION][2]))

    def test_panel_dialog_is_a_classic_template_with_a_control_for_each_row(self):
        (data,) = resource(self.pe, 5, int(PANEL["template"]))
        raw = resource_bytes(self.pe, data)
        style, exstyle, count = struct.unpack_from("<IIH", raw, 0)
        self.assertNotEqual(raw[2:4], b"\xff\xff", "extended template")
        self.assertEqual(count, len(CONTROLS))
        self.assertFalse(style & 0x10000000, "visible at creation")
        self.assertTrue(exstyle & 0x00000008, "not topmost")
        self.assertTrue(exstyle & 0x00000080, "not a tool window")
        self.assertTrue(exstyle & 0x00010000, "not control-parent")

    def test_panel_icon_has_32_and_16_pixel_images_of_16_colours(self):
        (group,) = resource(self.pe, 14, int(PANEL["icon"]))
        raw = resource_bytes(self.pe, group)
        _, kind, count = struct.unpack_from("<HHH", raw, 0)
        self.assertEqual(kind, 1)
        images = set()
        for i in range(count):
            width, height, colours, _, _, bits, _, _ = struct.unpack_from("<BBBBHHIH", raw, 6 + 14 * i)
            images.add((width, height, colours, bits))
        self.assertEqual(images, {(32, 32, 16, 4), (16, 16, 16, 4)})


if __name__ == "__main__":
    unittest.main(verbosity=1)
