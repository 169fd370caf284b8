# Sourced by the Wine tests and tools: a private X display and Wine prefix, with
# Wine's own fonts, both stopped and removed on exit. Sets WINE64, and WINE32
# where 32-bit Wine is installed (empty otherwise).
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
WINE32=
[ -x /usr/lib/wine/wine ] && WINE32=/usr/lib/wine/wine

. "$(dirname "${BASH_SOURCE[0]}")/x-display.sh"
WINEPREFIX=$(mktemp -d /tmp/norvane-wine-XXXXXX)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

stop_session() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap stop_session EXIT

. "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
# No window manager runs here: unmanaged windows spare Wine its two-second
# wait, at every window that goes, for a manager to withdraw it.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Wine: a program that crashes ends at once, its backtrace on standard error,
# where Wine's crash dialog would keep a test waiting with no one to close it.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
