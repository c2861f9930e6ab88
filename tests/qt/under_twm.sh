#!/usr/bin/env bash
# Runs a test program on an X server of its own (Xvfb, on a display number it
# picks itself) under twm, a window manager that frames windows with a title
# bar and borders as a desktop does, and stops both afterwards. The program
# sees DISPLAY and ZELVO_TEST_PLATFORM=xcb; its exit status is this script's.
#   tests/qt/under_twm.sh program [arguments...]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: under_twm.sh program [arguments...]" >&2; exit 2; }

work=$(mktemp -d)
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT

# Xvfb writes the number of the display it took once clients may connect.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "under_twm.sh: Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(cat "$work/display")"

# twm places a window where the program asks, or anywhere, instead of
# waiting for a click; it frames message boxes too, and draws with the one
# font every X server has.
cat >"$work/twmrc" <<'TWMRC'
RandomPlacement
UsePPosition "on"
DecorateTransients
NoGrabServer
TitleFont "fixed"
ResizeFont "fixed"
MenuFont "fixed"
IconFont "fixed"
IconManagerFont "fixed"
TWMRC
twm -f "$work/twmrc" >"$work/twm.log" 2>&1 &
pids+=($!)

ZELVO_TEST_PLATFORM=xcb "$@"
