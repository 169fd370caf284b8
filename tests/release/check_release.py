#!/usr/bin/python3
"""The release zip holds the built program, a CR LF read-me that tells of the
larger journal list and what the program needs, and that list as today's
Notepad saves it: UTF-8 without a byte-order mark, CR LF ends, one tab an
entry (none in the letter markers), every entry of the collection once, with
every letter as the collection has it.

Usage: check_release.py ZIP EXE COLLECTION"""

import re
import sys
import unittest
import zipfile

ZIP, EXE, COLLECTION = sys.argv[1:4]
MARKER = re.compile(rb"[A-Z] top")


class Release(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.zip = zipfile.ZipFile(ZIP)
        cls.data = cls.zip.read("Journals-large.txt")
        cls.lines = cls.data.split(b"\r\n")[:-1]

    def test_zip_holds_the_program_and_a_read_me_for_notepad(self):
        self.assertEqual(sorted(self.zip.namelist()), ["Journals-large.txt", "Norvane.exe", "ReadMe.txt"])
        self.assertEqual(self.zip.read("Norvane.exe"), open(EXE, "rb").read())
        read_me = self.zip.read("ReadMe.txt")
        for told in (b"Journals-large.txt", b"Windows 7 SP1", b"SSE2"):
            self.assertIn(told, read_me)
        self.assertEqual(read_me.count(b"\n"), read_me.count(b"\r\n"))

    def test_list_is_utf_8_with_crlf_ends_and_one_tab_an_entry(self):
        self.data.decode("utf-8")  # strict
        self.assertFalse(self.data.startswith((b"\xef\xbb", b"\xff\xfe")))
        self.assertNotRegex(self.data, rb"\r(?!\n)|(?<!\r)\n|[^\n]\Z")
        for line in self.lines:
            self.assertEqual(line.count(b"\t"), 0 if MARKER.fullmatch(line) else 1, line)

    def test_holds_every_entry_of_the_collection_once(self):
        source = [line for line in open(COLLECTION, "rb").read().split(b"\r\n") if line]
        entries = [line for line in self.lines if not MARKER.fullmatch(line)]
        self.assertGreaterEqual(len(entries), 55000)
        self.assertEqual(sorted(entries), sorted(source))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
