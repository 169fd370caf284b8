#!/usr/bin/env bash
# The Windows driver under Wine prints the same bytes as the native one, for
# queries in one process. A difference fails, and both outputs stay in OUT
# for inspection. On a console (a terminal, here through script) it shows
# every letter: of a Windows-1252 result, of a UTF-8 one and of a folder
# named in Polish and Greek in its report.
# Usage: driver-matches-native.sh WINE WINDOWS_DRIVER NATIVE_DRIVER OUT
set -eu
wine=$1 windows_driver=$2 native_driver=$3 out=$4
rm -rf "$out"
mkdir -p "$out/win" "$out/native"
winepath_of() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }  # Wine shows the Unix root as Z:

# The search itself is the unit tests' (also under Wine); these reach every
# kind of output: blocks of entries, "No Results" and nothing.
printf '%s\n' jacs top "J. Am. Chem. Soc." "American Chemical" "Radiation Isotopes" "soc journal" and a hand ch \
  "Anal. Chem." > "$out/queries"
"$wine" "$windows_driver" "$(winepath_of "$out/win")" jacs >/dev/null 2>&1  # writes the data file
"$native_driver" "$out/native" jacs >/dev/null
"$wine" "$windows_driver" --queries "$(winepath_of "$out/queries")" "$(winepath_of "$out/win")" > "$out/queries.win" 2>&1 || echo "exit $?" >> "$out/queries.win"
"$native_driver" --queries "$out/queries" "$out/native" > "$out/queries.native" 2>&1 || echo "exit $?" >> "$out/queries.native"
mkdir "$out/utf-8" && printf 'Z. Naturforsch.\tZeitschrift f\xc3\xbcr Naturforschung\r\n' > "$out/utf-8/Norvane.txt"
folder="$out/console/\xC5\x81ukasz \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1"
folder=$(printf "$folder")
mkdir -p "$folder"
printf 'Zs\xe9chenyi J.\tZs\xe9chenyi Journal\r\n' > "$folder/Norvane.txt"
# Wine's console breaks long lines at the terminal's width: lines are joined.
on_console() { script -qec "$wine '$windows_driver' '$(winepath_of "$1")' $2" /dev/null 2>&1 | tr -d '\r\n'; }
console=ok
on_console "$folder" chenyi | grep -qF "$(printf 'Zs\xc3\xa9chenyi J.Zs\xc3\xa9chenyi Journal')" ||
  { echo "FAIL: a Windows-1252 result on a console is not shown in its letters"; console=; }
on_console "$out/utf-8" naturforsch | grep -qF "$(printf 'Zeitschrift f\xc3\xbcr Naturforschung')" ||
  { echo "FAIL: a UTF-8 result on a console is not shown in its letters"; console=; }
on_console "$folder/none" jacs | grep -qF "${folder##*/}" ||
  { echo "FAIL: a report on a console does not show the folder's name in its letters"; console=; }
if cmp -s "$out/win/Norvane.txt" "$out/native/Norvane.txt" && cmp -s "$out/queries.win" "$out/queries.native"; then
  echo "driver under Wine: the same data file and the same bytes for $(wc -l < "$out/queries") queries"
  rm -rf "$out"
else
  echo "FAIL: the Windows and the native driver differ; their data files and outputs are kept in $out"
  exit 1
fi
[ -n "$console" ]
