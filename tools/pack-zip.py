#!/usr/bin/env python3
"""Packs a zip that every build of one commit makes byte for byte alike: the
entries in the order given, each dated SOURCE_DATE_EPOCH (the build sets it to
the date of the last commit), with the same permissions.

Usage: SOURCE_DATE_EPOCH=SECONDS pack-zip.py ZIP NAME=FILE..."""

import os
import sys
import time
import zipfile


def main():
    archive, entries = sys.argv[1], sys.argv[2:]
    date = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]  # a zip dates from 1980 on
    with zipfile.ZipFile(archive + ".new", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as packed:
        for entry in entries:
            name, path = entry.split("=", 1)
            info = zipfile.ZipInfo(name, date)
            info.external_attr = 0o644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                packed.writestr(info, source.read())
    os.replace(archive + ".new", archive)


if __name__ == "__main__":
    main()
