"""Orca, the real screen reader, on the test's desktop, and what it says.

Orca talks to the recording speech server like any client, so the server's timeline shows how
its speech and the game's meet; its own log (see orca_launcher.py) shows what it was asked to
say, which is what the tests look at.
"""

import json
import os
import re
import subprocess

from .waiting import wait_until

LAUNCHER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "orca_launcher.py")
PYTHON = "/usr/bin/python3"
LOCALE = "es_ES.UTF-8"
_READY = ("ORCA: Starting ATSPI registry.", "Starting Atspi main event loop")  # 43, 48
# The text between quotes, then the voice: Orca 43 gives it when it is not the default one,
# with its name (voice=...), Orca 48 always, as a dictionary of dictionaries.
_SPOKEN = re.compile(r"^(\d+\.\d+) .*SPEECH OUTPUT: '(.*?)'(?:\s*(?:voice=\w+)?\s*\{.*\})?$")
_BRAILLED = re.compile(r"^\d+\.\d+ .*BRAILLE LINE:  '(.*)'$")

# The player's voice, away from Orca's defaults (50 and 5), and the rate Orca then asks the
# speech server for: a text said at it was said by Orca, in that voice.
RATE, PITCH = 80, 7.0
SERVER_RATE = 2 * RATE - 98

# Orca's keys, desktop layout: Insert is the Orca key. Its "read the title" key, pressed twice
# quickly, reads the status bar.
TITLE = "Insert+KP_Enter"


def make_locale(folder):
    """Compiles the Spanish locale into folder, for LOCPATH; the system's locales stay as they
    are. Orca speaks the language of its locale."""
    if not os.path.isdir(os.path.join(folder, LOCALE)):
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["localedef", "-i", "es_ES", "-f", "UTF-8", os.path.join(folder, LOCALE)],
                       check=True, capture_output=True, timeout=120)
    return folder


def same(said, expected):
    """Whether Orca said expected, in Orca 43's words or Orca 48's, which ends a text without
    its period, and names a push button "botón" where 43 says "botón de pulsación"; either
    may leave a blank at the end. Nothing the player hears is lost between them."""
    def plain(text):
        return text.replace("botón de pulsación", "botón").rstrip().removesuffix(".")

    return plain(said) == plain(expected)


class ScreenReader:
    """One Orca on desktop, speaking through speech (a started SpeechServer)."""

    def __init__(self, desktop, speech):
        self.desktop = desktop
        self.speech = speech
        self.log = desktop.log_path("orca-speech.log")

    def start(self, timeout=60.0):
        env = {
            "LANG": LOCALE, "LC_ALL": LOCALE,
            "LOCPATH": make_locale(self.desktop.folder("locale")),
            # Orca's settings in memory: nothing of the machine's own is read or changed.
            "GSETTINGS_BACKEND": "memory",
            "SPEECHD_ADDRESS": self.speech.address, "SPEECHD_CMD": "/bin/false",
            # ORCA_FULL_DEBUG=1 in the test's environment keeps all of Orca's debug output.
            "ORCA_FULL_DEBUG": os.environ.get("ORCA_FULL_DEBUG", ""),
        }
        self._write_settings(self.desktop.folder("orca-settings"))
        # Orca will not run beside another Orca of the same user anywhere on the machine; in a
        # process namespace of its own it sees only itself. It ends with the desktop's group.
        self.desktop.spawn(["unshare", "--pid", "--fork", "--mount-proc",
                            "--kill-child=SIGTERM", PYTHON, LAUNCHER, self.log,
                            "-u", self.desktop.folder("orca-settings")], "orca.log", env)
        wait_until(lambda: any(ready in self._text() for ready in _READY), "Orca to start",
                   timeout)
        return self

    @staticmethod
    def _write_settings(folder):
        """Orca's settings file, with the player's voice; Orca fills in the rest itself."""
        voice = {"established": True, "rate": RATE, "average-pitch": PITCH}
        settings = {
            "general": {"voices": {"default": voice, "uppercase": {"average-pitch": PITCH + 2},
                                   "hyperlink": {"established": False},
                                   "system": {"established": False}}},
            "profiles": {"default": {"profile": ["Default", "default"]}},
            "pronunciations": {}, "keybindings": {},
        }
        with open(os.path.join(folder, "user-settings.conf"), "w") as out:
            json.dump(settings, out)

    def brailled(self):
        """Every line Orca has put on braille, in order."""
        return [m[1] for line in self._text().split("\n")[:-1] if (m := _BRAILLED.match(line))]

    def _text(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as log:
                return log.read()
        except FileNotFoundError:
            return ""

    def spoken(self):
        """(time, text) of everything Orca has said, in order."""
        said = []
        for line in self._text().split("\n")[:-1]:
            if match := _SPOKEN.match(line):
                said.append((float(match[1]), match[2]))
        return said

    def mark(self):
        """A place in what Orca has said; said_since and wait_for look after it."""
        return len(self.spoken())

    def said_since(self, mark):
        return [text for _, text in self.spoken()[mark:]]

    def wait_for(self, mark, text, timeout=20.0):
        """Waits until Orca says text (see same) after mark; returns (time, place) of it."""
        def found():
            for place, (when, said) in enumerate(self.spoken()[mark:], mark):
                if same(said, text):
                    return when, place
            return None

        try:
            return wait_until(found, f"Orca to say {text!r}", timeout)
        except AssertionError:
            raise AssertionError(f"Orca did not say {text!r}; it said "
                                 f"{self.said_since(mark)}") from None
