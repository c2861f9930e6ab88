#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages one kind of ZELVO build needs, asking
# apt only for what is missing; when everything is there it calls no apt at all.
#
# Usage: scripts/deps.sh [linux|windows]
#   linux    (the default) the Qt 6 build, its tests and benchmarks
#   windows  the cross build with MinGW-w64, checked under Wine
#
# As root it runs apt-get itself, otherwise through sudo. Without root and
# without sudo it stops and prints the command that installs the missing packages.
set -euo pipefail

usage() { echo "usage: scripts/deps.sh [linux|windows]" >&2; exit 2; }

[ $# -le 1 ] || usage
case "${1:-linux}" in
  linux)
    packages=(
      g++ make cmake                  # compiler and build
      qt6-base-dev qt6-qpa-plugins    # Qt 6 Widgets and its platform plugins (offscreen for tests)
      qt6-translations-l10n           # Qt's own Japanese texts, loaded at start-up
      libgtest-dev                    # tests
      xvfb twm                        # a real X server and window manager for the tests that need one
      dbus-daemon at-spi2-core python3-pyatspi  # a session bus, the AT-SPI bus and its reader, for the screen-reader test
      libbenchmark-dev                # benchmarks
      libpng-dev                      # writes the icon theme's PNG files at build time
      fonts-ipafont-gothic            # a Japanese font so the windows render
    ) ;;
  windows)
    packages=(
      cmake make
      g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64   # the 64-bit Windows cross compiler
      googletest                      # GoogleTest's sources, built for Windows
      wine64 xvfb                     # runs the Windows tests on a virtual display
      fonts-ipafont-gothic fonts-wine # the Japanese font, and Wine's own for its title bars
      zip                             # the ZIP to hand out
    ) ;;
  *) usage ;;
esac

# One dpkg-query for the whole list; a package it has never heard of is not printed.
installed=" $(dpkg-query -W -f='${Package}:${db:Status-Status} ' "${packages[@]}" 2>/dev/null || true) "
missing=()
for package in "${packages[@]}"; do
  [[ "$installed" == *" $package:installed "* ]] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

install="apt-get install --no-install-recommends ${missing[*]}"
if ! command -v apt-get >/dev/null; then
  echo "scripts/deps.sh: apt-get not found; this script knows Debian and Ubuntu only." >&2
  echo "Install the equivalents of: ${missing[*]}" >&2
  exit 1
fi

# apt-get must not stop to ask questions. sudo drops the variable from the
# environment, so it goes on sudo's command line; where sudoers does not let
# it be set there, apt-get runs without it (debconf then asks on the terminal,
# or keeps its defaults without one).
if [ "$(id -u)" -eq 0 ]; then
  as_root=(env DEBIAN_FRONTEND=noninteractive)
elif command -v sudo >/dev/null; then
  if sudo DEBIAN_FRONTEND=noninteractive apt-get --version >/dev/null 2>&1; then
    as_root=(sudo DEBIAN_FRONTEND=noninteractive)
  else
    as_root=(sudo)
  fi
else
  echo "scripts/deps.sh: missing packages: ${missing[*]}" >&2
  echo "Neither root nor sudo is available here; as root, run:" >&2
  echo "  su -c 'apt-get update && $install'" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
