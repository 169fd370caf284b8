#!/usr/bin/env bash
# The console driver from outside: exit codes, output bytes, the data file.
set -eu
driver=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

set +e
"$driver" >/dev/null 2>"$dir/err"; [ $? -eq 2 ] || fail "no arguments should exit 2"
grep -q '^usage: norvane-search DIR QUERY$' "$dir/err" || fail "usage line missing"

mkdir "$dir/empty"
out=$("$driver" "$dir/empty" jacs | od -An -c); [ $? -eq 0 ] || fail "rewrite run should exit 0"
[ -z "$out" ] || fail "the rewriting run should print nothing"
[ "$(stat -c %s "$dir/empty/Norvane.txt")" = 291086 ] || fail "Norvane.txt should be 291086 bytes"
[ "$(tail -c 2 "$dir/empty/Norvane.txt" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "Norvane.txt should end with CR LF"
printf 'JACS\r\nJournal of the American Chemical Society' > "$dir/expected"
"$driver" "$dir/empty/" jacs > "$dir/out"; cmp -s "$dir/out" "$dir/expected" || fail "jacs output differs"
"$driver" "$dir/empty" and > "$dir/out"; [ -s "$dir/out" ] && fail "'and' should print nothing"

mkdir -p "$dir/folder/Norvane.txt"
"$driver" "$dir/folder" jacs >"$dir/out" 2>"$dir/err"; [ $? -eq 1 ] || fail "a folder named Norvane.txt should exit 1"
grep -q "Norvane.txt': It is a folder" "$dir/err" || fail "the folder error should say so: $(cat "$dir/err")"
[ -d "$dir/folder/Norvane.txt" ] || fail "the folder should stay"
set -e

[ "$failures" -eq 0 ] && echo "driver: all checks passed"
exit "$failures"
