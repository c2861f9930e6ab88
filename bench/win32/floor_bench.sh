#!/usr/bin/env bash
# ZELVO against the floor, under Wine: what a player waits for on a switch
# between the four- and three-player 301 sheets, on a Calculate press, and at
# start-up, on ZELVO and on bare Win32 programs that show the same windows.
#
# Each round runs, in turn, sheet_bench.exe and sheet_floor.exe (STEPS
# switches and presses each, timed from inside the process, the median step
# standing for the round: sheet_steps.hpp) and the two start-up probes (timed from the Linux side, from the start of
# the process to its end once its window has painted, Wine's own start-up
# included). The order flips every round, so that neither always runs on the
# caches the other warmed. Prints the medians over the rounds and the median
# and range of each round's ratio.
#
# Usage: bench/win32/floor_bench.sh [BUILD_DIR] [ROUNDS] [STEPS]
#   BUILD_DIR  the Windows build (default build-windows)
#   ROUNDS     rounds (default 20)
#   STEPS      switches and presses per round and program (default 40, even)
# Needs an X display: xvfb-run -a -s "-screen 0 1280x1024x24" bench/win32/floor_bench.sh
set -euo pipefail

usage() { echo "usage: bench/win32/floor_bench.sh [BUILD_DIR] [ROUNDS] [STEPS]" >&2; exit 2; }
[ $# -le 3 ] || usage
build=${1:-build-windows}
rounds=${2:-20}
steps=${3:-40}
[[ "$rounds" =~ ^[1-9][0-9]*$ && "$steps" =~ ^[1-9][0-9]*$ ]] && ((steps % 2 == 0)) || usage
programs=(sheet_bench sheet_floor startup_probe_zelvo startup_probe_bare)
for program in "${programs[@]}"; do
  [ -f "$build/bench/win32/$program.exe" ] || { echo "floor_bench: no $program.exe; build $build first" >&2; exit 1; }
done
[ -n "${DISPLAY:-}" ] || { echo "floor_bench: no X display (try xvfb-run -a)" >&2; exit 1; }

here=$(cd "$(dirname "$0")" && pwd)
runner="$here/../../cmake/wine-run.sh"
prefix="$(cd "$build" && pwd)/wineprefix"
run() { sh "$runner" "$prefix" "$build/bench/win32/$1.exe" "${@:2}" </dev/null; }
# The first run makes the prefix if need be and leaves the server running,
# as it would be on a desktop that has run a Windows program before.
ZELVO_WINESERVER_LINGER=60 run startup_probe_bare >/dev/null 2>&1 || true

now() { date +%s%N; }
# Prints "SWITCH PRESS" in microseconds per step.
steps_of() {
  local line
  line=$(run "$1" time "$steps" 2>&1) || { echo "floor_bench: $1: $line" >&2; exit 1; }
  awk '$1 == "switch" && $3 == "press" { print $2, $4; found = 1 } END { exit !found }' <<<"$line" ||
    { echo "floor_bench: $1 printed: $line" >&2; exit 1; }
}
# Prints the start-up in microseconds.
startup_of() {
  local start end status=0
  start=$(now)
  run "$1" >/dev/null 2>&1 || status=$?
  end=$(now)
  [ "$status" -eq 0 ] || { echo "floor_bench: $1 ended with status $status" >&2; exit 1; }
  echo $(((end - start) / 1000))
}

results=$(mktemp)
trap 'rm -f "$results"' EXIT
for ((r = 0; r < rounds; ++r)); do
  if ((r % 2)); then
    f=$(steps_of sheet_floor); z=$(steps_of sheet_bench)
    fu=$(startup_of startup_probe_bare); zu=$(startup_of startup_probe_zelvo)
  else
    z=$(steps_of sheet_bench); f=$(steps_of sheet_floor)
    zu=$(startup_of startup_probe_zelvo); fu=$(startup_of startup_probe_bare)
  fi
  echo "$z $f $zu $fu" >>"$results"
  echo "round $((r + 1)) of $rounds (switch, press, start-up in us): ZELVO $z $zu, floor $f $fu" >&2
done

# Columns: ZELVO switch, press; floor switch, press; ZELVO start-up; floor start-up.
awk -v rounds="$rounds" -v steps="$steps" '
  function median(list, n,   i, j, t) {
    for (i = 2; i <= n; ++i) for (j = i; j > 1 && list[j - 1] > list[j]; --j) { t = list[j]; list[j] = list[j - 1]; list[j - 1] = t }
    return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
  }
  function row(title, zc, fc,   i, z, f, q, low, high) {
    for (i = 1; i <= NR; ++i) {
      z[i] = v[i, zc]; f[i] = v[i, fc]; q[i] = z[i] / f[i]
      if (i == 1 || q[i] < low) low = q[i]
      if (i == 1 || q[i] > high) high = q[i]
    }
    printf "| %s | %.1f ms | %.1f ms | %.2f (%.2f–%.2f) |\n", title, median(z, NR) / 1000, median(f, NR) / 1000,
           median(q, NR), low, high
  }
  { for (c = 1; c <= NF; ++c) v[NR, c] = $c }
  END {
    printf "%d rounds; %d switches and %d presses per round and program; medians\n\n", rounds, steps, steps
    print "| step | ZELVO | floor | ratio (min–max over rounds) |"
    print "|---|---|---|---|"
    row("switch between the four- and three-player 301 sheets", 1, 3)
    row("a Calculate press (valid throws) until the labels are painted", 2, 4)
    row("start-up to the painted menu window", 5, 6)
  }' "$results"
