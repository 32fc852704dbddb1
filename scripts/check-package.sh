#!/usr/bin/env bash
# Checks the Windows package a user downloads: its name carries the version;
# it holds the 32-bit GUI program, with its icon, the version resource and the
# manifest for the controls' current look, and every data file, byte for byte,
# and nothing else; and the Linux install from it (into a scratch home) gives
# a valid menu entry, our file type, a Wine prefix of its own without a
# virtual desktop and with a face for "Lucida Console", and a command that
# hands a relative script name to Wine as a full Wine path in that prefix.
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
      "ProductName=QVR Visual Script Editor" "Subsystem=gui" "LargeAddressAware=yes"; do
    grep -qxF "$line" "$scratch/version" || fail "version resource lacks $line: $(tr '\n' ';' < "$scratch/version")"
  done
  grep -q '^FileDescription=.' "$scratch/version" || fail "version resource has no description"
  grep -qx 'IconGroups=yes' "$scratch/version" || fail "qvrvse.exe has no icon"
  grep -q '^Manifest=.*name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' "$scratch/version" ||
    fail "the manifest does not ask for the current common controls"
  # An execution level would end the redirection of the settings file's writes.
  grep -q '^Manifest=.*requestedExecutionLevel' "$scratch/version" && fail "the manifest names an execution level"
  mv "$exe" "$scratch/qvrvse.exe"
  diff -r "$root/data" "$scratch/unpacked/$top" >&2 || fail "data files differ from data/"
fi

# The Linux install, twice, into a scratch home: the second run must leave
# the same files, each once. The first runs as if the tests' prefix did not
# exist, the second beside it: the install's own prefix must not care.
home="$scratch/home"
mkdir -p "$home/work/sub"
tests_prefix="${WINEPREFIX:-$HOME/.qvrvse-wine}"
for run in 1 2; do
  prefix_now="$tests_prefix"
  [ $run = 1 ] && prefix_now="$scratch/no-such-prefix"
  HOME="$home" XDG_DATA_HOME="$home/.local/share" QVRVSE_BIN_DIR="$home/.local/bin" WINEPREFIX="$prefix_now" \
    bash "$root/scripts/install-linux.sh" "$zip" >/dev/null || fail "install-linux.sh failed"
  (cd "$home" && find . -path ./.local/share/qvrvse-wine -prune -o -print | sort) > "$scratch/installed-$run"
done
[ -e "$scratch/no-such-prefix" ] && fail "the install made the tests' prefix"
diff -u "$scratch/installed-1" "$scratch/installed-2" >&2 || fail "a second install left other files than the first"
share="$home/.local/share"
[ -f "$share/qvrvse/qvrvse.exe" ] && [ -f "$share/qvrvse/QVR_Docs/scripting_ref_game.txt" ] ||
  fail "the install did not unpack the program with its data"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$share/applications/qvrvse.desktop" >&2 || fail "the menu entry does not validate"
fi
grep -qx 'MimeType=text/x-qvr-script;text/plain;' "$share/applications/qvrvse.desktop" ||
  fail "the menu entry does not open scripts and text files"
if command -v update-mime-database >/dev/null; then
  grep -q 'text/x-qvr-script:\*\.inc' "$share/mime/globs2" || fail "the file type for .inc is not registered"
fi
# A stand-in for Wine that prints what it would have been given.
printf '#!/bin/sh\nprintf "%%s|%%s|%%s\\n" "$WINEPREFIX" "$1" "$2"\n' > "$scratch/wine" && chmod +x "$scratch/wine"
got="$(cd "$home/work/sub" && QVRVSE_WINE="$scratch/wine" "$home/.local/bin/qvrvse" "../my script.inc")"
winhome="Z:$(printf '%s' "$home" | tr / '\\')"
want="$share/qvrvse-wine|$share/qvrvse/qvrvse.exe|$winhome\\work\\my script.inc"
[ "$got" = "$want" ] || fail "qvrvse ../my script.inc ran [$got], not [$want]"
# The installed editor opens as an ordinary desktop window, and with a face
# of the machine's where it asks for "Lucida Console".
user_reg="$share/qvrvse-wine/user.reg"
if [ -f "$user_reg" ]; then
  python3 "$root/scripts/wine_reg.py" "$user_reg" 'Software\Wine\Explorer' Desktop >/dev/null &&
    fail "the install's prefix runs programs in a virtual desktop"
  face="$(python3 "$root/scripts/wine_reg.py" "$user_reg" 'Software\Wine\Fonts\Replacements' 'Lucida Console' || true)"
  [ -n "$face" ] && fc-list "$face" family | grep -q . ||
    fail "the install's prefix replaces \"Lucida Console\" with [$face], which is not an installed face"
  fc-match -f '%{spacing}' "$face" | grep -qx 100 || fail "\"$face\" is not a fixed-width face"
else
  fail "the install made no Wine prefix of its own ($share/qvrvse-wine)"
fi

[ $failures -eq 0 ] && echo "package: $(basename "$zip") checked, $(stat -c %s "$zip") bytes, $(wc -l < "$scratch/listed") files"
exit $((failures > 0))
