#!/usr/bin/env bash
# The dialog lays out from its dialog units: at 144 DPI its boxes are about
# 1.5 times their size at 96 DPI (font metrics round), and a line of text
# fits the query box at both. Runs inside run-all's Wine session, whose
# server it restarts at each DPI.
# Usage: dpi-layout.sh WINE PROGRAM PROBE
set -eu
wine=$1 program=$2 probe=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

layout_at() {  # dpi: the probe's layout lines for the program at that DPI
  /usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  /usr/lib/wine/wineserver64 -k || true
  /usr/lib/wine/wineserver64 -w
  . "$here/../../tools/wine-prefix.sh"
  mkdir "$work/$1"
  cp "$program" "$work/$1/Norvane.exe"
  (cd "$work/$1" && exec "$wine" Norvane.exe) &
  pid=$!
  xdotool search --sync --onlyvisible --name "Norvane Search" >/dev/null
  sleep 0.5
  xdotool type --delay 40 jacs
  for _ in $(seq 50); do
    [ -n "$("$wine" "$probe" results 2>/dev/null)" ] && break
    sleep 0.1
  done
  "$wine" "$probe" layout | tr -d '\r'
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

layout_at 96 > "$work/96.layout"
layout_at 144 > "$work/144.layout"
echo "box sizes (dpi width height clipped): $(paste -d ' ' "$work/96.layout" "$work/144.layout" | tr '\n' ';')"
paste "$work/96.layout" "$work/144.layout" | awk '
  { ok = $1 == 96 && $5 == 144 && $4 == 0 && $8 == 0
    for (i = 2; i <= 3; i++) { ratio = $(i + 4) / $i; ok = ok && ratio > 1.4 && ratio < 1.6 } }
  !ok { bad = 1 }
  END { exit bad }' || { echo "FAIL: the boxes do not scale from 96 to 144 DPI, or their text is clipped"; exit 1; }
echo "layout at 144 DPI: scaled and unclipped"
