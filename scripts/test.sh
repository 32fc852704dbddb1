#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every suite: the
# native ones, then the Windows ones under Wine in a virtual display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"
source "$root/scripts/print-server.sh"
start=$(date +%s)
windir="$(bash "$root/scripts/build.sh" | tail -n 1)"
echo "Build took $(( $(date +%s) - start )) s"

status=0
# The package a user downloads, and the Linux install from it.
package="$(bash "$root/scripts/package.sh" | tail -n 1)"
bash "$root/scripts/check-package.sh" "$package" || status=1
(cd "$root/build/native" && ctest --output-on-failure -j 2) || status=1
bash "$root/scripts/fuzz.sh" || status=1

start_virtual_display
trap 'stop_print_server; stop_virtual_display' EXIT
# The printing test's PDF printer, only for as long as the Windows suites run.
start_print_server || status=1
wine="$(wine_for "$(ls "$windir"/*.exe | head -n 1)")"
QVR_WINESERVER="$(dirname "$wine")/wineserver"
[ -x "$QVR_WINESERVER" ] || QVR_WINESERVER=wineserver
export QVR_WINESERVER
prepare_wine_prefix "$wine"
# One warm server for all tests. Its helper services start with the first
# program; start them here, away from CTest's output pipes, which they would
# otherwise hold open after the test has ended.
"$QVR_WINESERVER" -p >/dev/null 2>&1 || true
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
(cd "$windir" && ctest --output-on-failure) || status=1
# Wine makes no symbolic links nor files of other modes, so they are made
# here: a save through the link must change the file it points at and leave
# the link a link, and a save of a private file must leave it private.
host="$(mktemp -d)"
printf old > "$host/real.script"
ln -s real.script "$host/link.script"
printf old > "$host/private.script" && chmod 600 "$host/private.script"
printf old > "$host/open.script" && chmod 644 "$host/open.script"
# A private script on a disk too small for what the save writes: where this
# machine lets the test mount one.
small="$host/small"
mkdir -p "$small"
small_disk=""
if mount -t tmpfs -o size=128k tmpfs "$small" 2>/dev/null; then
  head -c 61000 /dev/urandom | base64 > "$small/private.script"
  chmod 600 "$small/private.script"
  cp "$small/private.script" "$host/private.before"
  small_disk="Z:${small//\//\\}\\"
else
  echo "Note: no small disk could be mounted here; the full-disk save is not tried"
fi
(cd "$windir" && QVR_HOST_FOLDER="Z:${host//\//\\}\\" QVR_SMALL_DISK="$small_disk" "$wine" qvr_win32_tests.exe \
  --gtest_filter='HostFiles.*') || status=1
if [ -n "$small_disk" ]; then
  if ! cmp -s "$small/private.script" "$host/private.before" || [ "$(stat -c %a "$small/private.script")" != 600 ]; then
    echo "A save that ran out of disk left the private script changed: $(stat -c '%s %a' "$small/private.script")" >&2
    status=1
  fi
  umount "$small" 2>/dev/null || umount -l "$small" || true
fi
if [ ! -L "$host/link.script" ] || [ "$(cat "$host/real.script")" != "through the link" ]; then
  echo "A save through a symbolic link replaced the link or missed the file it points at" >&2
  status=1
fi
if [ "$(stat -c %a "$host/private.script")" != 600 ] || [ "$(stat -c %a "$host/open.script")" != 644 ]; then
  echo "A save changed a file's permissions: $(stat -c '%n %a' "$host"/*.script | tr '\n' ' ')" >&2
  status=1
fi
rm -rf "$host"
# The unpacked package, started from another folder, must find its data
# beside itself; where Wine runs only 64-bit code, the 64-bit package of the
# same sources stands in for the shipped one.
unpacked="$root/build/package-check"
rm -rf "$unpacked" && mkdir -p "$unpacked"
run_zip="$(bash "$root/scripts/package.sh" "${windir##*/win-}" | tail -n 1)"
unzip -q "$run_zip" -d "$unpacked"
editor="$(ls "$unpacked"/*/qvrvse.exe)"
(cd "$windir" && QVR_UNPACKED_EDITOR="Z:${editor//\//\\}" "$wine" qvr_win32_tests.exe \
  --gtest_filter='UnpackedEditor.*') || status=1
# The installer, in a scratch prefix of its own: the shipped one where Wine
# can run it; elsewhere its file is checked and the 64-bit installer of the
# same script is run in its place.
opener="$windir/qvr_open_like_explorer.exe"
bash "$root/scripts/check-installer.sh" "${package%-win32.zip}-setup.exe" "$package" "$opener" || status=1
if [ "$run_zip" != "$package" ]; then
  bash "$root/scripts/check-installer.sh" "${run_zip%-win64.zip}-win64-setup.exe" "$run_zip" "$opener" || status=1
fi
stop_print_server
echo "All tests took $(( $(date +%s) - start )) s"
exit $status
