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
source_dir_z="Z:$(printf '%s' "$source_dir" | tr / '\\')"  # as Wine's programs see it
group() { echo "== $1 (at $SECONDS s)"; }  # a group of tests, saying what runs
group "a private display and Wine prefix"
. "$source_dir/tools/wine-session.sh"
work=$(mktemp -d)
trap 'stop_session; rm -rf "$work"' EXIT

# The tests zip as a Windows user runs it: run-tests.cmd, here under Wine's
# cmd, ends with its count. The run has the folder given as its TEMP and
# TMP, as a user whose name has letters outside the ANSI code page has.
run_tests_zip() {  # wine loader, folder to unzip into, temporary folder
  local wine=$1 folder=$2 temp=Z:$(printf '%s' "$3" | tr / '\\')
  mkdir -p "$folder" "$3"
  (cd "$folder" && cmake -E tar xf "$source_dir"/dist/Norvane-*-win32-tests.zip)
  # Wine sets its own TEMP in a new process: set within the command.
  (cd "$folder" && env -u NORVANE_SOURCE_DIR -u NORVANE_EXE "$wine" cmd /c "set TEMP=$temp&& set TMP=$temp&& run-tests.cmd") |
    tr -d '\r' > "$work/tests-zip.log" || true
  grep -av '^$' "$work/tests-zip.log"
  tail -n 1 "$work/tests-zip.log" | grep -Eq '^[1-9][0-9]* passed, 0 failed$' ||
    { echo "FAIL: run-tests.cmd of the tests zip did not pass"; return 1; }
}

# Some window tests of a build's Norvane.exe, in the environment the caller
# gives; their output is also in window.log.
window_tests() {  # arch, wine loader, test filter
  local build=$builds/$1
  (cd "$build" && NORVANE_EXE=$build/Norvane.exe NORVANE_SOURCE_DIR=$source_dir_z \
    "$2" tests/wine/norvane_window_tests.exe --gtest_brief=1 --gtest_filter="$3") 2>&1 | tr -d '\r' | tee "$work/window.log"
  [ "${PIPESTATUS[0]}" -eq 0 ]
}

# A command with the prefix's fonts put aside, the server started anew
# without them and again with them after.
without_wine_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts status=0
  mkdir -p "$work/fonts" && mv "$fonts"/* "$work/fonts/"
  "$WINESERVER" -k && "$WINESERVER" -w
  "$@" || status=$?
  mv "$work/fonts"/* "$fonts/"
  "$WINESERVER" -k && "$WINESERVER" -w
  return "$status"
}

run_build() {  # arch, wine loader, folder holding the Norvane.exe to type into
  local arch=$1 wine=$2 folder=$3 build=$builds/$1
  if [ "$arch" = i686 ]; then
    group "$arch: the unit and window tests from the tests zip, unzipped into $folder/tests, under $wine cmd, with TEMP and TMP in $folder/Temp"
    run_tests_zip "$wine" "$folder/tests" "$folder/Temp"
  else
    group "$arch: unit and window tests of $build/Norvane.exe under $wine"
    (cd "$build" && ctest --output-on-failure -L wine)
  fi
  # Wine takes its ANSI code page from the locale: in Japanese (932) a
  # character of two bytes stands before the caret, and goes to the search;
  # a UTF-8 list shows every letter, in parts too. Without Wine's own fonts
  # the dialog draws in a fallback face of other widths, as a system with
  # other fonts or settings would: the place the user made in the results
  # holds all the same.
  group "$arch: $build/Norvane.exe in Japanese, code page 932, without Wine's fonts: Ctrl+Backspace, searches, a UTF-8 list and a large result's place"
  LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 without_wine_fonts \
    window_tests "$arch" "$wine" 'Keys.*:Search.*:LargeResults.Stay*' &&
    ! grep -q Skipped "$work/window.log" || { echo "FAIL: in Japanese, or in the fallback font"; return 1; }
  group "$arch: $build/norvane-search.exe under $wine against the native driver"
  "$here/driver-matches-native.sh" "$wine" "$build/norvane-search.exe" "$builds/native/norvane-search" \
    "$build/driver-differences"
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
# test of the layout, which on Windows runs at the display's DPI.
arch=x86_64 wine=$WINE64
[ -n "$WINE32" ] && arch=i686 wine=$WINE32
group "$arch: Norvane.exe at 144 DPI"
"$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
"$WINESERVER" -k
"$WINESERVER" -w
. "$source_dir/tools/wine-prefix.sh"
window_tests "$arch" "$wine" 'Layout.*' && grep -q "at 144 DPI" "$work/window.log" ||
  { echo "FAIL: the layout at 144 DPI"; exit 1; }
