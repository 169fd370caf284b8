# Sourced: makes the Wine prefix $WINEPREFIX ready, with Wine's own fonts
# (Tahoma, Marlett for the caption buttons, ...) in its Fonts folder, which
# this Wine does not find in /usr/share/wine/fonts by itself. The server is
# started first and Wine's services by a program whose output goes nowhere:
# the services keep the output of the program that starts them, and a script
# reading that program's output through a pipe would wait for them forever.
# The server runs inside the prefix folder, so that folder comes first.
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver64 -p
if [ ! -e "$WINEPREFIX/system.reg" ]; then
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1  # waits for the new prefix to be ready
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
fi
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1
