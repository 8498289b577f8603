"""What every end-to-end test file shares: its command line, one desktop, one speech server,
and for a file that asks for it, the real screen reader."""

import argparse
import os
import sys
import unittest

from .a11y import Client
from .game import Game, install
from .screen_reader import ScreenReader
from .session import Desktop
from .speech import SpeechServer

_options = None
_desktop = None
_client = None
_speech = None
_reader = None
_reader_ms_per_char = None


def with_screen_reader(ms_per_char):
    """Called by a test file before main(): its desktop also runs Orca, with the desktop's
    screen-reader switch on, and its speech server
    takes ms_per_char milliseconds a character to say a text, so interruptions show."""
    global _reader_ms_per_char
    _reader_ms_per_char = ms_per_char


def main():
    """Runs the calling test file: options of ours first, then unittest's own."""
    global _options
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--game", required=True, help="the built tolvos executable")
    parser.add_argument("--sounds", required=True, help="the folder holding snd.wav, snd2.wav")
    parser.add_argument("--speech-server", required=True,
                        help="the script that starts and stops a recording speech server")
    _options, rest = parser.parse_known_args()
    run = unittest.main(module="__main__", argv=[sys.argv[0]] + rest, verbosity=2, exit=False)
    if _desktop is not None:
        if not run.result.wasSuccessful():
            for name, text in _desktop.logs():
                if text.strip():
                    print(f"----- {name} (last lines)\n{text[-4000:]}", file=sys.stderr)
        if os.environ.get("TOLVOS_E2E_KEEP") == "1":  # for a look at everything afterwards
            _desktop.stop()
            print(f"kept {_desktop.root}", file=sys.stderr)
        else:
            _desktop.close()
    sys.exit(0 if run.result.wasSuccessful() else 1)


def setUpModule():
    """Starts the desktop and the speech server for the whole file (unittest's module hook)."""
    global _desktop, _client, _speech, _reader
    _desktop = Desktop()
    try:
        _desktop.start()
        _speech = SpeechServer(_options.speech_server, _desktop.folder("speech"),
                               _reader_ms_per_char or 0).start()
        _client = Client(_desktop.a11y_bus_address)
        if _reader_ms_per_char is not None:
            _reader = ScreenReader(_desktop, _speech).start()
            _desktop.set_screen_reader_enabled(True)
    except BaseException:
        tearDownModule()
        raise


def tearDownModule():
    """Ends every process; main() shows the logs of a failed run, then removes them."""
    global _client, _speech, _reader
    if _client is not None:
        _client.close()
    if _speech is not None:
        _speech.stop()
    if _desktop is not None:
        _desktop.stop()
    _client = _speech = _reader = None


class GameTestCase(unittest.TestCase):
    """A test that plays the game; each start_game() gets a fresh folder unless given one."""

    def setUp(self):
        self.desktop = _desktop
        self.speech = _speech.record
        self.speech_server = _speech
        self.reader = _reader
        self._games = 0

    def new_folder(self):
        self._games += 1
        return self.desktop.folder(f"{self.id().rsplit('.', 1)[-1]}-{self._games}")

    def install_game(self, folder=None):
        return install(_options.game, _options.sounds, folder or self.new_folder())

    def start_game(self, folder=None):
        """Starts the game in folder (a fresh installation by default) and waits for its grid."""
        folder = folder or self.install_game()
        self._starts = getattr(self, "_starts", 0) + 1
        game = Game(self.desktop, _client, folder, _speech,
                    log_name=f"{os.path.basename(folder)}-run{self._starts}.log")
        self.addCleanup(game.stop)
        game.start()
        return game
