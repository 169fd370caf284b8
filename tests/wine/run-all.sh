#!/usr/bin/env bash
# Both Windows builds under Wine on a private display, each group naming the
# executable it runs: the unit tests, the window tests, the driver against the
# native one, and queries typed with real keys. The 32-bit program and its
# tests are the ones in the release zips, unzipped into a folder named with
# letters outside the ANSI code page.
# Usage: run-all.sh BUILD_FOLDER (holding native, i686 and x86_64)
set -eu
builds=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
group() { echo "== $1 (at $SECONDS s)"; }  # a group of tests, saying what runs
group "a private display and Wine prefix"
. "$source_dir/tools/wine-session.sh"
work=$(mktemp -d)
trap 'stop_session; rm -rf "$work"' EXIT

# The tests zip as a Windows user runs it: run-tests.cmd, here under Wine's
# cmd, ends with its count. Given a folder, the run has it as its TEMP and
# TMP, as a user whose name has letters outside the ANSI code page has.
run_tests_zip() {  # wine loader, folder to unzip into [, temporary folder]
  local wine=$1 folder=$2 temp=${3:-} command=run-tests.cmd
  [ -e "$folder/run-tests.cmd" ] || { mkdir -p "$folder" && (cd "$folder" && cmake -E tar xf "$source_dir"/dist/Norvane-*-win32-tests.zip); }
  if [ -n "$temp" ]; then
    mkdir -p "$temp"
    temp="Z:$(printf '%s' "$temp" | tr / '\\')"
    command="set TEMP=$temp&& set TMP=$temp&& run-tests.cmd"  # Wine sets its own in a new process
  fi
  (cd "$folder" && env -u NORVANE_SOURCE_DIR -u NORVANE_EXE "$wine" cmd /c "$command") | tr -d '\r' > "$work/tests-zip.log" || true
  grep -v '^$' "$work/tests-zip.log"
  tail -n 1 "$work/tests-zip.log" | grep -Eq '^[1-9][0-9]* passed, 0 failed$' ||
    { echo "FAIL: run-tests.cmd of the tests zip did not pass"; return 1; }
}

run_build() {  # arch, wine loader, folder holding the Norvane.exe to type into
  local arch=$1 wine=$2 folder=$3 build=$builds/$1
  if [ "$arch" = i686 ]; then
    group "$arch: the unit and window tests from the tests zip, unzipped into $folder/tests, under $wine cmd"
    run_tests_zip "$wine" "$folder/tests"
    group "$arch: the tests zip again, with TEMP and TMP in $folder/Temp"
    run_tests_zip "$wine" "$folder/tests" "$folder/Temp"
  else
    group "$arch: unit and window tests of $build/Norvane.exe under $wine"
    (cd "$build" && ctest --output-on-failure -L wine)
  fi
  group "$arch: $build/norvane-search.exe under $wine against the native driver"
  "$here/driver-matches-native.sh" "$wine" "$build/norvane-search.exe" "$builds/native/norvane-search" \
    "$source_dir/store/default-journals.txt" "$build/driver-differences"
  group "$arch: keys typed into $folder/Norvane.exe under $wine"
  "$here/typed-queries.sh" "$wine" "$folder" "$build/tests/wine/norvane_probe.exe" "$builds/native/norvane-search"
}

# Unzipped where users often are: in a folder named with letters outside
# the ANSI code page (Polish, Greek, Japanese).
user_folder="$work/Łukasz Ωμέγα 日本語"
if [ -n "$WINE32" ]; then
  mkdir -p "$user_folder/i686"
  (cd "$user_folder/i686" && cmake -E tar xf "$source_dir"/dist/Norvane-*-win32.zip)
  run_build i686 "$WINE32" "$user_folder/i686"
else
  echo "NOT TESTED: 32-bit Wine is not installed, so the shipped 32-bit Norvane.exe was not run; only the 64-bit build was"
fi
mkdir -p "$user_folder/x86_64"
cp "$builds/x86_64/Norvane.exe" "$user_folder/x86_64/"
run_build x86_64 "$WINE64" "$user_folder/x86_64"
# The dialog lays out from its dialog units, at 144 DPI as at 96: the window
# test of the layout (which on Windows runs at the display's DPI), and
# queries typed there.
arch=x86_64 wine=$WINE64
[ -n "$WINE32" ] && arch=i686 wine=$WINE32
group "$arch: Norvane.exe at 144 DPI"
"$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
"$WINESERVER" -k
"$WINESERVER" -w
. "$source_dir/tools/wine-prefix.sh"
status=0
(cd "$builds/$arch" && NORVANE_EXE=$builds/$arch/Norvane.exe NORVANE_SOURCE_DIR="Z:$(printf '%s' "$source_dir" | tr / '\\')" \
  "$wine" tests/wine/norvane_window_tests.exe --gtest_filter='Layout.*' --gtest_brief=1) > "$work/144.log" 2>&1 || status=$?
tr -d '\r' < "$work/144.log"
[ "$status" -eq 0 ] && grep -q "at 144 DPI" "$work/144.log" || { echo "FAIL: the layout at 144 DPI"; exit 1; }
mkdir "$work/144"
cp "$builds/$arch/Norvane.exe" "$work/144/"
"$here/typed-queries.sh" "$wine" "$work/144" "$builds/$arch/tests/wine/norvane_probe.exe" "$builds/native/norvane-search"
