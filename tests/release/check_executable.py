#!/usr/bin/python3
"""Reads Norvane.exe as Windows would load it: a hardened GUI program for its
architecture that needs only system DLLs, whose manifest and resources survived
the resource compiler.

Usage: check_executable.py EXE {x86|amd64}"""

import re
import struct
import sys
import unittest

import pefile

EXE, ARCH = sys.argv[1:3]
RT_GROUP_ICON, RT_MANIFEST = 14, 24
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll", "shell32.dll"}
HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT, NO_SEH, TERMINAL_SERVER_AWARE = 0x20, 0x40, 0x100, 0x400, 0x8000
# x86 code that reads or writes fs:[0], the head of the structured exception
# handler chain: mov eax,[fs:0]; mov [fs:0],eax; mov/push with a disp32 of 0.
SEH_CHAIN_ACCESS = re.compile(rb"\x64(?:\xA1|\xA3)\0\0\0\0|\x64(?:\x89|\x8B)[\x05\x0D\x15\x1D\x25\x2D\x35\x3D]\0\0\0\0|"
                              rb"\x64\xFF\x35\0\0\0\0")


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

    def test_header_is_a_hardened_gui_program_for_the_architecture_that_needs_only_system_dlls(self):
        header = self.pe.OPTIONAL_HEADER
        self.assertEqual(self.pe.FILE_HEADER.Machine, {"x86": 0x14C, "amd64": 0x8664}[ARCH])
        self.assertEqual(header.Subsystem, 2)  # the Windows GUI
        wanted = DYNAMIC_BASE | NX_COMPAT | TERMINAL_SERVER_AWARE | (HIGH_ENTROPY_VA if ARCH == "amd64" else NO_SEH)
        self.assertEqual(header.DllCharacteristics & wanted, wanted)
        relocations = header.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]]
        self.assertGreater(relocations.Size, 0, "relocations, without which the address is not randomised")
        self.assertLessEqual({entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}, SYSTEM_DLLS)

    def test_an_image_without_handlers_says_so(self):
        if ARCH == "x86":
            code = b"".join(section.get_data() for section in self.pe.sections if section.Characteristics & 0x20)
            self.assertIsNone(SEH_CHAIN_ACCESS.search(code), "the image registers a structured exception handler")

    def test_manifest_asks_for_common_controls_6_and_is_dpi_aware(self):
        text = self.resources(RT_MANIFEST)[1].decode("utf-8")
        self.assertIn('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', text)
        self.assertEqual(text.count('processorArchitecture="%s"' % ARCH), 2)
        self.assertRegex(text, r"<dpiAware [^>]*>true</dpiAware>")
        # Without an execution level Windows redirects writes in protected folders to the user's own store.
        self.assertNotIn("requestedExecutionLevel", text)

    def test_icon_has_three_images(self):
        self.assertEqual(struct.unpack_from("<HHH", self.resources(RT_GROUP_ICON)[128]), (0, 1, 3))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
