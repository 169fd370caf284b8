#!/usr/bin/env bash
# Real keystrokes: Norvane.exe started under WINE in FOLDER (the unzipped
# release, or a build's program alone in a folder), or by START_COMMAND,
# writes its data file there; queries typed with xdotool show exactly what
# the native driver prints for them, and no message box; the last entry of
# the system menu opens the About box; Escape closes it, and then the
# program, which ends with status 0.
# Usage: typed-queries.sh WINE FOLDER PROBE NATIVE_DRIVER [START_COMMAND]
set -eu
wine=$1 folder=$2 probe=$3 native_driver=$4 start=${5:-}
work=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if [ -n "$start" ]; then
  "$start" &
else
  (cd "$folder" && exec "$wine" Norvane.exe) &
fi
pid=$!
timeout 60 xdotool search --sync --onlyvisible --name "Norvane Search" >/dev/null ||
  { echo "FAIL: no window \"Norvane Search\" within a minute"; exit 1; }
"$native_driver" "$work" jacs  # writes the default list
cmp -s "$folder/Norvane.txt" "$work/Norvane.txt" || fail "the program did not write the default list"
sleep 0.5  # keys in the first 200 ms of the program arm no search
shows_results_for() {  # query: the results box shows what the driver prints
  "$native_driver" "$work" "$1" > "$work/expected"
  for _ in $(seq 50); do
    sleep 0.1
    "$wine" "$probe" results > "$work/shown" 2>/dev/null || true
    cmp -s "$work/shown" "$work/expected" && return 0
  done
  return 1
}
queries=("J. Am. Chem. Soc." "American Chemical" "Radiation Isotopes" top "soc journal" jacs)
for q in "${queries[@]}"; do
  xdotool type --delay 40 "$q"
  shows_results_for "$q" || fail "typed '$q' shows other text than the driver prints"
  [ "$q" = jacs ] || xdotool key Return Return  # select, then erase
done
xdotool search --onlyvisible --name '^Norvane$' >/dev/null && fail "a message box came up"
xdotool key alt+space Up Return
timeout 5 xdotool search --sync --onlyvisible --name "About Norvane" >/dev/null || fail "no About entry ends the system menu"
xdotool key Escape
# The window takes the focus back once the About box is gone.
timeout 10 xdotool search --sync --onlyvisible --name "Norvane Search" windowfocus --sync >/dev/null ||
  fail "Escape did not close the About box"
xdotool key Escape
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null && sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Escape did not end the program"
wait "$pid" || fail "the program ended with status $?"
echo "typed queries: ${#queries[@]} typed, $failures failed"
[ "$failures" -eq 0 ]
