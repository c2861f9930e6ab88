#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages ZELVO needs to build, test and render
# its Japanese texts, asking apt only for what is missing.
set -euo pipefail

packages=(
  g++ make cmake                 # compiler and build
  qt6-base-dev qt6-qpa-plugins   # Qt 6 Widgets and its platform plugins (offscreen for tests)
  libgtest-dev                   # tests
  libbenchmark-dev               # benchmarks
  fonts-ipafont-gothic           # a Japanese font so the windows render
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
