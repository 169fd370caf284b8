#!/usr/bin/env bash
# The Windows driver under Wine prints the same bytes as the native one, for
# fixed queries and every prefix of two to six characters of 300 entries
# drawn from the default list, in one process each. A difference fails, and
# both outputs stay in OUT for inspection.
# Usage: driver-matches-native.sh WINE WINDOWS_DRIVER NATIVE_DRIVER DEFAULT_LIST OUT
set -eu
wine=$1 windows_driver=$2 native_driver=$3 list=$4 out=$5
rm -rf "$out"
mkdir -p "$out/win" "$out/native"
winepath_of() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }  # Wine shows the Unix root as Z:

python3 - "$list" > "$out/queries" <<'PY'
import random, sys
lines = open(sys.argv[1], encoding="ascii").read().splitlines()
fixed = ["jacs", "top", "J. Am. Chem. Soc.", "American Chemical", "Radiation Isotopes", "soc journal", "and", "a",
         "hand", "ch", "Anal. Chem."]
print("\n".join(fixed + [line[:n] for line in random.Random(2026).sample(lines, 300) for n in range(2, 7)]))
PY
"$wine" "$windows_driver" "$(winepath_of "$out/win")" jacs >/dev/null 2>&1  # writes the data file
"$native_driver" "$out/native" jacs >/dev/null
"$wine" "$windows_driver" --queries "$(winepath_of "$out/queries")" "$(winepath_of "$out/win")" > "$out/queries.win" 2>&1 || echo "exit $?" >> "$out/queries.win"
"$native_driver" --queries "$out/queries" "$out/native" > "$out/queries.native" 2>&1 || echo "exit $?" >> "$out/queries.native"
if cmp -s "$out/win/Norvane.txt" "$out/native/Norvane.txt" && cmp -s "$out/queries.win" "$out/queries.native"; then
  echo "driver under Wine: the same data file and the same bytes for $(wc -l < "$out/queries") queries"
  rm -rf "$out"
else
  echo "FAIL: the Windows and the native driver differ; their data files and outputs are kept in $out"
  exit 1
fi
