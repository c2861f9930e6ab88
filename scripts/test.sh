#!/usr/bin/env bash
# Builds ZELVO and runs every test. With --sanitize, the same suite is built
# in its own folder with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail

sanitize=false
if [ $# -eq 1 ] && [ "$1" = --sanitize ]; then
  sanitize=true
elif [ $# -ne 0 ]; then
  echo "usage: scripts/test.sh [--sanitize]" >&2
  exit 2
fi

cd "$(dirname "$0")/.."
scripts/deps.sh linux

if $sanitize; then
  dir=build-sanitize
  options=(-DCMAKE_BUILD_TYPE=Debug -DZELVO_SANITIZE=ON -DZELVO_BUILD_BENCHMARKS=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  dir=build
  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi

cmake -S . -B "$dir" "${options[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)"
