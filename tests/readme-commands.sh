#!/usr/bin/env bash
# The commands the README shows, each run as a user types it and checked for
# doing its job. tools/start and tools/screenshot run in a copy of the
# checkout as fresh as a clone (no Wine prefix, the pictures not yet taken),
# with only the built programs put in place; the others run here, after
# tools/build. Every command the README names must be one of those below.
# Usage: readme-commands.sh   (after tools/build and tools/release)
set -eu
cd "$(dirname "$0")/.."
# How each command of the README is run: here, or by tools/test-all itself.
covered_by_test_all="tools/install-deps tools/build tools/test-all tools/release tools/check-release"
covered_here="tools/start tools/screenshot bench/run"
# Measurements that take many minutes, run by hand for a change's note.
by_hand="tools/mutation-test bench/window-latency"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Commands, not the scripts the build runs (tools/make-large-list.py).
for command in $(grep -oE '\b(tools|bench)/[a-z.-]+' README.md | grep -v '\.' | sort -u); do
  case " $covered_by_test_all $covered_here $by_hand " in
    *" $command "*) ;;
    *) fail "the README shows $command, which no test runs" ;;
  esac
done

wine=/usr/lib/wine/wine64 arch=x86_64
[ -x /usr/lib/wine/wine ] && wine=/usr/lib/wine/wine arch=i686
copy=$(mktemp -d /tmp/norvane-readme-XXXXXX)
xvfb_pid=
cleanup() {
  WINEPREFIX=$copy/build/wine-prefix /usr/lib/wine/wineserver64 -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$copy"
}
trap cleanup EXIT
git ls-files -z | xargs -0 cp --parents -t "$copy"
for a in i686 x86_64; do install -D -m 755 "build/$a/Norvane.exe" "$copy/build/$a/Norvane.exe"; done

# A display of its own for tools/start, as a desktop would give.
. tools/x-display.sh

echo "-- tools/start, from a fresh copy on $DISPLAY"
WINEPREFIX=$copy/build/wine-prefix tests/wine/typed-queries.sh "$wine" "$copy/build/$arch" \
  "build/$arch/tests/wine/norvane_probe.exe" build/native/norvane-search "$copy/tools/start" || fail "tools/start"
out=$(cd "$copy" && env -u DISPLAY tools/start 2>&1) && fail "tools/start without a display went on"
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || fail "tools/start without a display: not one line: $out"

echo "-- tools/screenshot, in the same copy"
(cd "$copy" && tools/screenshot) > "$copy/screenshot.log" 2>&1 || { fail "tools/screenshot failed"; cat "$copy/screenshot.log"; }
for shot in "screenshot 640 420" "about 640 420" "screenshot-144dpi 900 560"; do
  set -- $shot
  size=$(identify -format '%w %h %k' "$copy/docs/$1.png" 2>/dev/null || echo none)
  # The window over the desktop: its size, and more colours than a blank picture has.
  [ "${size% *}" = "$2 $3" ] && [ "${size##* }" -gt 30 ] || fail "tools/screenshot: docs/$1.png is $size"
done

echo "-- bench/run 1"
bench/run 1 > "$copy/bench.log" 2>&1 || fail "bench/run failed"
[ "$(grep -cE '^(default|utf-8|1252) +[A-Za-z ]+ +[0-9]+ ' "$copy/bench.log")" -eq 16 ] || { fail "bench/run: not its table"; cat "$copy/bench.log"; }

echo "README commands: $failures failed"
[ "$failures" -eq 0 ]
