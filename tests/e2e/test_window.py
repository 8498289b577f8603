"""The window as a screen reader meets it at start-up: grid, lines, menu, keys and boxes."""

import os

from tolvos_e2e import a11y
from tolvos_e2e.board import CELLS, COLUMNS, LETTERS
from tolvos_e2e.files import (DEFAULT_TABLE, LANGUAGE_FILE, SCORE_FILE, score_file_bytes,
                              table_lines)
from tolvos_e2e.suite import GameTestCase, main, setUpModule, tearDownModule  # noqa: F401
from tolvos_e2e.waiting import wait_until

WELCOME = "es Bienvenido a TOLVOS. Utilice el cursor de Jaws para jugar. Velmar."

# Tree order of the menu: (name, action, key binding). An item with a shortcut reports it as
# its binding; an item without one reports its access key.
MENU = [
    ("Juego", "ShowMenu", "Alt+J"),
    ("Nuevo juego", "Press", "F2"),
    ("Mejores puntuaciones...", "Press", "Ctrl+P"),
    ("Instrucciones", "Press", "F1"),
    ("Idioma", "ShowMenu", "Alt+d"),
    ("Español", "Press", "Ctrl+E"),
    ("English", "Press", "Ctrl+N"),
    ("Salir Alt-F4", "Press", "Alt+S"),
]


class StartUpTest(GameTestCase):

    def test_first_start_shows_a_dealt_grid_in_reading_order(self):
        mark = self.speech.mark()
        game = self.start_game()

        self.assertEqual("TOLVOS", game.title())
        captions = game.captions()
        self.assertEqual(CELLS, len(captions))
        self.assertLessEqual(set(captions), set(LETTERS))
        # Every colour turns up among 150 random blocks unless the deal is broken.
        self.assertEqual(set(LETTERS), set(captions))
        self.assertTrue(all(a11y.is_showing(b) and a11y.is_enabled(b) for b in game.buttons))
        self.assertEqual(("", "0 puntos"), game.labels())

        # Button k is cell (k mod 15, k div 15): one size, edge to edge, row after row.
        places = [a11y.extents(b) for b in game.buttons]
        x0, y0, width, height = places[0]
        self.assertGreater(width, 10)
        for index, (x, y, w, h) in enumerate(places):
            with self.subTest(button=index):
                column, row = index % COLUMNS, index // COLUMNS
                self.assertLessEqual(abs(w - width) + abs(h - height), 2)
                self.assertLessEqual(abs(x - (x0 + column * width)), column)
                self.assertLessEqual(abs(y - (y0 + row * height)), row)

        # One text spoken, the welcome; the best scores written at once, no language file.
        self.speech.wait_for(mark, [WELCOME])
        self.assertEqual(score_file_bytes(DEFAULT_TABLE), game.file(SCORE_FILE))
        self.assertFalse(os.path.exists(os.path.join(game.folder, LANGUAGE_FILE)))

    def test_survey_keys_speak_the_board_and_move_the_focus(self):
        mark = self.speech.mark()
        game = self.start_game()
        self.speech.wait_for(mark, [WELCOME])
        board = game.board()
        groups = board.groups()  # in the order of their first blocks: max() takes the first
        largest = max(groups, key=len)
        colours = ", ".join(f"{board.captions.count(letter)} {letter}" for letter in LETTERS)

        mark = self.speech.mark()
        game.key("s")
        self.speech.wait_for(mark, [f"es quedan 150 tolvos: {colours}; {len(groups)} grupos, "
                                    f"el mayor de {len(largest)}"])
        mark = self.speech.mark()
        game.key("g")
        self.speech.wait_for(mark, [f"es grupo de {len(largest)}"])
        wait_until(lambda: a11y.is_focused(game.buttons[min(largest)]),
                   "the focus on the largest group's first block")

    def test_menu_items_carry_their_shortcut_and_access_keys(self):
        game = self.start_game()
        items = game.menu_items()
        seen = []
        for item in items:
            actions = a11y.action_names(item)
            seen.append((a11y.name(item), actions[0] if actions else None,
                         a11y.key_binding(item, actions[0]) if actions else None))
        self.assertEqual(MENU, seen)
        # The menu is closed: only its title shows, in the menu bar.
        self.assertEqual([True] + [False] * (len(MENU) - 1), [a11y.is_showing(i) for i in items])

    def test_shortcut_keys_reach_their_commands(self):
        game = self.start_game()

        game.key("F1")
        box = game.wait_for_box("Instrucciones para Tolvos")
        self.assertTrue(game.box_text(box).startswith(
            "Elimine todos los tolvos de la pantalla consiguiendo la mejor puntuación."))
        game.close_box(box)

        game.key("ctrl+p")
        box = game.wait_for_box("Mejores puntuaciones")
        self.assertEqual(table_lines(DEFAULT_TABLE), game.box_text(box).splitlines())
        game.close_box(box)

        # F2 deals anew, also with a group marked: the message line is cleared.
        before = game.captions()
        game.press(0)
        game.wait_for_message_line(
            f"{len(game.board().group(0))} Tolvos marcados, vuelva a pulsar para eliminarlos")
        game.key("F2")
        game.wait_for_message_line("")
        self.assertEqual("0 puntos", game.score_line())
        self.assertNotEqual(before, game.captions())

    def test_access_keys_open_the_menu_and_choose_from_it(self):
        game = self.start_game()
        menu_open = lambda: a11y.is_showing(game.menu_item("Nuevo juego"))  # noqa: E731

        game.key("alt+j")
        wait_until(menu_open, "the game menu to open")
        game.key_in_menu("m")
        game.close_box(game.wait_for_box("Mejores puntuaciones"))

        game.key("alt+j")
        wait_until(menu_open, "the game menu to open")
        game.key_in_menu("s")
        self.assertEqual(0, game.wait_for_exit())

    def test_best_scores_item_shows_the_table_and_leaves_the_game_alone(self):
        game = self.start_game()
        before = game.captions()
        game.choose("Mejores puntuaciones...")
        box = game.wait_for_box("Mejores puntuaciones")
        self.assertEqual(table_lines(DEFAULT_TABLE), game.box_text(box).splitlines())
        game.close_box(box)
        self.assertEqual(before, game.captions())
        self.assertEqual(("", "0 puntos"), game.labels())
        self.assertEqual(score_file_bytes(DEFAULT_TABLE), game.file(SCORE_FILE))


if __name__ == "__main__":
    main()
