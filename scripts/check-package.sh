#!/usr/bin/env bash
# Checks the Windows package a user downloads: its name carries the version,
# it holds the 32-bit GUI program with that version in its resource and every
# data file, byte for byte, and nothing else.
#   check-package.sh PACKAGE.zip
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
zip="$(realpath "$1")"
version="$(sed -n 's/^project(qvrvse VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "package: $*" >&2; failures=$((failures + 1)); }

[ "$(basename "$zip")" = "qvrvse-$version-win32.zip" ] || fail "named $(basename "$zip"), not qvrvse-$version-win32.zip"

# Everything in one top folder, as unpacking anywhere expects.
top="qvrvse-$version-win32"
(cd "$root/data" && find . -type f | sed "s|^\./|$top/|"; echo "$top/qvrvse.exe") | sort > "$scratch/expected"
unzip -Z1 "$zip" | grep -v '/$' | sort > "$scratch/listed"
diff -u "$scratch/expected" "$scratch/listed" >&2 || fail "contents differ from the program and data/ (- missing, + extra)"

unzip -q "$zip" -d "$scratch/unpacked"
exe="$scratch/unpacked/$top/qvrvse.exe"
if [ -f "$exe" ]; then
  file -b "$exe" | grep -q '^PE32 executable (GUI) Intel 80386' || fail "qvrvse.exe is $(file -b "$exe")"
  python3 "$root/scripts/pe_version.py" "$exe" > "$scratch/version" || fail "no version resource"
  for line in "FixedFileVersion=$version.0.0" "FileVersion=$version" "ProductVersion=$version" \
      "ProductName=QVR Visual Script Editor" "Subsystem=gui"; do
    grep -qxF "$line" "$scratch/version" || fail "version resource lacks $line: $(tr '\n' ';' < "$scratch/version")"
  done
  grep -q '^FileDescription=.' "$scratch/version" || fail "version resource has no description"
  mv "$exe" "$scratch/qvrvse.exe"
  diff -r "$root/data" "$scratch/unpacked/$top" >&2 || fail "data files differ from data/"
fi

[ $failures -eq 0 ] && echo "package: $(basename "$zip") checked, $(stat -c %s "$zip") bytes, $(wc -l < "$scratch/listed") files"
exit $((failures > 0))
