"""The project's recording speech server, and the record of what the game asked it to say."""

import collections
import os
import re
import subprocess

from .waiting import wait_until

# One text as the server spoke it: when it began and ended (seconds since the epoch; end is None
# for a text cut off by another, or still being said), and the text.
Utterance = collections.namedtuple("Utterance", "start end text")
# One text as the server was given it: the client's name, the priority, the text (without the
# markup Orca wraps it in), and the rate that client last set (None for none).
Queued = collections.namedtuple("Queued", "client priority text rate")

# Lines of the server's log: a connection names its client; a connection asks to speak; the
# server queues the text it was given.
_CLIENT_NAME = re.compile(r"\] speechd:\s+(\d+):DATA:\|SET self CLIENT_NAME \"?([^\"]*)\"?$",
                          re.IGNORECASE)
_RATE = re.compile(r"\] speechd:\s+(\d+):DATA:\|SET self RATE (-?\d+)$", re.IGNORECASE)
_MARKUP = re.compile(r"<[^>]*>")
_SPEAK = re.compile(r"\] speechd:\s+(\d+):DATA:\|SPEAK$", re.IGNORECASE)
_QUEUED = re.compile(r"\] speechd:\s+Queueing message \|(.*)\| with priority (\d+)$")


class SpeechServer:
    """A private speech server started by the project's script; every text is one line.

    With ms_per_char, it takes that long a character to say a text, and its timeline shows
    when each text began and whether it was said to its end.
    """

    def __init__(self, script, folder, ms_per_char=0):
        self.script = script
        self.folder = folder
        self.ms_per_char = ms_per_char
        self.address = None
        self.record = None

    def start(self):
        # Given this process as its owner, the server ends soon after us even if we are killed.
        env = dict(os.environ, SPEECH_MS_PER_CHAR=str(self.ms_per_char))
        started = subprocess.run(["bash", self.script, "start", self.folder, str(os.getpid())],
                                 capture_output=True, text=True, timeout=30, env=env)
        if started.returncode != 0:
            raise AssertionError(f"the speech server did not start: {started.stderr}")
        settings = dict(line.split("=", 1) for line in started.stdout.splitlines() if "=" in line)
        self.address = settings["SPEECHD_ADDRESS"]
        self.record = SpeechRecord(settings["RECORD"])
        return self

    def stop(self):
        subprocess.run(["bash", self.script, "stop", self.folder], capture_output=True,
                       timeout=30, check=False)

    def timeline(self):
        """Every text the server has begun to say, in order, as Utterances."""
        try:
            with open(os.path.join(self.folder, "timeline.txt"), encoding="utf-8",
                      errors="replace") as timeline:
                lines = timeline.read().split("\n")[:-1]
        except FileNotFoundError:
            return []
        said = []
        for line in lines:
            ms, kind, text = (line.split(" ", 2) + [""])[:3]
            if kind == "start":
                said.append(Utterance(int(ms) / 1000, None, text))
            elif said:
                said[-1] = said[-1]._replace(end=int(ms) / 1000)
        return said

    def queued(self):
        """Every text the server was given, in order, as Queued.

        A libspeechd client's name is "user:program:connection" ("…:tolvos:main"), Orca's ends
        in ":Orca:…". Priorities as the server logs them: 1 important, 2 message, 3 text.
        """
        with open(os.path.join(self.folder, "log", "speech-dispatcher.log"), "r",
                  errors="replace") as log:
            lines = log.read().split("\n")
        clients, rates, speaking, queued = {}, {}, None, []
        for line in lines:
            if match := _CLIENT_NAME.search(line):
                clients[match[1]] = match[2]
            elif match := _RATE.search(line):
                rates[match[1]] = int(match[2])
            elif match := _SPEAK.search(line):
                speaking = match[1]
            elif (match := _QUEUED.search(line)) and speaking is not None:
                queued.append(Queued(clients.get(speaking, "?"), int(match[2]),
                                     _MARKUP.sub("", match[1]),
                                     rates.get(speaking)))
                speaking = None
        return queued


class SpeechRecord:
    """The lines "LANGUAGE TEXT" the server has written, one per text it was asked to say."""

    def __init__(self, path):
        self.path = path

    def lines(self):
        with open(self.path, "r", encoding="utf-8", errors="replace") as record:
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
