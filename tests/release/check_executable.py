#!/usr/bin/python3
"""Reads Norvane.exe as Windows would load it: a hardened GUI program for its
architecture that needs only system DLLs, whose manifest and resources survived
the resource compiler.

Usage: check_executable.py EXE {x86|amd64} VERSION"""

import re
import struct
import sys
import unittest

import pefile

EXE, ARCH, VERSION = sys.argv[1:4]
RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 5, 14, 16, 24
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll", "shell32.dll"}
HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT, NO_SEH, TERMINAL_SERVER_AWARE = 0x20, 0x40, 0x100, 0x400, 0x8000
# x86 code that reads or writes fs:[0], the head of the structured exception
# handler chain: mov eax,[fs:0]; mov [fs:0],eax; mov/push with a disp32 of 0.
SEH_CHAIN_ACCESS = re.compile(rb"\x64(?:\xA1|\xA3)\0\0\0\0|\x64(?:\x89|\x8B)[\x05\x0D\x15\x1D\x25\x2D\x35\x3D]\0\0\0\0|"
                              rb"\x64\xFF\x35\0\0\0\0")
DS_SETFONT = 0x40


def dialog_control_sizes(data):
    """The (width, height) of every control of a classic or extended dialog template."""
    extended = data[2:4] == b"\xff\xff"
    pos = 26 if extended else 18
    style = struct.unpack_from("<I", data, 12 if extended else 0)[0]
    count = struct.unpack_from("<H", data, 16 if extended else 8)[0]

    def skip_text(pos, may_be_ordinal):
        if may_be_ordinal and data[pos:pos + 2] == b"\xff\xff":
            return pos + 4
        while data[pos:pos + 2] != b"\0\0":
            pos += 2
        return pos + 2

    pos = skip_text(skip_text(skip_text(pos, True), True), False)  # menu, class, caption
    if style & DS_SETFONT:
        pos = skip_text(pos + (6 if extended else 2), False)
    sizes = []
    for _ in range(count):
        pos += -pos % 4
        sizes.append(struct.unpack_from("<hh", data, pos + (16 if extended else 12)))
        pos = skip_text(skip_text(pos + (24 if extended else 18), True), True)
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
    return sizes


class Executable(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(EXE)

    def resources(self, type_id):
        """{name id: bytes} of one resource type."""
        found = {}
        for rtype in self.pe.DIRECTORY_ENTRY_RESOURCE.entries:
            if rtype.id == type_id:
                for name in rtype.directory.entries:
                    entry = name.directory.entries[0].data.struct
                    found[name.id] = self.pe.get_data(entry.OffsetToData, entry.Size)
        return found

    def test_header_is_a_hardened_gui_program_for_the_architecture(self):
        header = self.pe.OPTIONAL_HEADER
        self.assertEqual(self.pe.FILE_HEADER.Machine, {"x86": 0x14C, "amd64": 0x8664}[ARCH])
        self.assertEqual(header.Subsystem, 2)  # the Windows GUI
        wanted = DYNAMIC_BASE | NX_COMPAT | TERMINAL_SERVER_AWARE | (HIGH_ENTROPY_VA if ARCH == "amd64" else NO_SEH)
        self.assertEqual(header.DllCharacteristics & wanted, wanted)
        relocations = header.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]]
        self.assertGreater(relocations.Size, 0, "relocations, without which the address is not randomised")

    def test_an_image_without_handlers_says_so(self):
        if ARCH == "x86":
            code = b"".join(section.get_data() for section in self.pe.sections if section.Characteristics & 0x20)
            self.assertIsNone(SEH_CHAIN_ACCESS.search(code), "the image registers a structured exception handler")

    def test_imports_only_system_dlls(self):
        dlls = {entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertLessEqual(dlls, SYSTEM_DLLS)

    def test_manifest_asks_for_common_controls_6_and_is_dpi_aware(self):
        text = self.resources(RT_MANIFEST)[1].decode("utf-8")
        self.assertIn('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', text)
        self.assertEqual(text.count('processorArchitecture="%s"' % ARCH), 2)
        self.assertRegex(text, r"<dpiAware [^>]*>true</dpiAware>")
        # Without an execution level Windows redirects writes in protected folders to the user's own store.
        self.assertNotIn("requestedExecutionLevel", text)

    def test_every_dialog_control_keeps_its_size(self):
        dialogs = self.resources(RT_DIALOG)
        self.assertEqual(sorted(dialogs), [100, 102])
        for name, data in dialogs.items():
            for width, height in dialog_control_sizes(data):
                self.assertTrue(width > 0 and height > 0, "a control of dialog %d lost its size" % name)

    def test_icon_images_match_their_directory(self):
        icons = self.resources(RT_ICON)
        group = self.resources(RT_GROUP_ICON)[128]
        count = struct.unpack_from("<H", group, 4)[0]
        self.assertEqual(count, 3)
        for i in range(count):
            width, height, _, _, _, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
            self.assertEqual(len(icons[icon_id]), size)
            self.assertEqual(struct.unpack_from("<iiHH", icons[icon_id], 4), (width, 2 * height, 1, bits))

    def test_version_is_the_project_version(self):
        self.pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
        fixed = self.pe.VS_FIXEDFILEINFO[0]
        parts = [fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF, fixed.FileVersionLS >> 16,
                 fixed.FileVersionLS & 0xFFFF]
        self.assertEqual(".".join(map(str, parts)), VERSION)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
