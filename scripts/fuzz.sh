#!/usr/bin/env bash
# Builds the fuzz targets (clang's libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer) in build/fuzz and runs them.
#   fuzz.sh                  every target replays its corpus, then makes a
#                            fixed number of new runs (the test command's step)
#   fuzz.sh SECONDS [NAME..] each target (or the named ones) fuzzes that long
#                            from its corpus; finds stay in build/fuzz/long
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"
jobs="${JOBS:-2}"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVR_FUZZ=ON >/dev/null
cmake --build "$build" -j "$jobs" >&2
if [ $# -eq 0 ]; then
  cd "$build" && exec ctest --output-on-failure -j "$jobs"
fi
seconds="$1"
shift
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for program in "$build"/fuzz_*; do [ -x "$program" ] && names+=("${program##*/fuzz_}"); done
fi
status=0
for name in "${names[@]}"; do
  mkdir -p "$build/long/$name" "$build/crashes"
  log="$build/long-$name.log"
  if "$build/fuzz_$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
      -artifact_prefix="$build/crashes/$name-" "$build/long/$name" "$root/tests/fuzz/corpus/$name" >"$log" 2>&1; then
    echo "$name: clean for $seconds s, $(grep -oE 'stat::number_of_executed_units: [0-9]+' "$log" | grep -oE '[0-9]+') runs"
  else
    echo "$name: FAILED, see $log"
    status=1
  fi
done
exit $status
