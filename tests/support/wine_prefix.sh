#!/bin/sh
# The Wine prefix of one test run: `up` makes a fresh one (about 7 s) with a server that stays
# until `down` ends it and every program still running in it. Test programs then start at
# once, and the prefix's background programs hold none of a test's output open.
#   wine_prefix.sh up|down FOLDER
set -eu
prefix="$2"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$1" in
  up)
    if [ -d "$prefix" ]; then wineserver -k 2>/dev/null || true; fi
    rm -rf "$prefix"
    mkdir -p "$prefix"
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot -i </dev/null >/dev/null 2>&1
    ;;
  down)
    if [ -d "$prefix" ]; then wineserver -k 2>/dev/null || true; fi
    ;;
  *)
    echo "usage: $0 up|down FOLDER" >&2
    exit 2
    ;;
esac
