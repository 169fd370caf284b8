#!/usr/bin/python3
"""Reads Norvane.exe as Windows would load it: a hardened GUI program for its
architecture and Windows 7 to 11 that needs only system DLLs and only the
functions of the list that Windows 7 has, whose manifest and icon survived
the resource compiler.

Usage: check_executable.py EXE {x86|amd64} IMPORTS"""

import struct
import sys
import unittest

import pefile

EXE, ARCH, IMPORTS = sys.argv[1:4]
RT_GROUP_ICON, RT_MANIFEST = 14, 24
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
               "oleacc.dll", "oleaut32.dll"}
HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT, NO_SEH, TERMINAL_SERVER_AWARE = 0x20, 0x40, 0x100, 0x400, 0x8000

def import_differences(imported, listed):
    """Each function imported but not listed, or listed but not imported, named."""
    return (["imports %s, which the list lacks: is it on Windows 7?" % name for name in sorted(imported - listed)] +
            ["no longer imports %s: take it off the list" % name for name in sorted(listed - imported)])


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

    def test_header_is_a_hardened_gui_program_for_the_architecture_and_windows_7_that_needs_only_system_dlls(self):
        header = self.pe.OPTIONAL_HEADER
        self.assertEqual(self.pe.FILE_HEADER.Machine, {"x86": 0x14C, "amd64": 0x8664}[ARCH])
        self.assertEqual(header.Subsystem, 2)  # the Windows GUI
        self.assertEqual((header.MajorSubsystemVersion, header.MinorSubsystemVersion), (6, 1))
        wanted = DYNAMIC_BASE | NX_COMPAT | TERMINAL_SERVER_AWARE | (HIGH_ENTROPY_VA if ARCH == "amd64" else NO_SEH)
        self.assertEqual(header.DllCharacteristics & wanted, wanted)
        relocations = header.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]]
        self.assertGreater(relocations.Size, 0, "relocations, without which the address is not randomised")
        self.assertLessEqual({entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}, SYSTEM_DLLS)

    def test_imports_the_functions_of_its_list_only_and_names_any_other(self):
        imported = {"%s!%s" % (entry.dll.decode().lower(), function.name.decode())
                    for entry in self.pe.DIRECTORY_ENTRY_IMPORT for function in entry.imports}
        listed = set(open(IMPORTS).read().split())
        self.assertEqual(import_differences(imported, listed), [])
        one = sorted(imported)[0]
        self.assertEqual(import_differences(imported, listed - {one}),
                         ["imports %s, which the list lacks: is it on Windows 7?" % one])

    def test_manifest_and_icon_survived_the_resource_compiler(self):
        self.assertIn(b"PerMonitorV2", self.resources(RT_MANIFEST)[1])
        self.assertEqual(struct.unpack_from("<HHH", self.resources(RT_GROUP_ICON)[128]), (0, 1, 3))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
