#!/usr/bin/env bash
# The release zip holds exactly the built 32-bit program, a CR LF read-me that
# tells how to use the larger list, and that list.
set -eu
zip=$1 exe=$2 large_list=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip")
[ "$(cd "$work" && ls)" = "$(printf 'Journals-large.txt\nNorvane.exe\nReadMe.txt')" ] || { echo "FAIL: unexpected files: $(ls "$work")"; exit 1; }
cmp "$work/Norvane.exe" "$exe" && cmp "$work/Journals-large.txt" "$large_list" || { echo "FAIL: the zip holds other files than the build's"; exit 1; }
file "$work/Norvane.exe" | grep -q 'PE32 executable (GUI) Intel 80386' || { echo "FAIL: not a 32-bit GUI program"; exit 1; }
grep -q 'Journals-large.txt' "$work/ReadMe.txt" || { echo "FAIL: the read-me should tell about the larger list"; exit 1; }
! grep -q $'[^\r]$' "$work/ReadMe.txt" || { echo "FAIL: the read-me should end its lines with CR LF"; exit 1; }
echo "release zip: all checks passed"
