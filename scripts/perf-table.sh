#!/usr/bin/env bash
# Times user actions in the editor beside a bare rich-edit control holding
# the same formatted text, each run in a process of its own, and prints one
# line per action and size: both medians and their ratio. An action that
# runs past the limit is reported as such, not waited for.
#   scripts/perf-table.sh [runs] [limit in seconds] [sizes] [actions]
# e.g. scripts/perf-table.sh 3 60 "5000 50000" "open apply-change"
# Runs in a Wine prefix and a virtual display of its own (unless DISPLAY is
# set), so ending them touches no other Wine program.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${QVR_PERF_PREFIX:-$root/build/perf-wine}"
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"
runs="${1:-3}"
limit="${2:-60}"
sizes="${3:-5000 50000}"
actions="${4:-open apply-change apply-same apply-typed apply-typed-undo new-font delete-all delete-all-undo \
delete-key type-over-all paste-1000 paste-1000-undo char-middle char-end enter-middle enter-end typed-enter-middle typed-enter-end join-middle join-end \
down-middle down-end up-middle up-end find-next save replace-all replace-all-undo}"

arch=i686
can_run_32bit || arch=x86_64
build="$root/build/win-$arch"
exe="$build/qvr_perf_win32.exe"
wine="$(wine_for "$exe")"
prepare_wine_prefix "$wine"
own_display=0
if [ -z "${DISPLAY:-}" ]; then
  start_virtual_display
  own_display=1
fi

# The median of one action in one place ("--action" or "--bare") over
# `runs` processes; "over <limit> s" when a run is stopped.
median() {
  local how="$1" action="$2" lines="$3" values="" out
  for _ in $(seq 1 "$runs"); do
    out="$(cd "$build" && timeout -k 5 "$limit" "$wine" "$exe" "$how" "$action" "$lines" 2>/dev/null \
      | awk '$1 == "action" { print $5 }')"
    if [ -z "$out" ]; then echo "over ${limit} s"; return; fi
    values="$values $out"
  done
  echo $values | tr ' ' '\n' | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

echo "qvr_perf_win32 $arch build, medians of $runs processes, limit $limit s"
printf '%-18s %7s %14s %14s %8s\n' action lines "bare ms" "editor ms" ratio
for lines in $sizes; do
  for action in $actions; do
    bare="$(median --bare "$action" "$lines")"
    editor="$(median --action "$action" "$lines")"
    ratio="$(awk -v b="$bare" -v e="$editor" 'BEGIN { if (b + 0 > 0 && e + 0 > 0) printf "%.2f", e / b; else print "-" }')"
    printf '%-18s %7s %14s %14s %8s\n' "$action" "$lines" "$bare" "$editor" "$ratio"
  done
done
if [ $own_display = 1 ]; then stop_virtual_display; fi
