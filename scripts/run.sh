#!/usr/bin/env bash
# Sets up what is missing, builds the editor and starts it under Wine. With
# no display of its own, it opens the sample script in a virtual display,
# saves a screenshot, prints its path and closes the editor again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# A script named relative to where the caller stands; by default the
# repository's own sample, so edits land where the user expects them.
script="$(realpath -m "${1:-$root/data/samples/demo.script}")"
bash "$root/scripts/setup.sh"
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"
windir="$(bash "$root/scripts/build.sh" --windows-only | tail -n 1)"
exe="$windir/qvrvse.exe"
wine="$(wine_for "$exe")"
QVR_WINESERVER="$(dirname "$wine")/wineserver"
[ -x "$QVR_WINESERVER" ] || QVR_WINESERVER=wineserver
export QVR_WINESERVER

if [ -n "${DISPLAY:-}" ] && [ -z "${QVR_SCREENSHOT:-}" ]; then
  prepare_wine_prefix "$wine"
  cd "$windir" && exec "$wine" "$exe" "Z:${script//\//\\}"
fi

start_virtual_display
trap stop_virtual_display EXIT
prepare_wine_prefix "$wine"
shot="${QVR_SCREENSHOT:-$root/build/screenshot.png}"
(cd "$windir" && "$wine" "$exe" "Z:${script//\//\\}" >/dev/null 2>&1 &)
# Wait until the window is up and drawing has settled: two screenshots alike.
xdotool search --sync --name 'Wine desktop' >/dev/null 2>&1 || true
previous=""
for _ in $(seq 1 60); do
  import -window root "$shot.tmp.png" 2>/dev/null || true
  current="$(md5sum < "$shot.tmp.png" 2>/dev/null || true)"
  if [ -n "$previous" ] && [ "$current" = "$previous" ] && [ "$(identify -format '%k' "$shot.tmp.png")" -gt 20 ]; then
    break
  fi
  previous="$current"
  sleep 0.5
done
mv "$shot.tmp.png" "$shot"
echo "Screenshot: $shot"
