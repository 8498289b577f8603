#!/bin/sh
# Runs a Windows test program under Wine where no file may grow past a few blocks, as on a full
# disk; the program learns the limit in bytes from TOLVOS_FILE_SIZE_LIMIT.
#   full_disk.sh EMULATOR PROGRAM [ARGUMENTS...]
set -eu
# The prefix's server (which writes the registry) already runs, without the limit: see
# tests/support/wine_prefix.sh.
ulimit -f 8  # blocks of 512 bytes
trap '' XFSZ  # a write past the limit fails instead of ending the program
TOLVOS_FILE_SIZE_LIMIT=4096 exec "$@"
