#!/usr/bin/env bash
# Builds the native Windows version of ZELVO on Debian or Ubuntu with
# MinGW-w64, runs its tests under Wine on a virtual X display of its own, and
# packs the ZIP to hand out. Leaves build-windows/win32/zelvo.exe and
# build-windows/zelvo-<version>-win64.zip.
set -euo pipefail

if [ $# -ne 0 ]; then
  echo "usage: scripts/windows.sh" >&2
  exit 2
fi

cd "$(dirname "$0")/.."
scripts/deps.sh windows

dir=build-windows
cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" --parallel "$(nproc)"

# The tests open windows: an Xvfb of our own, on the first free display
# from :90, stopped however the tests end.
display=
for number in 90 91 92 93 94 95 96 97 98 99; do
  if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
    display=$number
    break
  fi
done
if [ -z "$display" ]; then
  echo "scripts/windows.sh: no free X display between :90 and :99" >&2
  exit 1
fi
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "scripts/windows.sh: Xvfb :$display did not start" >&2; exit 1; }
  sleep 0.1
done

DISPLAY=":$display" ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)"

(cd "$dir" && cpack -G ZIP --config CPackConfig.cmake >/dev/null)
echo "Windows program: $dir/win32/zelvo.exe"
echo "Windows package: $(ls "$dir"/zelvo-*-win64.zip)"
