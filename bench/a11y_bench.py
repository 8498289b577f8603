#!/usr/bin/python3
"""How fast the program is for a screen reader, on this machine, in one run.

Starts the program several times on a private X display with the accessibility bus and the
recording speech server, and reports the median of:
  - program start to its window being mapped (an X map event),
  - program start to the 150 block buttons being readable over the accessibility bus,
  - resident memory 3 s after start,
  - an accessibility Press on a block to the new text of the message line.

    bench/a11y_bench.py [--game build/release/tolvos] [--runs 7] [--presses 5]

By default it takes the release build (see README), else the test build.
"""

import ctypes
import os
import select
import statistics
import sys
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from gi.repository import GLib  # noqa: E402

import game_options  # noqa: E402
from tolvos_e2e import a11y  # noqa: E402
from tolvos_e2e.board import CELLS, LETTERS, next_move  # noqa: E402
from tolvos_e2e.game import Game, install  # noqa: E402
from tolvos_e2e.session import Desktop  # noqa: E402
from tolvos_e2e.speech import SpeechServer  # noqa: E402
from tolvos_e2e.waiting import wait_until  # noqa: E402

MEMORY_AFTER = 3.0  # seconds after start


class _XMapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("override_redirect", ctypes.c_int)]


class _XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmap", _XMapEvent), ("pad", ctypes.c_long * 24)]


class MapWatch:
    """Notes the moment the next top-level window is mapped on the display.

    Without a window manager a program maps its window straight on the root window, which
    reports it to whoever listens for changes of its children.
    """

    _MAP_NOTIFY = 19
    _SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

    def __init__(self, display):
        self._x = ctypes.CDLL("libX11.so.6")
        self._x.XOpenDisplay.restype = ctypes.c_void_p
        self._x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x.XDefaultRootWindow.restype = ctypes.c_ulong
        self._x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self._x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        for function in ("XFlush", "XPending", "XConnectionNumber", "XCloseDisplay"):
            getattr(self._x, function).argtypes = [ctypes.c_void_p]
        self._x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(_XEvent)]
        self._display = self._x.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError(f"cannot open display {display}")
        root = self._x.XDefaultRootWindow(self._display)
        self._x.XSelectInput(self._display, root, self._SUBSTRUCTURE_NOTIFY_MASK)
        self._x.XFlush(self._display)
        self.mapped_at = None
        self._thread = threading.Thread(target=self._watch, daemon=True)
        self._thread.start()

    def _watch(self, timeout=60.0):
        deadline = time.monotonic() + timeout
        fd = self._x.XConnectionNumber(self._display)
        event = _XEvent()
        while time.monotonic() < deadline:
            while self._x.XPending(self._display):
                self._x.XNextEvent(self._display, ctypes.byref(event))
                if event.type == self._MAP_NOTIFY and not event.xmap.override_redirect:
                    self.mapped_at = time.monotonic()
                    return
            select.select([fd], [], [], max(0.0, deadline - time.monotonic()))

    def wait(self, timeout=60.0):
        self._thread.join(timeout)
        self._x.XCloseDisplay(self._display)
        if self.mapped_at is None:
            raise RuntimeError("no window was mapped")
        return self.mapped_at


def readable_grid(client, pid):
    """The 150 block buttons once every one of them reads as a block, else None."""
    app = None
    for candidate in a11y.children(client.desktop):
        try:
            if candidate is not None and candidate.get_process_id() == pid:
                app = candidate
        except GLib.Error:  # an application that is just going away
            continue
    if app is None:
        return None
    for window, _ in a11y.top_windows(app, (a11y.ROLE_FRAME,)):
        buttons = a11y.find_all(window, a11y.ROLE_PUSH_BUTTON)
        if len(buttons) == CELLS and all(a11y.name(b) in LETTERS for b in buttons):
            return buttons
    return None


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def one_run(desktop, client, speech, game_binary, sounds, run, presses):
    folder = install(game_binary, sounds, desktop.folder(f"run{run}"))
    watch = MapWatch(desktop.display)
    game = Game(desktop, client, folder, speech, log_name=f"run{run}.log")
    started = time.monotonic()
    game.launch()
    try:
        pid = game.process.pid
        buttons = wait_until(lambda: readable_grid(client, pid), "a readable grid", 60.0, 0.005)
        readable = time.monotonic() - started
        mapped = watch.wait() - started

        time.sleep(max(0.0, started + MEMORY_AFTER - time.monotonic()))
        memory = resident_kib(pid)

        game.app = client.application(pid)
        game.window = game.main_window()
        game.buttons = buttons
        press_times = []
        for _ in range(presses):
            board = game.board()
            group = next_move(board)
            index = min(group)
            text = f"{len(group)} Tolvos marcados, vuelva a pulsar para eliminarlos"
            pressed = time.monotonic()
            client.press(buttons[index])
            wait_until(lambda: game.message_line() == text, "the message line", 10.0, 0.001)
            press_times.append(time.monotonic() - pressed)
            client.press(buttons[index])
            wait_until(lambda: game.message_line() == "", "the removal", 10.0)
            game.wait_for_board(board.without(group))
        return mapped, readable, memory, press_times
    finally:
        game.stop()


def main():
    parser = game_options.parser(__doc__)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--presses", type=int, default=5, help="presses timed in each run")
    options = parser.parse_args()
    if options.runs < 5:
        parser.error("at least 5 runs make a median")
    sounds = game_options.sounds_folder(options)

    desktop = Desktop()
    speech = client = None
    try:
        desktop.start()
        speech = SpeechServer(os.path.join(ROOT, "tests", "support", "speech_server.sh"),
                              desktop.folder("speech")).start()
        client = a11y.Client(desktop.a11y_bus_address)
        results = [one_run(desktop, client, speech, options.game, sounds, run, options.presses)
                   for run in range(options.runs)]
    finally:
        if client is not None:
            client.close()
        if speech is not None:
            speech.stop()
        desktop.close()

    mapped = [r[0] * 1000 for r in results]
    readable = [r[1] * 1000 for r in results]
    memory = [r[2] / 1024 for r in results]
    presses = [t * 1000 for r in results for t in r[3]]
    print(f"program: {options.game}")
    print(f"{options.runs} runs, {len(presses)} presses; median (min to max)")
    for label, values, unit in (("start to window mapped", mapped, "ms"),
                                ("start to 150 buttons readable", readable, "ms"),
                                (f"resident memory {MEMORY_AFTER:.0f} s after start", memory,
                                 "MiB"),
                                ("press to new message line", presses, "ms")):
        print(f"  {label:34} {statistics.median(values):8.1f} {unit:3} "
              f"({min(values):.1f} to {max(values):.1f})")


if __name__ == "__main__":
    main()
