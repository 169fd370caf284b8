#!/usr/bin/env bash
# A clone made as git makes it on Windows (core.autocrlf=true) holds the
# committed bytes, builds, and passes the native tests: the journal list
# built into the program must not take on CR LF. Clones the last commit.
set -eu
cd "$(dirname "$0")/.."
clone=$(mktemp -d /tmp/norvane-crlf-XXXXXX)
trap 'rm -rf "$clone"' EXIT
git clone -q -c core.autocrlf=true . "$clone/src"
changed=$(cd "$clone/src" && git ls-files -z | xargs -0 -n 200 sh -c 'for f; do git cat-file blob ":$f" | cmp -s - "$f" || echo "$f"; done' sh)
[ -z "$changed" ] || { echo "FAIL: a core.autocrlf=true clone changes these files:"; echo "$changed"; exit 1; }
cmake -S "$clone/src" -B "$clone/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$clone/build" >/dev/null
(cd "$clone/build" && ctest --output-on-failure >"$clone/ctest.log" 2>&1) || { cat "$clone/ctest.log"; exit 1; }
echo "core.autocrlf=true clone: the committed bytes, built, $(grep -o '[0-9]*% tests passed.*' "$clone/ctest.log" || tail -n 3 "$clone/ctest.log")"
