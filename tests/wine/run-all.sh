#!/usr/bin/env bash
# Both Windows builds under Wine on a private display, each group naming the
# executable it runs: the unit tests, the window tests, the driver against the
# native one, and queries typed with real keys. The 32-bit program is the one
# in the release zip, unzipped into an empty folder.
# Usage: run-all.sh BUILD_FOLDER (holding native, i686 and x86_64)
set -eu
builds=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
group() {  # title: starts a group of tests, saying what runs and, after the first, how long the last took
  [ -z "${group_start:-}" ] || echo "   ($((SECONDS - group_start)) s)"
  group_start=$SECONDS
  echo "== $1"
}

group "a private display and Wine prefix"
. "$here/session.sh"
work=$(mktemp -d)
trap 'stop_session; rm -rf "$work"' EXIT

run_build() {  # arch, wine loader, folder holding the Norvane.exe to type into
  local arch=$1 wine=$2 folder=$3 build=$builds/$1
  group "$arch: unit and window tests of $build/Norvane.exe under $wine"
  (cd "$build" && ctest --output-on-failure -L wine)
  group "$arch: $build/norvane-search.exe under $wine against the native driver"
  "$here/driver-matches-native.sh" "$wine" "$build/norvane-search.exe" "$builds/native/norvane-search" \
    "$source_dir/store/default-journals.txt" "$build/driver-differences"
  group "$arch: keys typed into $folder/Norvane.exe under $wine"
  "$here/typed-queries.sh" "$wine" "$folder" "$build/tests/wine/norvane_probe.exe" "$builds/native/norvane-search"
}

if [ -n "$WINE32" ]; then
  mkdir "$work/release"
  (cd "$work/release" && cmake -E tar xf "$source_dir"/dist/Norvane-*-win32.zip)
  run_build i686 "$WINE32" "$work/release"
else
  echo "NOT TESTED: 32-bit Wine is not installed, so the shipped 32-bit Norvane.exe was not run; only the 64-bit build was"
fi
mkdir "$work/x86_64"
cp "$builds/x86_64/Norvane.exe" "$work/x86_64/"
run_build x86_64 "$WINE64" "$work/x86_64"
program=$builds/x86_64/Norvane.exe wine=$WINE64
[ -n "$WINE32" ] && program=$builds/i686/Norvane.exe wine=$WINE32
group "layout of $program at 96 and 144 DPI"
"$here/dpi-layout.sh" "$wine" "$program" "${program%/Norvane.exe}/tests/wine/norvane_probe.exe"
group "Wine tests done"
