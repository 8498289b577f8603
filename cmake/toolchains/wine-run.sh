#!/bin/sh
# Runs a Windows program under Wine, as ctest and the build run the cross-built programs:
# quiet, and without Wine's offers to install .NET or a web engine into the prefix. The prefix
# is WINEPREFIX (the tests set one of their own in the build folder).
#   wine-run.sh program.exe [arguments...]
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
exec wine "$@"
