#!/usr/bin/env python3
"""Turns the CC0 collection (UTF-8, abbreviation TAB title, CR LF) into the
optional larger list shipped with the program, laid out like the built-in list:
every entry of the collection with every letter as the source has it, in
UTF-8 without a byte-order mark (as today's Notepad saves), CR LF.

Usage: make-large-list.py COLLECTION OUTPUT REPORT

REPORT says what the list holds."""

import sys


def sort_key(line):
    """Case-blind order, as the built-in list has it: A-Z compared as a-z, the tab before any other text."""
    return line.translate(bytes.maketrans(b"ABCDEFGHIJKLMNOPQRSTUVWXYZ", b"abcdefghijklmnopqrstuvwxyz"))


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


def main():
    source, output, report = sys.argv[1:4]
    entries = [line for line in open(source, "rb").read().split(b"\r\n") if line]
    entries.sort(key=sort_key)
    lines = list(with_markers(entries))
    with open(output, "wb") as out:
        out.write(b"".join(line + b"\r\n" for line in lines))
    beyond_ascii = sum(1 for entry in entries if not entry.isascii())
    summary = "%s: %d entries, %d of them beyond ASCII, and %d letter markers; none left out\n" % (
        output, len(entries), beyond_ascii, len(lines) - len(entries))
    with open(report, "w", encoding="utf-8") as out:
        out.write(summary)
    print(summary, end="")


if __name__ == "__main__":
    main()
