#!/usr/bin/env bash
# Start-up of the real program on a private X display: the time from launch until its window is
# mapped (median of 5 starts) and its resident memory 3 s after a start. Release build.
#   bench/window_start.sh [path/to/tolvos]
# Targets: mapped within 90 ms, under 40 MB resident.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-}
if [ -z "$program" ]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/release --target tolvos sounds >/dev/null
  program=build/release/tolvos
fi

# A first start in a fresh folder of its own, with its sounds beside it, as installed.
work=$(mktemp -d)
cleanup() {
  [ -n "${app:-}" ] && kill -9 "$app" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp "$program" "$work/tolvos"
cp "$(dirname "$program")"/snd*.wav "$work/" 2>/dev/null || true

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "window_start: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
xdpyinfo >/dev/null 2>&1 || { echo "window_start: display $DISPLAY does not answer" >&2; exit 1; }
# No speech server: the program must not wait for one, and must not start one.
export SPEECHD_ADDRESS="unix_socket:$work/no-speech-server" SPEECHD_CMD=/bin/false
export QT_QPA_PLATFORM=xcb

now_ms() { echo $(( ${EPOCHREALTIME/./} / 1000 )); }

# Starts the program (its pid in app) and sets elapsed to the milliseconds until its window is
# mapped.
start_once() {
  rm -f "$work"/*.dat
  local t0
  t0=$(now_ms)
  "$work/tolvos" >"$work/output" 2>&1 &
  app=$!
  until xdotool search --onlyvisible --pid "$app" >/dev/null 2>&1; do
    if ! kill -0 "$app" 2>/dev/null; then
      echo "window_start: the program ended:" >&2
      tail -5 "$work/output" >&2
      exit 1
    fi
    (( $(now_ms) - t0 < 10000 )) || { echo "window_start: no window in 10 s" >&2; exit 1; }
  done
  elapsed=$(( $(now_ms) - t0 ))
}

times=()
for run in 1 2 3 4 5; do
  start_once
  times+=("$elapsed")
  if [ "$run" -lt 5 ]; then kill -9 "$app"; wait "$app" 2>/dev/null || true; fi
done
sleep 3
rss_kb=$(awk '/^VmRSS:/ {print $2}' "/proc/$app/status")
kill -9 "$app"; wait "$app" 2>/dev/null || true
app=

median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "starts (ms): ${times[*]}"
echo "median start to mapped window: ${median} ms (target 90 ms)"
echo "resident memory 3 s after start: $(( rss_kb / 1024 )) MB (${rss_kb} kB, target under 40 MB)"
