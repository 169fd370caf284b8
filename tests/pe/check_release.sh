#!/usr/bin/env bash
# The release zip holds exactly the built 32-bit program and a CR LF read-me.
set -eu
zip=$1 exe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip")
[ "$(cd "$work" && ls)" = "$(printf 'Norvane.exe\nReadMe.txt')" ] || { echo "FAIL: unexpected files: $(ls "$work")"; exit 1; }
cmp "$work/Norvane.exe" "$exe" || { echo "FAIL: the zip holds another Norvane.exe"; exit 1; }
file "$work/Norvane.exe" | grep -q 'PE32 executable (GUI) Intel 80386' || { echo "FAIL: not a 32-bit GUI program"; exit 1; }
grep -q 'Norvane.txt' "$work/ReadMe.txt" || { echo "FAIL: the read-me should say where the list lives"; exit 1; }
! grep -q $'[^\r]$' "$work/ReadMe.txt" || { echo "FAIL: the read-me should end its lines with CR LF"; exit 1; }
echo "release zip: all checks passed"
