#!/usr/bin/python3
"""How soon a blind player hears the grid through Orca (43 or 48), the real screen reader.

Starts the program on a private X display with the accessibility bus (its screen-reader switch
on), Orca (in Spanish) and the recording speech server, which here takes 50 ms a character to
"say" a text as a synthesiser takes time to speak, and reports the median (min to max) of:
  - an arrow key to Orca's request to say the block it reaches (Orca's own log), 25 arrows;
  - a marking (Return) to Orca's request to say the count of the marked blocks, 10 markings
    (target: 100 ms at most);
  - an arrow pressed 300 ms after a marking to the moment the speech server begins Orca's
    words for it, the count still being said, 10 arrows.
Keys go to the X server in-process (XTEST), timed just before they are sent.

    bench/screen_reader_bench.py [--game build/release/tolvos] [--arrows 25] [--after-marking 10]

By default it takes the release build (see README), else the test build. It prints the load
average, since other work on the machine lengthens every figure.
"""

import ctypes
import os
import statistics
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import game_options  # noqa: E402
from tolvos_e2e import a11y  # noqa: E402
from tolvos_e2e.board import COLUMNS  # noqa: E402
from tolvos_e2e.game import Game, install  # noqa: E402
from tolvos_e2e.screen_reader import ScreenReader, same  # noqa: E402
from tolvos_e2e.session import Desktop  # noqa: E402
from tolvos_e2e.speech import SpeechServer  # noqa: E402
from tolvos_e2e.waiting import wait_until  # noqa: E402

MS_PER_CHAR = 50
AFTER_MARKING = 0.3  # seconds between the marking key and the arrow


class XTestKeys:
    """Key presses sent straight to the X server, as a keyboard would send them."""

    def __init__(self, display):
        self._x = ctypes.CDLL("libX11.so.6")
        self._xtst = ctypes.CDLL("libXtst.so.6")
        self._x.XOpenDisplay.restype = ctypes.c_void_p
        self._x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x.XStringToKeysym.restype = ctypes.c_ulong
        self._x.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self._x.XKeysymToKeycode.restype = ctypes.c_ubyte
        self._x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self._x.XFlush.argtypes = [ctypes.c_void_p]
        self._x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                 ctypes.c_ulong]
        self._display = self._x.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError(f"cannot open display {display}")

    def tap(self, name):
        """Presses and releases the key; returns the time (time.time()) it was sent."""
        code = self._x.XKeysymToKeycode(self._display, self._x.XStringToKeysym(name.encode()))
        self._xtst.XTestFakeKeyEvent(self._display, code, 1, 0)
        self._xtst.XTestFakeKeyEvent(self._display, code, 0, 0)
        sent = time.time()
        self._x.XFlush(self._display)
        return sent

    def close(self):
        self._x.XCloseDisplay(self._display)


def place(index):
    return f"fila {index // COLUMNS + 1}, columna {index % COLUMNS + 1}."


def orca_says(reader, mark, text, timeout=20.0):
    """The time Orca asked to say text, the first time after mark."""
    return reader.wait_for(mark, text, timeout)[0]


def server_begins(server, after, predicate, timeout=20.0):
    """The time the speech server began the first text after place after that predicate
    accepts."""
    def begun():
        for utterance in server.timeline()[after:]:
            if predicate(utterance.text):
                return utterance
        return None

    return wait_until(begun, "the speech server to begin", timeout).start


def two_colours(board):
    """A block of the top row whose right neighbour has another colour."""
    for k in range(COLUMNS - 1):
        if board.captions[k] != board.captions[k + 1]:
            return k
    raise RuntimeError(f"a top row of one colour:\n{board}")


def measure(desktop, server, reader, game, arrows, after_marking):
    keys = XTestKeys(desktop.display)
    try:
        mark = reader.mark()
        game.keyboard.focus(game.x_window())
        orca_says(reader, mark, place(0))
        board = game.board()
        a = two_colours(board)
        for k in range(1, a + 1):
            mark = reader.mark()
            keys.tap("Right")
            orca_says(reader, mark, place(k))
        time.sleep(1.0)  # Orca has said it all; the next key meets a quiet screen reader

        # Arrows back and forth between a and a + 1.
        arrow_ms = []
        here = a
        for _ in range(arrows):
            key, there = ("Right", a + 1) if here == a else ("Left", a)
            mark = reader.mark()
            sent = keys.tap(key)
            arrow_ms.append((orca_says(reader, mark, f"{board.captions[there]} botón de "
                                       "pulsación.") - sent) * 1000)
            orca_says(reader, mark, place(there))
            here = there
            time.sleep(0.5)

        # Return marks the group of the block, and 300 ms later an arrow goes to the other
        # block, whose group Return marks next: every Return is a marking.
        marking_ms, delay_ms = [], []
        for _ in range(after_marking):
            key, there = ("Right", a + 1) if here == a else ("Left", a)
            count = (f"{len(board.group(here))} tolvos marcados. Vuelva a pulsar para "
                     "eliminarlos")
            mark = reader.mark()
            pressed = keys.tap("Return")
            marking_ms.append((orca_says(reader, mark, count) - pressed) * 1000)
            time.sleep(max(0.0, pressed + AFTER_MARKING - time.time()))
            after = len(server.timeline())
            mark = reader.mark()
            sent = keys.tap(key)
            block = f"{board.captions[there]} botón de pulsación."
            begun = server_begins(server, after, lambda text, block=block: same(text, block))
            delay_ms.append((begun - sent) * 1000)
            orca_says(reader, mark, place(there))
            here = there
            time.sleep(1.0)
        return arrow_ms, marking_ms, delay_ms
    finally:
        keys.close()


def summary(label, values):
    return (f"  {label:52} {statistics.median(values):7.1f} ms "
            f"({min(values):.1f} to {max(values):.1f}, {len(values)} keys)")


def main():
    parser = game_options.parser(__doc__)
    parser.add_argument("--arrows", type=int, default=25)
    parser.add_argument("--after-marking", type=int, default=10)
    options = parser.parse_args()
    sounds = game_options.sounds_folder(options)

    load_before = os.getloadavg()
    desktop = Desktop()
    server = client = game = None
    try:
        desktop.start()
        server = SpeechServer(os.path.join(ROOT, "tests", "support", "speech_server.sh"),
                              desktop.folder("speech"), MS_PER_CHAR).start()
        client = a11y.Client(desktop.a11y_bus_address)
        reader = ScreenReader(desktop, server).start()
        desktop.set_screen_reader_enabled(True)
        game = Game(desktop, client, install(options.game, sounds, desktop.folder("game")),
                    server).start()
        arrow_ms, marking_ms, delay_ms = measure(desktop, server, reader, game, options.arrows,
                                     options.after_marking)
    finally:
        if game is not None:
            game.stop()
        if client is not None:
            client.close()
        if server is not None:
            server.stop()
        desktop.close()
    load_after = os.getloadavg()

    print(f"program: {options.game}")
    print(f"load average (1, 5, 15 min): before {load_before[0]:.2f} {load_before[1]:.2f} "
          f"{load_before[2]:.2f}, after {load_after[0]:.2f} {load_after[1]:.2f} "
          f"{load_after[2]:.2f}; median (min to max)")
    print(summary("arrow to Orca's speech request", arrow_ms))
    print(summary("marking to Orca's speech request of the count", marking_ms))
    print(summary(f"arrow {AFTER_MARKING * 1000:.0f} ms after a marking to Orca's speech",
                  delay_ms))


if __name__ == "__main__":
    main()
