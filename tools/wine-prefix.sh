# Sourced: makes the Wine prefix $WINEPREFIX ready, with Wine's own fonts
# (Tahoma, Marlett for the caption buttons, ...) in its Fonts folder, which
# this Wine does not find in /usr/share/wine/fonts by itself. Then starts the
# server and Wine's services from a program whose output goes nowhere: the
# services keep the output of the program that starts them, and a script
# reading that program's output through a pipe would wait for them forever.
if [ ! -e "$WINEPREFIX/system.reg" ]; then
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver64 -w
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
fi
/usr/lib/wine/wineserver64 -p
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1
