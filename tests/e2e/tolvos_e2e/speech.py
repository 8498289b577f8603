"""The project's recording speech server, and the record of what the game asked it to say."""

import os
import subprocess

from .waiting import wait_until


class SpeechServer:
    """A private speech server started by the project's script; every text is one line."""

    def __init__(self, script, folder):
        self.script = script
        self.folder = folder
        self.address = None
        self.record = None

    def start(self):
        # Given this process as its owner, the server ends soon after us even if we are killed.
        started = subprocess.run(["bash", self.script, "start", self.folder, str(os.getpid())],
                                 capture_output=True, text=True, timeout=30)
        if started.returncode != 0:
            raise AssertionError(f"the speech server did not start: {started.stderr}")
        settings = dict(line.split("=", 1) for line in started.stdout.splitlines() if "=" in line)
        self.address = settings["SPEECHD_ADDRESS"]
        self.record = SpeechRecord(settings["RECORD"])
        return self

    def stop(self):
        subprocess.run(["bash", self.script, "stop", self.folder], capture_output=True,
                       timeout=30, check=False)


class SpeechRecord:
    """The lines "LANGUAGE TEXT" the server has written, one per text it was asked to say."""

    def __init__(self, path):
        self.path = path

    def lines(self):
        with open(self.path, "r", encoding="utf-8") as record:
            text = record.read()
        # A line still being written has no line end yet.
        return text.split("\n")[:-1]

    def mark(self):
        """A place in the record; texts said afterwards are those after it."""
        return len(self.lines())

    def said_since(self, mark):
        return self.lines()[mark:]

    def wait_for(self, mark, expected, timeout=10.0):
        """Waits until the texts said since mark are expected ("LANGUAGE TEXT" lines)."""
        expected = list(expected)

        def enough():
            said = self.said_since(mark)
            return said if len(said) >= len(expected) else None

        try:
            said = wait_until(enough, f"{len(expected)} spoken texts", timeout)
        except AssertionError as error:
            raise AssertionError(f"{error}; expected {expected}") from None
        if said != expected:
            raise AssertionError(f"spoken {said}, expected {expected}")
        return said
