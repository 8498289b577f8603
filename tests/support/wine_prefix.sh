#!/bin/sh
# The Wine prefix of one test run: `up` makes a fresh one (about 7 s), `down` ends its
# wineserver and every program still running in it.
#   wine_prefix.sh up|down FOLDER
set -eu
prefix="$2"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$1" in
  up)
    [ -d "$prefix" ] && wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    wineboot -i >/dev/null 2>&1
    wineserver -w  # the prefix is written out once its first programs have ended
    ;;
  down)
    [ -d "$prefix" ] && wineserver -k 2>/dev/null || true
    ;;
  *)
    echo "usage: $0 up|down FOLDER" >&2
    exit 2
    ;;
esac
