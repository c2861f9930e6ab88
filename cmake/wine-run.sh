#!/bin/sh
# Runs a Windows program under Wine without asking anything: CTest, gtest's
# test discovery and custom build steps call it as the cross build's emulator.
#
#   wine-run.sh PREFIX PROGRAM.exe [ARGUMENT...]
#
# PREFIX is the Wine prefix (the toolchain file puts it in the build folder).
# ZELVO_WINE_DPI, when the prefix is made, sets its screen's DPI (96 unless
# set): the Windows tests run once more in a prefix at 192.
# The first call makes it, under a lock, so that tests started in parallel
# wait for one `wineboot` instead of racing it; later calls only take the lock
# for a moment. The program's exit status is passed back. Set WINEDEBUG to see
# Wine's messages (they are all off by default).
set -eu

if [ $# -lt 2 ]; then
  echo "usage: $0 PREFIX PROGRAM.exe [ARGUMENT...]" >&2
  exit 2
fi
prefix=$1
shift
# Wine takes only an absolute prefix.
case $prefix in
  /*) ;;
  *) prefix=$PWD/$prefix ;;
esac

# Debian's /usr/bin/wine is a script that prefers a 32-bit wine and nags when
# there is none; the 64-bit loader runs our 64-bit programs directly.
if [ -n "${WINE:-}" ]; then
  wine=$WINE
elif [ -x /usr/lib/wine/wine64 ]; then
  wine=/usr/lib/wine/wine64
else
  wine=$(command -v wine64 || command -v wine) || {
    echo "$0: no wine64 found (apt-get install wine64)" >&2
    exit 2
  }
fi
# Debian's wineserver script adds -p0, which ends the server, and Wine's
# services with it, the moment the last program exits; the binary itself can
# be told to stay.
wineserver=$(dirname "$wine")/wineserver64
[ -x "$wineserver" ] || wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

export WINEPREFIX="$prefix"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko download prompts, and no menu entries or file associations
# written into the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
# Wine reads command lines and file names in the locale's character set, so
# Japanese arguments need a UTF-8 locale.
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  *UTF-8* | *utf8* | *UTF8* | *utf-8*) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac

make_prefix() {
  rm -rf "$prefix"
  mkdir -p "$prefix"
  "$wine" wineboot --init >/dev/null 2>&1
  # The program asks for Japanese fonts by their Windows names; the IPA
  # fonts (fonts-ipafont-gothic) stand in for them. Without these entries
  # Wine gives the fixed-pitch IPAGothic for ＭＳ Ｐゴシック and DejaVu Sans
  # for MS Shell Dlg. Crashes end the program at once instead of waiting in
  # a dialog nobody will close.
  reg="$prefix/zelvo-setup.reg"
  {
    printf '\377\376'
    iconv -f UTF-8 -t UTF-16LE <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
    if [ -n "${ZELVO_WINE_DPI:-}" ]; then
      printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n' "$ZELVO_WINE_DPI" |
        iconv -f UTF-8 -t UTF-16LE
    fi
  } >"$reg"
  "$wine" reg import 'Z:'"$(printf '%s' "$reg" | tr / '\\')" >/dev/null 2>&1
  rm -f "$reg"
  # Wine's own fonts (fonts-wine) are not found where Debian puts them.
  # Marlett draws the title bar's buttons; the others stay out, since Wine's
  # Tahoma would take over the title bars and has no Japanese.
  marlett=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$marlett" ]; then ln -sf "$marlett" "$prefix/drive_c/windows/Fonts/"; fi
  # Wine 8 makes new prefixes say Windows 7; the program is for 10 and 11.
  "$wine" winecfg -v win10 >/dev/null 2>&1
  # Let the registry reach the disk before anyone counts on it.
  "$wineserver" -w
  touch "$prefix/.zelvo-prefix-ready"
}

# Starting the server and Wine's services costs a second or more, once per
# program if the server ends with each one. So the server is started here to
# stay ZELVO_WINESERVER_LINGER seconds (default 20) after the last program,
# and the services are started by a program of our own whose output goes
# nowhere: whatever Wine starts inherits the output of the program that
# caused it, and CTest waits for every holder of a test's output to end.
start_server() {
  "$wineserver" -p"${ZELVO_WINESERVER_LINGER:-20}" </dev/null >/dev/null 2>&1 || return 0
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  # The lock's descriptor stays here: a server that inherited it would hold
  # the lock, and every later call would wait for the server to end.
  { [ -f "$prefix/.zelvo-prefix-ready" ] || make_prefix; start_server; } 9>&-
) 9>"$prefix.lock"

# A terminal gets the program's output straight.
if [ -t 1 ] && [ -t 2 ]; then
  exec "$wine" "$@"
fi

# Anything else (CTest, a build step) reads the output through files. Wine
# starts a desktop process for each program that opens a window, and that
# process keeps the program's output open for two seconds or so after the
# program has ended; CTest would wait for it on every test.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
"$wine" "$@" <&0 >"$out" 2>"$err" &
pid=$!
trap 'kill "$pid" 2>/dev/null' INT TERM HUP
tail -q -s 0.05 -n +1 --pid="$pid" -f "$out" &
tail_out=$!
tail -q -s 0.05 -n +1 --pid="$pid" -f "$err" >&2 &
tail_err=$!
status=0
wait "$pid" || status=$?
wait "$tail_out" "$tail_err" || true
if [ "$status" -gt 128 ]; then
  echo "$0: $1 was ended by signal $((status - 128))" >&2
fi
exit "$status"
