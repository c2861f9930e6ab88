#!/usr/bin/env bash
# Builds ZELVO and starts it. Takes no options.
set -euo pipefail
if [ $# -gt 0 ]; then
  echo "usage: scripts/run.sh" >&2
  exit 2
fi
cd "$(dirname "$0")/.."
scripts/deps.sh linux
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target zelvo
exec build/qt/zelvo
