#!/usr/bin/env bash
# The console driver against what only another user or a limit can cause:
# unreadable data files, read-only folders, a full address space. Each ends
# with exit 1, a clear message and no file left behind.
set -eu
driver=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
chmod 755 "$dir"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }

set +e
mkdir -m 755 "$dir/locked"
printf 'ab\r\n' > "$dir/locked/Norvane.txt"
chmod 000 "$dir/locked/Norvane.txt"
as_nobody "$driver" "$dir/locked" ab >/dev/null 2>"$dir/err"
[ $? -eq 1 ] && grep -q "Permission denied" "$dir/err" || fail "an unreadable data file: $(cat "$dir/err")"

mkdir -m 755 "$dir/readonly"
as_nobody "$driver" "$dir/readonly" ab >/dev/null 2>"$dir/err"
[ $? -eq 1 ] && grep -q "Permission denied" "$dir/err" || fail "a read-only folder: $(cat "$dir/err")"
[ -z "$(ls -A "$dir/readonly")" ] || fail "a read-only folder should stay empty: $(ls -A "$dir/readonly")"

# Results far larger than the address space allows.
mkdir "$dir/huge"
yes 'ab' | head -c 20000000 > "$dir/huge/Norvane.txt"
(ulimit -v 400000; "$driver" "$dir/huge" ab >/dev/null 2>"$dir/err")
[ $? -eq 1 ] && grep -q "not enough memory" "$dir/err" || fail "running out of memory: $(cat "$dir/err")"
set -e

[ "$failures" -eq 0 ] && echo "hostile driver cases: all checks passed"
exit "$failures"
