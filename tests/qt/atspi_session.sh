#!/usr/bin/env bash
# Runs atspi_test.py against the program in an accessibility session of its
# own: a D-Bus session bus, the AT-SPI bus on it, and Qt's accessibility
# always on; everything it starts is stopped afterwards. Needs an X server in
# DISPLAY (under_twm.sh gives one): Qt's accessibility stays off offscreen.
#   tests/qt/atspi_session.sh path/to/zelvo
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: atspi_session.sh path/to/zelvo" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${ZELVO_IN_DBUS_SESSION:-}" ]; then
  ZELVO_IN_DBUS_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill "$launcher" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
/usr/bin/python3 "$here/atspi_test.py" "$1"
