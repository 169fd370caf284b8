#!/usr/bin/python3
"""Reads Norvane.exe as Windows would load it: header flags, imports and every
resource, checked against what the program promises.

Usage: check_executable.py EXE {x86|amd64}"""

import struct
import sys
import unittest

import pefile

EXE, ARCH = sys.argv[1], sys.argv[2]
RT_ICON, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST, RT_DIALOG = 3, 6, 14, 16, 24, 5
US_ENGLISH = 0x409
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll", "shell32.dll"}

WS_CHILD, WS_VISIBLE, WS_BORDER, WS_TABSTOP, WS_GROUP = 0x40000000, 0x10000000, 0x00800000, 0x00010000, 0x00020000
WS_VSCROLL, WS_HSCROLL, WS_POPUP, WS_CAPTION, WS_SYSMENU = 0x00200000, 0x00100000, 0x80000000, 0x00C00000, 0x00080000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_THICKFRAME = 0x00020000, 0x00010000, 0x00040000
DS_MODALFRAME, DS_SETFONT, DS_CENTER = 0x80, 0x40, 0x800
ES_MULTILINE, ES_AUTOVSCROLL, ES_AUTOHSCROLL, ES_READONLY, ES_WANTRETURN = 0x4, 0x40, 0x80, 0x800, 0x1000
WS_EX_APPWINDOW = 0x40000
SS_ICON, SS_NOPREFIX, BS_DEFPUSHBUTTON = 0x3, 0x80, 0x1


# A control class may be written by name or by its predefined ordinal.
CLASS_ORDINALS = {"BUTTON": 0x80, "EDIT": 0x81, "STATIC": 0x82}


class Reader:
    """Walks a resource's bytes: words, texts and the alignment of templates."""

    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.pos)
        self.pos += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def text(self):
        end = self.pos
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        value = self.data[self.pos:end].decode("utf-16-le")
        self.pos = end + 2
        return value

    def name_or_ordinal(self):
        if self.data[self.pos:self.pos + 2] == b"\xff\xff":
            self.pos += 2
            return self.take("H")
        return self.text()

    def align(self):
        self.pos += -self.pos % 4


def parse_dialog(data):
    """A dialog template, classic or extended, as a dict with its controls."""
    r = Reader(data)
    extended = data[2:4] == b"\xff\xff"
    if extended:
        _, _, _, exstyle, style = r.take("HHIII")
    else:
        style, exstyle = r.take("II")
    count, x, y, cx, cy = r.take("Hhhhh")
    dialog = {"style": style, "exstyle": exstyle, "rect": (x, y, cx, cy)}
    dialog["menu"], dialog["class"], dialog["caption"] = r.name_or_ordinal(), r.name_or_ordinal(), r.text()
    if style & DS_SETFONT:
        dialog["points"] = r.take("H")
        if extended:
            dialog["weight"], dialog["italic"], dialog["charset"] = r.take("HBB")
        dialog["font"] = r.text()
    dialog["controls"] = []
    for _ in range(count):
        r.align()
        if extended:
            _, exstyle, style, x, y, cx, cy, cid = r.take("IIIhhhhI")
        else:
            style, exstyle, x, y, cx, cy, cid = r.take("IIhhhhH")
            cid = cid if cid != 0xFFFF else -1
        cls, text = r.name_or_ordinal(), r.name_or_ordinal()
        cls = CLASS_ORDINALS.get(cls.upper(), cls) if isinstance(cls, str) else cls
        creation_data = r.take("H")
        r.pos += creation_data
        dialog["controls"].append({"id": cid if cid != 0xFFFFFFFF else -1, "class": cls, "text": text,
                                   "style": style, "exstyle": exstyle, "rect": (x, y, cx, cy)})
    return dialog


class Executable(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(EXE)

    def resource(self, type_id, name_id):
        """The bytes of one resource, and its language."""
        for rtype in self.pe.DIRECTORY_ENTRY_RESOURCE.entries:
            if rtype.id != type_id:
                continue
            for name in rtype.directory.entries:
                if name.id == name_id:
                    lang = name.directory.entries[0]
                    entry = lang.data.struct
                    return self.pe.get_data(entry.OffsetToData, entry.Size), lang.id
        self.fail("no resource %d of type %d" % (name_id, type_id))

    def test_header_is_a_hardened_gui_program_for_the_architecture(self):
        header = self.pe.OPTIONAL_HEADER
        machine = {"x86": 0x14C, "amd64": 0x8664}[ARCH]
        self.assertEqual(self.pe.FILE_HEADER.Machine, machine)
        self.assertEqual(header.Magic, 0x10B if ARCH == "x86" else 0x20B)
        self.assertEqual(header.Subsystem, 2)  # the Windows GUI
        flags = header.DllCharacteristics
        self.assertTrue(flags & 0x40, "address-space randomisation")
        self.assertTrue(flags & 0x100, "no-execute data")
        if ARCH == "amd64":
            self.assertTrue(flags & 0x20, "high-entropy addresses")
        self.assertIn(pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"], [
            i for i, d in enumerate(header.DATA_DIRECTORY) if d.Size > 0], "relocations for randomisation")

    def test_imports_only_system_dlls(self):
        dlls = {entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertLessEqual(dlls, SYSTEM_DLLS)

    def test_main_dialog_template(self):
        data, lang = self.resource(RT_DIALOG, 102)
        self.assertEqual(lang, US_ENGLISH)
        self.assertEqual(data[2:4], b"\xff\xff", "an extended template")
        d = parse_dialog(data)
        self.assertEqual(d["rect"], (0, 0, 295, 136))
        self.assertEqual(d["style"] & ~DS_SETFONT,
                         DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)
        self.assertEqual(d["exstyle"], WS_EX_APPWINDOW)
        self.assertEqual(d["caption"], "Norvane Search")
        self.assertEqual((d["font"], d["points"], d["weight"], d["italic"], d["charset"]), ("Tahoma", 9, 400, 0, 1))
        edit = 0x81
        common = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN
        self.assertEqual([(c["id"], c["class"], c["rect"], c["style"]) for c in d["controls"]], [
            (1000, edit, (7, 7, 281, 13), common),
            (1001, edit, (7, 26, 281, 103), common | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL | WS_HSCROLL),
        ])

    def test_about_box_template(self):
        data, _ = self.resource(RT_DIALOG, 100)
        self.assertNotEqual(data[2:4], b"\xff\xff", "a classic template")
        d = parse_dialog(data)
        self.assertEqual(d["rect"], (0, 0, 134, 51))
        self.assertEqual(d["style"] & ~DS_SETFONT, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
        self.assertEqual((d["caption"], d["font"], d["points"]), ("About Norvane", "MS Sans Serif", 8))
        static, button = 0x82, 0x80
        controls = d["controls"]
        self.assertEqual([(c["id"], c["class"], c["rect"]) for c in controls], [
            (-1, static, (7, 7, 21, 20)), (-1, static, (7, 32, 58, 8)), (-1, static, (71, 32, 56, 8)),
            (1, button, (77, 7, 50, 14))])
        icon, version, credit, ok = controls
        self.assertEqual((icon["style"] & 0x1F, icon["text"]), (SS_ICON, 128))
        self.assertEqual(version["text"], "Norvane Version 1.0")
        self.assertTrue(version["style"] & SS_NOPREFIX and version["style"] & WS_GROUP)
        self.assertTrue(credit["text"] and credit["style"] & WS_GROUP)
        self.assertEqual(ok["text"], "OK")
        self.assertEqual(ok["style"] & (0xF | WS_GROUP | WS_TABSTOP), BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP)

    def test_icon_group_has_three_images(self):
        data, _ = self.resource(RT_GROUP_ICON, 128)
        _, kind, count = struct.unpack_from("<HHH", data)
        self.assertEqual((kind, count), (1, 3))
        images = []
        for i in range(count):
            width, height, colours, _, _, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", data, 6 + 14 * i)
            image, _ = self.resource(RT_ICON, icon_id)
            self.assertEqual(len(image), size)
            header_width, header_height, _, header_bits = struct.unpack_from("<iiHH", image, 4)
            self.assertEqual((header_width, header_height // 2, header_bits), (width, height, bits))
            images.append((width, height, bits))
        self.assertEqual(images, [(32, 32, 4), (16, 16, 4), (48, 48, 8)])

    def test_string_table(self):
        data, _ = self.resource(RT_STRING, 101 // 16 + 1)
        r = Reader(data)
        strings = []
        for _ in range(16):
            length = r.take("H")
            strings.append(data[r.pos:r.pos + 2 * length].decode("utf-16-le"))
            r.pos += 2 * length
        self.assertEqual(strings[101 % 16], "&About Norvane...")
        self.assertEqual([s for s in strings if s], ["&About Norvane..."])

    def test_version_block(self):
        self.pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
        fixed = self.pe.VS_FIXEDFILEINFO[0]
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), (0x10000, 0x1))
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), (0x10000, 0x1))
        strings, translations = {}, []
        for info in self.pe.FileInfo[0]:
            if info.Key == b"StringFileInfo":
                for table in info.StringTable:
                    self.assertEqual(table.LangID, b"040904b0")
                    strings = {k.decode(): v.decode() for k, v in table.entries.items()}
            if info.Key == b"VarFileInfo":
                translations = [var.entry for var in info.Var]
        self.assertEqual(strings, {
            "Comments": "", "CompanyName": "", "FileDescription": "Norvane MFC Application",
            "FileVersion": "1, 0, 0, 1", "InternalName": "Norvane", "LegalTrademarks": "",
            "OriginalFilename": "Norvane.EXE", "PrivateBuild": "", "ProductName": "Norvane Application",
            "ProductVersion": "1, 0, 0, 1", "SpecialBuild": ""})
        self.assertEqual(translations, [{b"Translation": "0x0409 0x04b0"}])

    def test_manifest_asks_for_common_controls_6(self):
        data, _ = self.resource(RT_MANIFEST, 1)
        text = data.decode("utf-8")
        self.assertIn('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', text)
        self.assertEqual(text.count('processorArchitecture="%s"' % ARCH), 2)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
