#!/usr/bin/env python3
"""Turns the CC0 collection (UTF-8, abbreviation TAB title, CR LF) into the
optional larger list shipped with the program, laid out like the built-in list
and written as the program reads it: Windows-1252, CR LF, no byte-order mark.

Usage: make-large-list.py COLLECTION OUTPUT REPORT

Characters that Windows-1252 lacks become their plain equivalent where there is
one (a letter without its marks, a plain dash or quote); an entry with a
character that has none is left out. REPORT lists, a line each, every entry
left out and every entry that became the same as another, so that no entry is
lost unaccounted."""

import sys
import unicodedata

# Letters and marks with no decomposition to a plain form.
PLAIN = {"ı": "i", "ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ħ": "h", "Ħ": "H", "ŧ": "t", "Ŧ": "T",
         "\u2010": "-", "\u2011": "-", "\u2012": "-", "\u2015": "-", "\u2212": "-", "\u2032": "'", "\u2033": '"'}


def windows_1252(text):
    """The text in Windows-1252, with plain equivalents where it lacks a character; None if one has none."""
    out = bytearray()
    for ch in unicodedata.normalize("NFC", text):
        ch = PLAIN.get(ch, ch)
        try:
            out += ch.encode("cp1252")
        except UnicodeEncodeError:
            plain = "".join(c for c in unicodedata.normalize("NFKD", ch) if not unicodedata.combining(c))
            try:
                out += plain.encode("cp1252") if plain else b"\0"
            except UnicodeEncodeError:
                return None
    return None if 0 in out else bytes(out)


def sort_key(line):
    """Case-blind order, as the built-in list has it: A-Z compared as a-z, the tab before any other text."""
    return line.translate(bytes.maketrans(b"ABCDEFGHIJKLMNOPQRSTUVWXYZ", b"abcdefghijklmnopqrstuvwxyz"))


def main():
    source, output, report = sys.argv[1:4]
    entries, notes = {}, []
    for line in open(source, encoding="utf-8", newline="").read().split("\r\n"):
        if not line:
            continue
        converted = windows_1252(line) if line.count("\t") == 1 else None
        if converted is None:
            notes.append("left out\t" + line)
        elif converted in entries:
            notes.append("same as another\t" + line)
        else:
            entries[converted] = line

    with open(output, "wb") as out:
        out.write(b"".join(line + b"\r\n" for line in with_markers(sorted(entries, key=sort_key))))
    with open(report, "w", encoding="utf-8") as out:
        out.write("".join(note + "\n" for note in notes))
    print("%s: %d entries, %d left out, %d the same as another" % (
        output, len(entries), sum(n.startswith("left out") for n in notes),
        sum(n.startswith("same as") for n in notes)))


def with_markers(entries):
    """The entries with a marker line before each letter's first entry, unless it starts the list."""
    section = None
    for index, entry in enumerate(entries):
        letter = entry[:1].upper()
        if letter != section and b"A" <= letter <= b"Z":
            section = letter
            if index > 0:
                yield letter + b" top"
        yield entry


if __name__ == "__main__":
    main()
