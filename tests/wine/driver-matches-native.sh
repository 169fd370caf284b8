#!/usr/bin/env bash
# The Windows driver under Wine prints the same bytes as the native one: for
# fixed queries and every prefix of two to six characters of 300 entries drawn
# from the default list, all in one process each, then for hostile data
# files. A difference fails and both outputs stay in OUT for inspection.
# Usage: driver-matches-native.sh WINE WINDOWS_DRIVER NATIVE_DRIVER DEFAULT_LIST OUT
set -eu
wine=$1 windows_driver=$2 native_driver=$3 list=$4 out=$5
rm -rf "$out"
mkdir -p "$out/win" "$out/native"
failures=0
winepath_of() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }  # Wine shows the Unix root as Z:

compare() {  # name
  if cmp -s "$out/$1.win" "$out/$1.native"; then
    rm "$out/$1.win" "$out/$1.native"
  else
    echo "FAIL: $1: the Windows and the native driver differ; both outputs are kept in $out"
    failures=$((failures + 1))
  fi
}
run_both() {  # name, query: standard output and exit status of one run of each against its folder
  "$wine" "$windows_driver" "$(winepath_of "$out/win")" "$2" > "$out/$1.win" 2>/dev/null || echo "exit $?" >> "$out/$1.win"
  "$native_driver" "$out/native" "$2" > "$out/$1.native" 2>/dev/null || echo "exit $?" >> "$out/$1.native"
  compare "$1"
}

python3 - "$list" > "$out/queries" <<'PY'
import random, sys
lines = open(sys.argv[1], encoding="ascii").read().splitlines()
fixed = ["jacs", "top", "J. Am. Chem. Soc.", "American Chemical", "Radiation Isotopes", "soc journal", "and", "a",
         "hand", "ch", "Anal. Chem."]
print("\n".join(fixed + [line[:n] for line in random.Random(2026).sample(lines, 300) for n in range(2, 7)]))
PY
run_both rewrite jacs  # both write the data file
cmp -s "$out/win/Norvane.txt" "$out/native/Norvane.txt" || { echo "FAIL: the written data files differ"; failures=$((failures + 1)); }
"$wine" "$windows_driver" --queries "$(winepath_of "$out/queries")" "$(winepath_of "$out/win")" > "$out/queries.win" 2>/dev/null || echo "exit $?" >> "$out/queries.win"
"$native_driver" --queries "$out/queries" "$out/native" > "$out/queries.native" 2>/dev/null || echo "exit $?" >> "$out/queries.native"
compare queries

hostile() {  # name, data file bytes (printf format), query
  printf "$2" | tee "$out/win/Norvane.txt" > "$out/native/Norvane.txt"
  run_both "$1" "$3"
}
hostile byte-order-mark '\xEF\xBB\xBFab\r\n' ab
hostile control-bytes 'ab\tx\ny\r\nab\0z\r\r\nab\x1A' ab
rm "$out/win/Norvane.txt" "$out/native/Norvane.txt"
mkdir "$out/win/Norvane.txt" "$out/native/Norvane.txt"
run_both folder jacs

echo "driver under Wine: $(wc -l < "$out/queries") queries and 3 hostile files, $failures differences"
[ "$failures" -eq 0 ] && rm -rf "$out"
[ "$failures" -eq 0 ]
