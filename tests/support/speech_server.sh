#!/usr/bin/env bash
# A private speech server that speaks nothing and records every text it is asked to say.
#
#   speech_server.sh start FOLDER [OWNER]
#       starts it with everything it owns under FOLDER (created), waits until it accepts
#       connections, and prints
#           SPEECHD_ADDRESS=unix_socket:FOLDER/speechd.sock
#           RECORD=FOLDER/spoken.txt
#       Given the process id OWNER, the server also ends soon after that process has gone,
#       so a test that crashes leaves nothing behind.
#   speech_server.sh stop FOLDER
#       kills it and every process it started
#
# Each text becomes one line of the record: its language, a blank, then the text as sent.
# Clients reach the server through SPEECHD_ADDRESS; they should also have SPEECHD_CMD=/bin/false
# so that none of them ever starts a real server. The server's log (FOLDER/log) names the client
# of each text it queues.
#
# With SPEECH_MS_PER_CHAR=N in its environment at start, the server takes N ms a character to
# "say" a text, as a synthesiser takes time to speak, and writes FOLDER/timeline.txt: a line
# "MS start TEXT" when it begins a text and "MS end" when it has said it all (MS: milliseconds
# since the epoch). A text cut off by another has no end line.
set -euo pipefail

usage() { echo "usage: $0 start FOLDER [OWNER] | stop FOLDER" >&2; exit 2; }
# Running, and not a zombie waiting for its parent (or init) to collect it.
alive() { local state; state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]; }
[ $# -ge 2 ] || usage
folder=$2
owner=${3:-}

start() {
  mkdir -p "$folder"
  folder=$(cd "$folder" && pwd)
  local conf=$folder/conf socket=$folder/speechd.sock record=$folder/spoken.txt
  mkdir -p "$conf/modules" "$folder/log" "$folder/home" "$folder/run"
  chmod 700 "$folder/run"
  rm -f "$socket" "$folder/timeline.txt"
  : >"$record"

  cat >"$conf/speechd.conf" <<CONF
LogLevel 5
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "record" "sd_generic" "record.conf"
DefaultModule record
DefaultLanguage "es"
CONF
  # The module runs say.sh for every text, and stops it to cut the text off. A control
  # character as the only delimiter keeps each text whole; utf-8 for every language keeps
  # accents as they came.
  local ms_per_char=${SPEECH_MS_PER_CHAR:-0} timeline=$folder/timeline.txt
  cat >"$conf/say.sh" <<SAY
printf '%s %s\\n' "\$1" "\$2" >>"$record"
[ $ms_per_char -gt 0 ] || exit 0
printf '%s start %s\\n' "\$(date +%s%3N)" "\$2" >>"$timeline"
ms=\$(( \${#2} * $ms_per_char ))
sleep "\$(( ms / 1000 )).\$(printf %03d \$(( ms % 1000 )))"
printf '%s end\\n' "\$(date +%s%3N)" >>"$timeline"
SAY
  {
    echo "GenericExecuteSynth \"sh $conf/say.sh \\'\$LANGUAGE\\' \\'\$DATA\\'\""
    printf 'GenericDelimiters "\001"\n'
    echo 'AddVoice "es" "male1" "es"'
    echo 'AddVoice "en" "male1" "en"'
    for language in es en c; do echo "GenericLanguage \"$language\" \"$language\" \"utf-8\""; done
  } >"$conf/modules/record.conf"

  # setsid gives the server, its module and the owner's watch a process group of their own,
  # led by the server (the shell execs it), for stop to kill at once.
  HOME=$folder/home XDG_RUNTIME_DIR=$folder/run XDG_CONFIG_HOME=$folder/home \
    setsid bash -c '
      if [ -n "$0" ]; then
        (while kill -0 "$0" 2>/dev/null; do sleep 0.5; done; kill -KILL -- -$$) &
      fi
      exec "$@"' "$owner" speech-dispatcher -s -t 0 -C "$conf" -S "$socket" -L "$folder/log" \
    </dev/null >"$folder/log/server.out" 2>&1 &
  echo $! >"$folder/server.pid"

  # Ready once the socket answers; give up after ten seconds.
  for _ in $(seq 200); do
    if [ -S "$socket" ]; then
      echo "SPEECHD_ADDRESS=unix_socket:$socket"
      echo "RECORD=$record"
      return 0
    fi
    alive "$(cat "$folder/server.pid")" || break
    sleep 0.05
  done
  echo "speech_server: the server did not start; see $folder/log" >&2
  stop
  return 1
}

stop() {
  [ -f "$folder/server.pid" ] || return 0
  local pid
  pid=$(cat "$folder/server.pid")
  kill -KILL -- "-$pid" 2>/dev/null || true
  for _ in $(seq 100); do alive "$pid" || break; sleep 0.02; done
  rm -f "$folder/server.pid" "$folder/speechd.sock"
}

case $1 in
  start) start ;;
  stop) stop ;;
  *) usage ;;
esac
