"""The real game, started in a folder of its own and seen through the accessibility bus."""

import os
import re
import shutil
import subprocess

from . import a11y
from .board import CELLS, Board
from .waiting import wait_for_value, wait_until

SOUND_FILES = ("snd.wav", "snd2.wav")

# What the sanitizers of a test build print when they catch a fault.
_SANITIZER_REPORT = re.compile(r"ERROR: (Address|Leak|Undefined)Sanitizer|runtime error:")


def program_environment(speech):
    """What the program is given beside the desktop's own variables."""
    env = {
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        "QT_QPA_PLATFORM": "xcb",
        # A sound device that takes everything and plays nothing: the sounds go through the
        # mixer as on a desktop with speakers.
        "SDL_AUDIODRIVER": "dummy",
        # The test build is sanitized; Qt and the libraries below it keep some memory until
        # exit on purpose, which is no fault of the game.
        "ASAN_OPTIONS": "detect_leaks=0",
        "UBSAN_OPTIONS": "print_stacktrace=1",
        # Never start a speech server of its own.
        "SPEECHD_CMD": "/bin/false",
    }
    if speech is not None:
        env["SPEECHD_ADDRESS"] = speech.address
    return env


def install(binary, sounds, folder):
    """Copies the program and its two sounds into folder, as an installation would lay them."""
    os.makedirs(folder, exist_ok=True)
    shutil.copy2(binary, os.path.join(folder, "tolvos"))
    for sound in SOUND_FILES:
        shutil.copy2(os.path.join(sounds, sound), os.path.join(folder, sound))
    return folder


class Game:
    """One run of the program in folder; start() waits until its window can be read."""

    def __init__(self, desktop, client, folder, speech=None, log_name="tolvos.log"):
        self.desktop = desktop
        self.client = client
        self.folder = folder
        self.speech = speech
        self.log_name = log_name
        self.process = None
        self.app = None
        self.window = None
        self.buttons = []
        self.keyboard = a11y.Keyboard(desktop.env)
        self._x_window = None

    # Start and end.

    def launch(self):
        """Starts the program from another working directory; it finds its folder itself."""
        self.process = self.desktop.spawn([os.path.join(self.folder, "tolvos")], self.log_name,
                                          program_environment(self.speech), cwd="/")
        return self.process

    def start(self, timeout=60.0):
        self.launch()
        self.app = self.client.application(self.process.pid, timeout)
        self.window = self.main_window()
        return self.find_blocks(timeout)

    def find_blocks(self, timeout=60.0):
        self.buttons = wait_until(self._grid, "the 150 block buttons", timeout)
        return self

    def main_window(self):
        frames = a11y.top_windows(self.app, (a11y.ROLE_FRAME,))
        if len(frames) != 1:
            raise AssertionError(f"expected one main window, found {[t for _, t in frames]}")
        return frames[0][0]

    def _grid(self):
        buttons = a11y.find_all(self.window, a11y.ROLE_PUSH_BUTTON)
        return buttons if len(buttons) == CELLS else None

    def log(self):
        with open(self.desktop.log_path(self.log_name), "r", errors="replace") as log:
            return log.read()

    def check_log(self):
        """Fails when the program reported a sanitizer fault."""
        text = self.log()
        if _SANITIZER_REPORT.search(text):
            raise AssertionError("the game reported a fault:\n" + text[-6000:])

    def wait_for_exit(self, timeout=20.0):
        try:
            code = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the game did not end within {timeout} s") from None
        self.check_log()
        return code

    def stop(self):
        """Ends the program if it still runs; fails if it reported a fault."""
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if self.process is not None:
            self.check_log()

    # Reading the window.

    def title(self):
        return a11y.name(self.window)

    def captions(self):
        return [a11y.name(b) for b in self.buttons]

    def board(self):
        return Board(self.captions())

    def labels(self):
        """(message line, score line): the left and the right label on the line below the grid.

        Further down, the window may hold other labels (an empty picture, the text a screen
        reader was last given); they are not lines. A hidden one has no place.
        """
        placed = sorted((a11y.extents(label)[1], a11y.extents(label)[0], a11y.name(label))
                        for label in a11y.find_all(self.window, a11y.ROLE_LABEL, a11y.is_showing))
        if len(placed) < 2 or placed[0][0] != placed[1][0]:
            raise AssertionError(f"no two labels side by side at the top: {placed}")
        return placed[0][2], placed[1][2]

    def message_line(self):
        return self.labels()[0]

    def score_line(self):
        return self.labels()[1]

    def wait_for_board(self, expected, timeout=30.0):
        return wait_for_value(self.board, expected, "the board to come to rest", timeout)

    def wait_for_message_line(self, text, timeout=10.0):
        return wait_for_value(self.message_line, text, "the message line", timeout)

    def wait_for_score_line(self, text, timeout=10.0):
        return wait_for_value(self.score_line, text, "the score line", timeout)

    # The menu.

    def menu_items(self):
        return a11y.find_all(self.window, a11y.ROLE_MENU_ITEM)

    def menu_item(self, caption):
        items = [m for m in self.menu_items() if a11y.name(m) == caption]
        if len(items) != 1:
            raise AssertionError(f"{len(items)} menu items {caption!r} among "
                                 f"{[a11y.name(m) for m in self.menu_items()]}")
        return items[0]

    def choose(self, caption):
        """Presses a menu item without opening its menu, as a screen reader may."""
        self.client.press(self.menu_item(caption))

    # Playing.

    def press(self, index):
        self.client.press(self.buttons[index])

    def x_window(self):
        if self._x_window is None:
            self._x_window = self.keyboard.window_of(self.process.pid)
        return self._x_window

    def key(self, *keys):
        """Types keys into the main window, after giving it the X focus."""
        self.keyboard.key(self.x_window(), *keys)

    def chord(self, combo, in_menu=False):
        """Types one key with modifiers as a hand does (see a11y.Keyboard.chord), into the main
        window, or into an open menu."""
        self.keyboard.chord(None if in_menu else self.x_window(), combo)

    def key_in_menu(self, *keys):
        """Types keys into an open menu, which holds the keyboard while it is open."""
        self.keyboard.key(None, *keys)

    # Boxes.

    def wait_for_box(self, title, timeout=10.0):
        return a11y.wait_for_window(self.app, title, timeout)

    def wait_for_box_gone(self, title, timeout=10.0):
        a11y.wait_for_window_gone(self.app, title, timeout)

    def box_text(self, box):
        """The text a message or input box shows (its one label that has a text)."""
        texts = [t for t in a11y.label_texts(box) if t]
        if len(texts) != 1:
            raise AssertionError(f"expected one text in {a11y.name(box)!r}, found {texts}")
        return texts[0]

    def box_buttons(self, box):
        return [a11y.name(b) for b in a11y.find_all(box, a11y.ROLE_PUSH_BUTTON)]

    def answer(self, box, captions):
        """Presses the box's button whose caption is one of captions (a language's forms)."""
        buttons = [b for b in a11y.find_all(box, a11y.ROLE_PUSH_BUTTON)
                   if a11y.name(b) in captions]
        if len(buttons) != 1:
            raise AssertionError(f"no single button among {captions} in {a11y.name(box)!r}: "
                                 f"{self.box_buttons(box)}")
        title = a11y.name(box)
        self.client.press(buttons[0])
        self.wait_for_box_gone(title)

    def close_box(self, box):
        """Closes an information box through its only button."""
        buttons = self.box_buttons(box)
        if len(buttons) != 1:
            raise AssertionError(f"an information box has one button, {a11y.name(box)!r} has "
                                 f"{buttons}")
        self.answer(box, buttons)

    def file(self, name):
        path = os.path.join(self.folder, name)
        with open(path, "rb") as stored:
            return stored.read()
