#!/usr/bin/env bash
# Requests to Wine's server per step, ZELVO against the floor: runs
# sheet_bench.exe and sheet_floor.exe in their trace mode (sheet_steps.hpp)
# under a wineserver started with tracing on, and counts the requests the
# program's thread makes between each step's two markers. The count does not
# depend on the machine's load, so it shows extra work where timings blur.
# Prints requests per step, and the request kinds ZELVO makes more of.
#
# Usage: bench/win32/requests.sh [BUILD_DIR] [STEPS] [KEEP_DIR]
#   BUILD_DIR  the Windows build (default build-windows)
#   STEPS      switches and presses of each program (default 20, even)
#   KEEP_DIR   where to keep the two traces, zelvo and floor, to read
#              which window each request is about (default: not kept)
# Needs an X display: xvfb-run -a -s "-screen 0 1280x1024x24" bench/win32/requests.sh
# The trace runs in a Wine prefix of its own (BUILD_DIR/wineprefix-trace):
# a traced server slows everything it serves.
set -euo pipefail

usage() { echo "usage: bench/win32/requests.sh [BUILD_DIR] [STEPS] [KEEP_DIR]" >&2; exit 2; }
[ $# -le 3 ] || usage
build=${1:-build-windows}
steps=${2:-20}
[[ "$steps" =~ ^[1-9][0-9]*$ ]] && ((steps % 2 == 0)) || usage
programs=("$build/bench/win32/sheet_bench.exe" "$build/bench/win32/sheet_floor.exe")
for program in "${programs[@]}"; do
  [ -f "$program" ] || { echo "requests: no $program; build $build first" >&2; exit 1; }
done
[ -n "${DISPLAY:-}" ] || { echo "requests: no X display (try xvfb-run -a)" >&2; exit 1; }

here=$(cd "$(dirname "$0")" && pwd)
runner="$here/../../cmake/wine-run.sh"
prefix="$(cd "$build" && pwd)/wineprefix-trace"
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
if [ $# -eq 3 ]; then
  traces=$3
  mkdir -p "$traces"
else
  traces=$(mktemp -d)
  trap 'rm -rf "$traces"' EXIT
fi

# A first run makes the prefix if need be; its untraced server is ended.
sh "$runner" "$prefix" "${programs[1]}" time 2 </dev/null >/dev/null 2>&1
export WINEPREFIX="$prefix"
"$wineserver" -k 2>/dev/null || true
socket="/tmp/.wine-$(id -u)/server-$(stat -c %D "$prefix")-$(printf %x "$(stat -c %i "$prefix")")/socket"
for name in zelvo floor; do
  # The server traces to its standard error and ends with the program.
  "$wineserver" -f -d1 -p0 2>"$traces/$name" &
  server=$!
  for _ in $(seq 50); do [ -S "$socket" ] && break; sleep 0.1; done
  program=${programs[0]}
  [ "$name" = floor ] && program=${programs[1]}
  sh "$runner" "$prefix" "$program" trace "$steps" </dev/null >/dev/null
  wait "$server" || true
done

# Requests are "TTTT: name( ... )", replies "TTTT: name() = ..."; only the
# thread that looked up the markers counts.
awk -v shown=8 '
  FNR == 1 { program = FILENAME; sub(/.*\//, "", program); thread = ""; kind = "" }
  /: find_atom\( name=L"zelvo-bench / {
    thread = substr($0, 1, 4)
    match($0, /zelvo-bench [a-z]+/)
    kind = substr($0, RSTART + 12, RLENGTH - 12)
    if (kind == "end") kind = ""; else steps[program, kind]++
    next
  }
  kind != "" && substr($0, 1, 4) == thread && /^[0-9a-f]+: [a-z_]+\( / {
    request = $2; sub(/\(.*/, "", request)
    total[program, kind]++
    count[program, kind, request]++
    kinds[request] = 1
  }
  END {
    printf "requests to the server per step  %8s %8s %8s\n", "ZELVO", "floor", "extra"
    for (k = 1; k <= 2; ++k) {
      step = k == 1 ? "switch" : "press"
      z = total["zelvo", step] / steps["zelvo", step]; f = total["floor", step] / steps["floor", step]
      printf "%-32s %8.1f %8.1f %+8.1f\n", step, z, f, z - f
    }
    for (k = 1; k <= 2; ++k) {
      step = k == 1 ? "switch" : "press"
      printf "\nper %s, the kinds ZELVO makes more of:\n", step
      n = 0
      for (r in kinds) {
        d = count["zelvo", step, r] / steps["zelvo", step] - count["floor", step, r] / steps["floor", step]
        if (d >= 0.5) { extra[++n] = d; names[n] = r }
      }
      # Largest first (a selection sort: n is small).
      for (i = 1; i <= n && i <= shown; ++i) {
        m = i
        for (j = i + 1; j <= n; ++j) if (extra[j] > extra[m]) m = j
        t = extra[i]; extra[i] = extra[m]; extra[m] = t; t = names[i]; names[i] = names[m]; names[m] = t
        printf "  %-30s %8.1f %8.1f %+8.1f\n", names[i], count["zelvo", step, names[i]] / steps["zelvo", step],
               count["floor", step, names[i]] / steps["floor", step], extra[i]
      }
      delete extra; delete names
    }
  }' "$traces/zelvo" "$traces/floor"
