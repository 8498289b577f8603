"""The game as a blind player hears it through Orca 43 or 48, the real screen reader, in Spanish.

What Orca is asked to say and show on braille comes from its own log; how its words meet comes
from the speech server, which takes 30 ms a character to "say" a text, so a text cut off shows.
The game's own texts are Orca's to say while the desktop's screen-reader switch is on.
"""

import time

from tolvos_e2e import a11y
from tolvos_e2e.board import COLUMNS, points
from tolvos_e2e.screen_reader import SERVER_RATE, TITLE, same
from tolvos_e2e.suite import (GameTestCase, main, setUpModule, tearDownModule,  # noqa: F401
                              with_screen_reader)
from tolvos_e2e.waiting import wait_until

with_screen_reader(ms_per_char=30)

WELCOME = "Bienvenido a TOLVOS. Utilice el cursor de Jaws para jugar. Velmar."
GAME = ":tolvos:main"  # how the game's connection to the speech server ends its name


def place(index, english=False):
    row, column = ("row", "column") if english else ("fila", "columna")
    return f"{row} {index // COLUMNS + 1}, {column} {index % COLUMNS + 1}."


def marking(count):
    return f"{count} tolvos marcados. Vuelva a pulsar para eliminarlos"


BACK = {"Right": "Left", "Left": "Right", "Down": "Up", "Up": "Down"}


def steps(board):
    """Blocks h, g side by side in one group, and n beside g outside it, with the keys from h
    to g and from g to n: the walk that shows the mark on a group and off it."""
    moves = (("Right", 1, 0), ("Left", -1, 0), ("Down", 0, 1), ("Up", 0, -1))
    for g in range(len(board.captions)):
        group = board.group(g)
        if len(group) < 2:
            continue
        near = {}
        for key, dc, dr in moves:
            c, r = g % COLUMNS + dc, g // COLUMNS + dr
            if 0 <= c < COLUMNS and 0 <= r < len(board.captions) // COLUMNS:
                near.setdefault(r * COLUMNS + c in group, (r * COLUMNS + c, key))
        if True in near and False in near:
            (h, h_key), (n, n_key) = near[True], near[False]
            return h, g, n, BACK[h_key], n_key
    raise AssertionError(f"no group of two beside another colour on\n{board}")


class ScreenReaderTest(GameTestCase):

    def start_heard(self, folder=None, title="TOLVOS", english=False):
        """Starts the game and gives its window the focus, as a window manager would; returns it
        once Orca has said the first block."""
        game = self.start_game(folder)
        mark = self.reader.mark()
        game.keyboard.focus(game.x_window())
        self.reader.wait_for(mark, f"{title} marco.")
        self.reader.wait_for(mark, place(0, english))
        return game

    def key_heard(self, game, key, index, caption=None, marked=False, menu=False,
                  english=False):
        """Types key and waits until Orca says block index: caption, role, place."""
        mark = self.reader.mark()
        if menu:
            game.key_in_menu(key)
        elif key.startswith("ctrl+"):
            game.chord(key)
        else:
            game.key(key)
        _, at = self.reader.wait_for(mark, place(index, english))
        said = self.reader.said_since(mark)[:at - mark + 1]
        if caption is not None:
            block = f"{caption} {'expandido ' if marked else ''}botón de pulsación."
            self.assertTrue(any(same(s, block) for s in said), f"after {key}: {said}")
        return said

    def walk_to(self, game, board, index):
        for _ in range(index // COLUMNS):
            here = self.here + COLUMNS
            self.key_heard(game, "Down", here, board.captions[here])
            self.here = here
        for _ in range(index % COLUMNS - self.here % COLUMNS):
            here = self.here + 1
            self.key_heard(game, "Right", here, board.captions[here])
            self.here = here

    def test_places_edges_marks_score_and_speech_order(self):
        server = self.speech_server
        before, queued_before = len(server.timeline()), len(server.queued())
        game = self.start_heard()
        board = game.board()
        self.here = 0

        # Orca says the welcome whole.
        self.wait_said_whole(WELCOME, after=before)

        # Moves and keys that move nothing alike say the block and its place.
        self.key_heard(game, "Right", 1, board.captions[1])
        self.key_heard(game, "Left", 0, board.captions[0])
        for key in ("Left", "Up", "Home", "ctrl+Home"):
            self.key_heard(game, key, 0, board.captions[0])

        # Marking: the key's echo, then the count said whole and put on braille; Orca speaks
        # the marked word on the group's blocks only.
        h, g, n, to_g, to_n = steps(board)
        self.walk_to(game, board, h)
        group = board.group(h)
        mark = self.reader.mark()
        game.key("Return")
        self.reader.wait_for(mark, "intro ")
        text = marking(len(group))
        spoken = self.wait_said_whole(text)
        echo = [u for u in server.timeline() if same(u.text, "intro")][-1]
        self.assertLess(echo.start, spoken.start)
        wait_until(lambda: any(same(line, text) for line in self.reader.brailled()),
                   "the count on braille")
        self.key_heard(game, to_g, g, board.captions[g], marked=True)
        self.key_heard(game, to_n, n, board.captions[n], marked=False)

        # Marking another group takes the mark away from the first; an arrow pressed 300 ms
        # later, the count being said, is spoken at once, the count giving way.
        other = board.group(n)
        after = len(server.timeline())
        game.key("Return")
        pressed = time.time()
        started = wait_until(lambda: [u for u in server.timeline()[after:]
                                      if same(u.text, marking(len(other)))],
                             "the count to begin")
        time.sleep(max(0.0, pressed + 0.3 - time.time()))
        self.key_heard(game, BACK[to_n], g, board.captions[g], marked=False)
        count = [u for u in server.timeline()[after:] if u.start == started[0].start]
        self.assertIsNone(count[0].end, "the count held the arrow back")

        # The score, from Orca's status bar command, after a removal.
        self.key_heard(game, to_n, n, board.captions[n], marked=True)
        game.key("Return")
        score = points(len(other))
        game.wait_for_score_line(f"{score} puntos")
        after = game.wait_for_board(board.without(other))
        # Orca takes its key pressed right after Return for a second press of it.
        self.key_heard(game, BACK[to_n], g, after.captions[g])
        mark = self.reader.mark()
        game.key(TITLE, TITLE)
        _, at = self.reader.wait_for(mark, f"{score} puntos.")
        # Orca 43 names the role in its locale's words, Orca 48 in English.
        said = self.reader.said_since(mark)[:at - mark]
        self.assertTrue({"barra de estado.", "status bar."} & set(said), said)

        # The game's texts, each said once: by Orca in the player's voice, none by the game.
        queued = server.queued()[queued_before:]
        self.assertEqual([], [q for q in queued if q.client.endswith(GAME)])
        orca = [q.text for q in queued if ":Orca:" in q.client and q.rate == SERVER_RATE]
        for said in (WELCOME, text, marking(len(other))):
            self.assertEqual(1, len([t for t in orca if same(t, said)]), (said, orca))

        # A new game hands the keys to the first block, which Orca says. (From the first block
        # itself it is announced anew, which the window tests check: Orca may miss that while
        # it still reads the new captions, so the player comes from another block here.)
        if g == 0:
            self.key_heard(game, "Right", 1, after.captions[1])
        mark = self.reader.mark()
        game.key("F2")
        self.reader.wait_for(mark, place(0))

        # With the switch off the game speaks for itself again, as without a screen reader.
        self.desktop.set_screen_reader_enabled(False)
        self.addCleanup(self.desktop.set_screen_reader_enabled, True)
        first = game.board().group(0)
        queued_before = len(server.queued())
        game.key("Return")
        own = wait_until(lambda: [q for q in server.queued()[queued_before:]
                                  if q.client.endswith(GAME)], "the game's own speech")
        self.assertEqual([marking(len(first))], [q.text for q in own])

    def wait_said_whole(self, text, after=0, timeout=20.0):
        """Waits until the speech server has said text to its end (the last time it began it,
        after the place after in its timeline), and returns that Utterance."""
        def whole():
            timeline = self.speech_server.timeline()[after:]
            said = [u for u in timeline if same(u.text, text)]
            if said and said[-1].end is None and timeline[-1] is not said[-1]:
                raise AssertionError(f"{text!r} was cut off: {timeline}")
            return said[-1] if said and said[-1].end is not None else None

        return wait_until(whole, f"{text!r} said to its end", timeout)

    def test_menus_escape_and_access_keys(self):
        game = self.start_heard()
        first = game.board().captions[0]

        # F10 opens the menu; Escape there only closes it: Orca is back on the block.
        mark = self.reader.mark()
        game.key("F10")
        self.reader.wait_for(mark, "Nuevo juego.")
        self.key_heard(game, "Escape", 0, first, menu=True)
        # The menu bar alone, from Alt: Escape leaves it, and asks nothing either.
        mark = self.reader.mark()
        game.chord("alt")
        self.reader.wait_for(mark, "Juego.")
        self.key_heard(game, "Escape", 0, first, menu=True)
        # On the block, Escape asks; after No the arrows speak again.
        mark = self.reader.mark()
        game.key("Escape")
        self.reader.wait_for(mark, "alerta Terminar juego.")
        game.answer(game.wait_for_box("Terminar juego"), ("No",))
        self.key_heard(game, "Right", 1, game.board().captions[1])

        # Access keys in English, after the switch and after a restart; Escape in the menu is
        # back on the block (Orca now says its place in English).
        here = 1
        for restart in (False, True):
            if restart:
                game.choose("Exit  Alt - F4")
                self.assertEqual(0, game.wait_for_exit())
                game = self.start_heard(game.folder, title="Tolvos", english=True)
                here = 0
            else:
                self.key_heard(game, "ctrl+n", here, game.board().captions[here], english=True)
                game.wait_for_score_line("0 points")
            mark = self.reader.mark()
            game.chord("alt+g")
            self.reader.wait_for(mark, "New game.")
            self.key_heard(game, "Escape", here, menu=True, english=True)
        # And Alt+J once Spanish is back.
        game.chord("ctrl+e")
        game.wait_for_score_line("0 puntos")
        mark = self.reader.mark()
        game.chord("alt+j")
        self.reader.wait_for(mark, "Nuevo juego.")
        self.assertTrue(a11y.is_showing(game.menu_item("Nuevo juego")))


if __name__ == "__main__":
    main()
