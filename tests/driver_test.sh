#!/usr/bin/env bash
# The console driver from outside: exit codes, output bytes, the data file it
# writes, its code page and query file, and what only a full disk, another
# user, a limit or another file system can cause (unreadable files,
# read-only folders, a pipe, no hard links, a full address space): exit 1,
# a message naming the file, nothing left behind.
# Usage: driver_test.sh DRIVER DEFAULT_LIST FILE_SYSTEM_SHIM [--no-memory-limit]
set -eu
driver=$1 list=$2 shim=$3 memory_limit=${4:-}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
chmod 755 "$dir"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
fails_with() {  # message, command...: exit 1 and the message on stderr
  local message=$1; shift
  "$@" >/dev/null 2>"$dir/err"
  [ $? -eq 1 ] && grep -q "$message" "$dir/err" || fail "$*: $(cat "$dir/err")"
}

set +e
for options in "" "--code-page" "--code-page 932"; do  # too few arguments
  "$driver" $options >/dev/null 2>"$dir/err"
  [ $? -eq 2 ] && grep -q '^usage: norvane-search' "$dir/err" || fail "'$options' alone should exit 2 with the usage line"
done
for page in 12345 abc 0x3A4 "" 873 875 1249 1259 65000; do  # no ANSI code page: a usage error naming it, no search
  "$driver" --code-page "$page" "$dir" jacs >"$dir/out" 2>"$dir/err"
  [ $? -eq 2 ] && [ ! -s "$dir/out" ] && grep -q "'$page'" "$dir/err" || fail "--code-page '$page': $(cat "$dir/err")"
done
[ -e "$dir/Norvane.txt" ] && fail "a usage error ran a search"

mkdir -m 755 "$dir/empty"
[ -z "$("$driver" "$dir/empty" jacs | od -An -c)" ] || fail "the rewriting run should print nothing"
cmp -s "$dir/empty/Norvane.txt" <(sed 's/$/\r/' "$list") || fail "Norvane.txt is not the default list with CR LF"
[ $((0$(stat -c %a "$dir/empty/Norvane.txt") & 0111)) -eq 0 ] || fail "Norvane.txt is executable"
for page in 874 932 936 949 950 1250 1258 65001; do "$driver" --code-page $page "$dir/empty" jacs >/dev/null || fail "$page"; done
printf 'JACS\r\nJournal of the American Chemical Society' > "$dir/expected"
"$driver" "$dir/empty/" jacs > "$dir/out" || fail "a run should exit 0"
cmp -s "$dir/out" "$dir/expected" || fail "jacs output differs"
printf 'jacs\nand\nzzqx\n' > "$dir/queries"  # "and" leaves the box alone: nothing shown
"$driver" --queries "$dir/queries" "$dir/empty" > "$dir/out" || fail "--queries should exit 0"
printf '== jacs\n%s\n== and\n\n== zzqx\nNo Results\n' "$(cat "$dir/expected")" | cmp -s - "$dir/out" || fail "--queries output differs"
"$driver" "$dir/empty" jacs > /dev/full 2>/dev/null; [ $? -eq 1 ] || fail "output that cannot be written should exit 1"
mkdir "$dir/932" && printf '\x83ax\r\n\x83Ax\r\n' > "$dir/932/Norvane.txt"
[ "$("$driver" --code-page 932 "$dir/932" $'\x83Ax')" = $'\x83Ax' ] || fail "--code-page 932 reads by character"
mkdir "$dir/utf-8" && printf 'Z. Naturforsch.\tZeitschrift f\xc3\xbcr Naturforschung\r\n' > "$dir/utf-8/Norvane.txt"
[ "$("$driver" --code-page 932 "$dir/utf-8" $'F\xc3\x9cR')" = $'Z. Naturforsch.\r\nZeitschrift f\xc3\xbcr Naturforschung' ] ||
  fail "a UTF-8 list is not printed in its own bytes"

fails_with "'$dir/nowhere': No such file or directory" "$driver" --queries "$dir/nowhere" "$dir/empty"
mkdir "$dir/pipe" && mkfifo "$dir/pipe/Norvane.txt"
fails_with "'$dir/pipe/Norvane.txt': It is not a plain file" timeout 10 "$driver" "$dir/pipe" jacs

# Where the file system lacks one way to move without replacing, the other
# serves; where it lacks both, the rewrite fails and leaves nothing behind.
with_file_system() {  # what it lacks, command...
  local lacks=$1; shift
  NORVANE_FS_LACKS=$lacks LD_PRELOAD=$shim ASAN_OPTIONS=verify_asan_link_order=0 "$@"
}
for lacks in links rename; do
  mkdir "$dir/no-$lacks"
  with_file_system "$lacks" "$driver" "$dir/no-$lacks" jacs || fail "no $lacks: the rewrite should succeed"
  cmp -s "$dir/no-$lacks/Norvane.txt" "$dir/empty/Norvane.txt" || fail "no $lacks: Norvane.txt is not the default list"
  [ "$(ls -A "$dir/no-$lacks")" = Norvane.txt ] || fail "no $lacks: left behind: $(ls -A "$dir/no-$lacks")"
done
mkdir "$dir/no-move"
fails_with "'$dir/no-move/Norvane.txt': Operation not permitted" with_file_system links,rename "$driver" "$dir/no-move" jacs
[ -z "$(ls -A "$dir/no-move")" ] || fail "no way to move: left behind: $(ls -A "$dir/no-move")"

chmod 000 "$dir/empty/Norvane.txt"
fails_with "'$dir/empty/Norvane.txt': Permission denied" as_nobody "$driver" "$dir/empty" jacs
mkdir "$dir/full"  # a write that fails halfway, as on a full disk
fails_with "File too large" bash -c "trap '' XFSZ; ulimit -f 4; exec '$driver' '$dir/full' jacs"
[ -z "$(ls -A "$dir/full")" ] || fail "a failed write left behind: $(ls -A "$dir/full")"
mkdir -m 755 "$dir/readonly"
fails_with "'$dir/readonly/[^']*': Permission denied" as_nobody "$driver" "$dir/readonly" ab
[ -z "$(ls -A "$dir/readonly")" ] || fail "a read-only folder should stay empty: $(ls -A "$dir/readonly")"

if [ "$memory_limit" != --no-memory-limit ]; then
  mkdir "$dir/huge"  # results far larger than the address space allows
  yes 'ab' | head -c 20000000 > "$dir/huge/Norvane.txt"
  fails_with "not enough memory" bash -c "ulimit -v 400000; exec '$driver' '$dir/huge' ab"
fi
set -e

[ "$failures" -eq 0 ] && echo "driver: all checks passed"
exit "$failures"
