#!/bin/sh
# A private X display and a Wine prefix of their own for the tests that show windows: `up`
# starts the display and makes a fresh prefix, `run` runs a command on them, `down` ends the
# prefix's wineserver (and every program in it) and the display.
#   wine_desktop.sh up|down FOLDER
#   wine_desktop.sh run FOLDER COMMAND...
set -eu
if [ $# -lt 2 ]; then
  echo "usage: $0 up|down|run FOLDER ..." >&2
  exit 2
fi
action="$1" folder="$2"
shift 2
export WINEPREFIX="$folder/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

stop() {
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
  if [ -f "$folder/xvfb.pid" ]; then
    kill "$(cat "$folder/xvfb.pid")" 2>/dev/null || true
    rm -f "$folder/xvfb.pid"
  fi
}

case "$action" in
  up)
    stop
    rm -rf "$folder"
    mkdir -p "$folder"
    # Xvfb writes the display it found free on the descriptor, once it is ready.
    exec 3>"$folder/display.fd"
    setsid Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 >/dev/null 2>&1 &
    echo $! >"$folder/xvfb.pid"
    exec 3>&-
    for _ in $(seq 100); do [ -s "$folder/display.fd" ] && break; sleep 0.1; done
    [ -s "$folder/display.fd" ] || { echo "wine_desktop: Xvfb did not start" >&2; stop; exit 1; }
    echo ":$(cat "$folder/display.fd")" >"$folder/display"
    DISPLAY="$(cat "$folder/display")" wineboot -i >/dev/null 2>&1
    wineserver -w  # the prefix is written out once its first programs have ended
    # With no window manager on the display, Wine would wait 2 s for one each time a window
    # is hidden: its windows manage themselves.
    printf '\n[Software\\\\Wine\\\\X11 Driver]\n"Managed"="N"\n' >>"$WINEPREFIX/user.reg"
    ;;
  run)
    [ -f "$folder/display" ] || { echo "wine_desktop: no display, run 'up' first" >&2; exit 1; }
    DISPLAY="$(cat "$folder/display")"
    export DISPLAY
    exec "$@"
    ;;
  down)
    stop
    ;;
  *)
    echo "usage: $0 up|down|run FOLDER ..." >&2
    exit 2
    ;;
esac
