#!/usr/bin/env python3
"""Makes search/CaseTables.inc, the tables by which the search ignores case:
Unicode's simple case folding (the lines of status C and S of CaseFolding.txt,
one character to one), and for each ANSI code page of Windows the same rule on
its single bytes: a byte folds to the byte of its folded character where the
code page has that character as one byte, else it stays. Its characters of two
bytes are compared as they are.

The code pages are read through Python's codecs, which follow Microsoft's
tables as Unicode publishes them (MAPPINGS/VENDORS/MICSFT). The tests compare
them with the system's own conversion on Windows and under Wine.

Usage: make-case-tables.py [CASE_FOLDING OUTPUT]
       make-case-tables.py --check [CASE_FOLDING OUTPUT]
Defaults: /usr/share/unicode/CaseFolding.txt (Debian's unicode-data) and
search/CaseTables.inc. --check says whether OUTPUT is what the script makes."""

import os
import sys

ANSI_CODE_PAGES = [874, 932, 936, 949, 950] + list(range(1250, 1259))


def read_folds(path):
    """The simple case folding, as {code point: folded code point}, and the version of the file."""
    folds, version = {}, None
    with open(path, encoding="utf-8") as source:
        for line in source:
            if version is None and line.startswith("# CaseFolding-"):
                version = line[len("# CaseFolding-"):].strip().removesuffix(".txt")
            fields = [field.strip() for field in line.split("#")[0].split(";")]
            if len(fields) >= 3 and fields[1] in ("C", "S"):
                folds[int(fields[0], 16)] = int(fields[2], 16)
    if version is None or not folds:
        sys.exit("%s: not Unicode's CaseFolding.txt" % path)
    return folds, version


def code_page_folds(code_page, folds):
    """The folded byte of each byte from 0x80 on; ASCII folds A-Z alike in every code page."""
    codec = "cp%d" % code_page
    high = []
    for byte in range(0x80, 0x100):
        folded = byte
        try:
            character = bytes([byte]).decode(codec)
            encoded = chr(folds.get(ord(character), ord(character))).encode(codec)
            if len(encoded) == 1:
                folded = encoded[0]
        except UnicodeError:
            pass  # no character, or the lead byte of one of two bytes
        high.append(folded)
    # The rules of "and" and of the dropped characters are ASCII: no other byte may fold into it.
    assert all(folded >= 0x80 for folded in high), codec
    return high


def make(case_folding):
    folds, version = read_folds(case_folding)
    assert all(folds.get(folded, folded) == folded for folded in folds.values()), "folding twice changes more"
    assert all((source < 0x80) == (folded < 0x80) for source, folded in folds.items() if chr(source) not in "\u212a\u017f")
    lines = ["// Made by tools/make-case-tables.py from CaseFolding.txt of Unicode %s" % version,
             "// (statuses C and S) and the code pages as Python's codecs map them. Do not edit.",
             "",
             "// Each code point that folds, in order, with the code point it folds to.",
             "constexpr CCaseFold kCaseFolds[] = {"]
    pairs = ["{0x%04X, 0x%04X}," % pair for pair in sorted(folds.items())]
    lines += ["    " + " ".join(pairs[i:i + 5]) for i in range(0, len(pairs), 5)]
    lines += ["};", "",
              "// Each ANSI code page of Windows with the folded byte of each of its bytes",
              "// from 0x80 on; the bytes below fold A-Z to a-z in all of them.",
              "constexpr CCodePageFolds kCodePageFolds[] = {"]
    for code_page in ANSI_CODE_PAGES:
        high = ["0x%02X," % byte for byte in code_page_folds(code_page, folds)]
        lines.append("    {%d, {" % code_page)
        lines += ["        " + " ".join(high[i:i + 16]) for i in range(0, 128, 16)]
        lines.append("    }},")
    lines.append("};")
    return "\n".join(lines) + "\n"


def main():
    args = sys.argv[1:]
    check = args[:1] == ["--check"]
    args = args[1:] if check else args
    here = os.path.dirname(os.path.abspath(__file__))
    case_folding, output = args if args else ("/usr/share/unicode/CaseFolding.txt",
                                             os.path.join(here, "..", "search", "CaseTables.inc"))
    text = make(case_folding)
    if check:
        with open(output, encoding="utf-8") as made:
            if made.read() != text:
                sys.exit("%s is not what %s makes from %s" % (output, sys.argv[0], case_folding))
        print("%s: as made from %s" % (output, case_folding))
        return
    with open(output + ".new", "w", encoding="utf-8", newline="\n") as out:
        out.write(text)
    os.replace(output + ".new", output)


if __name__ == "__main__":
    main()
