#!/usr/bin/env bash
# Start-up of zelvo.exe against a bare Win32 program, under Wine, timed from
# the Linux side: each run starts a probe and waits for it to end, which it
# does once its window has painted (startup_probe_*.exe). The probes run in
# turn, so that neither always runs on the caches the other warmed; the
# medians are reported, and their ratio. Wine's own start-up is in both.
#
# Usage: bench/win32/startup_bench.sh [BUILD_DIR] [RUNS]
#   BUILD_DIR  the Windows build (default build-windows)
#   RUNS       runs of each probe (default 30)
# Needs an X display: xvfb-run -a -s "-screen 0 1280x1024x24" bench/win32/startup_bench.sh
set -euo pipefail

usage() { echo "usage: bench/win32/startup_bench.sh [BUILD_DIR] [RUNS]" >&2; exit 2; }
[ $# -le 2 ] || usage
build=${1:-build-windows}
runs=${2:-30}
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || usage
probes=("$build/bench/win32/startup_probe_zelvo.exe" "$build/bench/win32/startup_probe_bare.exe")
for probe in "${probes[@]}"; do
  [ -f "$probe" ] || { echo "startup_bench: no $probe; build $build first" >&2; exit 1; }
done
[ -n "${DISPLAY:-}" ] || { echo "startup_bench: no X display (try xvfb-run -a)" >&2; exit 1; }

here=$(cd "$(dirname "$0")" && pwd)
runner="$here/../../cmake/wine-run.sh"
prefix="$(cd "$build" && pwd)/wineprefix"
# The first run makes the prefix if need be and leaves the server running,
# as it would be on a desktop that has run a Windows program before.
ZELVO_WINESERVER_LINGER=60 sh "$runner" "$prefix" "${probes[1]}" >/dev/null 2>&1 || true

now() { date +%s%N; }
declare -A times=()
for ((i = 0; i < runs; ++i)); do
  order=(0 1)
  ((i % 2)) && order=(1 0)
  for p in "${order[@]}"; do
    start=$(now)
    status=0
    sh "$runner" "$prefix" "${probes[$p]}" </dev/null >/dev/null 2>&1 || status=$?
    end=$(now)
    if [ "$status" -ne 0 ]; then
      echo "startup_bench: ${probes[$p]} ended with status $status" >&2
      exit 1
    fi
    times[$p]+="$(( (end - start) / 1000 )) "
  done
done

median() { tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
zelvo=$(median "${times[0]}")
bare=$(median "${times[1]}")
awk -v z="$zelvo" -v b="$bare" -v n="$runs" 'BEGIN {
  printf "zelvo.exe  %7.1f ms  (median of %d runs to the painted menu window)\n", z / 1000, n
  printf "bare Win32 %7.1f ms  (median of %d runs to its painted window)\n", b / 1000, n
  printf "ratio      %7.3f\n", z / b
}'
