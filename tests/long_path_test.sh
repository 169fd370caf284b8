#!/usr/bin/env bash
# The program directory is read whole however long its path: the unit test
# of it runs again from a folder far past the old 260-character limit.
set -eu
tests=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
deep=$dir
for i in 1 2 3 4 5 6; do deep=$deep/a-folder-name-long-enough-to-pass-the-old-path-limit-$i; done
mkdir -p "$deep"
cp "$tests" "$deep/"
echo "running from a path of ${#deep} characters"
"$deep/$(basename "$tests")" --gtest_filter='ProgramDirectory.*' --gtest_brief=1
