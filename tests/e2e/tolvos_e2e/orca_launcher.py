"""Runs Orca, the screen reader, writing down each thing it says as it says it.

    /usr/bin/python3 orca_launcher.py SPEECH_LOG [orca's own options]

Orca's debug output is block-buffered and very large; this keeps only its speech, its braille
lines and the line that says it is ready, each line flushed at once and headed by the time in seconds since the
epoch, so a test can follow it while Orca runs. With ORCA_FULL_DEBUG=1 it keeps everything.
"""

import os
import runpy
import sys
import time

from orca import debug

ORCA = "/usr/bin/orca"
FULL = os.environ.get("ORCA_FULL_DEBUG") == "1"
# What Orca says and shows on braille, and the line with which it says it is ready: Orca 43's,
# then Orca 48's.
KEPT = ("SPEECH OUTPUT:", "BRAILLE LINE:", "ORCA: Starting ATSPI registry.",
        "Starting Atspi main event loop")


class SpeechLog:
    """Stands in for Orca's debug file."""

    def __init__(self, path):
        self.name = path
        self._file = open(path, "w", encoding="utf-8", errors="replace")

    def fileno(self):  # Orca points its crash handler at the debug file
        return self._file.fileno()

    def write(self, text):
        self.writelines([text])

    def writelines(self, lines):
        text = "".join(lines)
        if FULL or any(kept in text for kept in KEPT):
            self._file.write(f"{time.time():.3f} {text}")
            self._file.flush()

    def flush(self):
        self._file.flush()


debug.debugLevel = debug.LEVEL_ALL if FULL else debug.LEVEL_INFO
debug.debugFile = SpeechLog(sys.argv.pop(1))
sys.argv[0] = ORCA
runpy.run_path(ORCA, run_name="__main__")
