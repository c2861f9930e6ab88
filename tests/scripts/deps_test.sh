#!/bin/sh
# scripts/deps.sh against stand-ins for apt-get, dpkg-query and sudo, none
# of which it may really run here: with every package missing it installs
# them non-interactively as root, and through sudo; where sudoers refuses to
# set DEBIAN_FRONTEND it still installs them through sudo; without root and
# without sudo it stops and names the command.
#
#   deps_test.sh PATH/TO/scripts/deps.sh
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The other user runs a copy from here: the checkout may be closed to them.
chmod 755 "$work"
cp "$1" "$work/deps.sh"
chmod 755 "$work/deps.sh"
deps=$work/deps.sh
failures=0

# A PATH of stand-ins and the few real tools the script uses.
make_bin() { # make_bin NAME [SUDO-KIND]
  bin=$work/$1
  mkdir -p "$bin"
  for tool in id env; do ln -s "$(command -v $tool)" "$bin/$tool"; done
  printf '#!/bin/sh\nexit 1\n' >"$bin/dpkg-query" # nothing is installed
  printf '#!/bin/sh\n[ "$1" = --version ] && exit 0\necho "apt-get $1 DEBIAN_FRONTEND=${DEBIAN_FRONTEND:-unset}"\n' >"$bin/apt-get"
  case ${2:-} in
    refusing) printf '#!/bin/sh\ncase "$1" in *=*) echo "sudo: sorry, you are not allowed to set the following environment variables: ${1%%%%=*}" >&2; exit 1;; esac\nexec env -u DEBIAN_FRONTEND "$@"\n' >"$bin/sudo" ;;
    setenv) printf '#!/bin/sh\nexec env -u DEBIAN_FRONTEND "$@"\n' >"$bin/sudo" ;;
  esac
  chmod +x "$bin"/*
}

# Runs the script as a user other than root (or as root for "root").
run() { # run BIN AS
  if [ "$2" = root ]; then
    [ "$(id -u)" -eq 0 ] || { echo "skipped: not root"; return 0; }
    env -i PATH="$work/$1" /bin/bash "$deps" linux 2>&1 || true
  elif [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH="$work/$1" /bin/bash "$deps" linux 2>&1 || true
  else
    env -i PATH="$work/$1" /bin/bash "$deps" linux 2>&1 || true
  fi
}

expect() { # expect WHAT OUTPUT PATTERN...
  what=$1 output=$2
  shift 2
  for pattern in "$@"; do
    if ! printf '%s\n' "$output" | grep -q -- "$pattern"; then
      echo "FAILED: $what: no line matching \"$pattern\" in:"
      printf '%s\n' "$output" | sed 's/^/    /'
      failures=$((failures + 1))
    fi
  done
}

make_bin plain
make_bin setenv setenv
make_bin refusing refusing

out=$(run plain root)
case $out in skipped*) ;; *) expect "as root" "$out" "apt-get update DEBIAN_FRONTEND=noninteractive" "apt-get install DEBIAN_FRONTEND=noninteractive" ;; esac
expect "through sudo" "$(run setenv user)" "apt-get update DEBIAN_FRONTEND=noninteractive" "apt-get install DEBIAN_FRONTEND=noninteractive"
expect "through a sudo that may not set the variable" "$(run refusing user)" "apt-get update DEBIAN_FRONTEND=unset" "apt-get install DEBIAN_FRONTEND=unset"
expect "without root or sudo" "$(run plain user)" "missing packages: g++" "su -c 'apt-get update && apt-get install --no-install-recommends g++"

[ "$failures" -eq 0 ] && echo "deps.sh: all cases as expected"
exit "$failures"
