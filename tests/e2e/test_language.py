"""The language chosen from the menu or with its keys, its file, and a start in English."""

from tolvos_e2e import a11y
from tolvos_e2e.board import points
from tolvos_e2e.files import LANGUAGE_FILE, language_file_bytes
from tolvos_e2e.suite import GameTestCase, main, setUpModule, tearDownModule  # noqa: F401
from tolvos_e2e.waiting import wait_for_value

# (name, key binding) of every menu item in tree order, once a language has been applied: an
# item with a shortcut reports it, one without reports its access key.
ENGLISH_MENU = [("Game", "Alt+G"), ("New game", "F2"), ("Best records", "Ctrl+P"),
                ("Instructions...", "F1"), ("Language", "Alt+L"), ("Español", "Ctrl+E"),
                ("English", "Ctrl+N"), ("Exit  Alt - F4", "Alt+E")]
SPANISH_MENU = [("Juego", "Alt+J"), ("Nuevo juego", "F2"), ("Mejores puntuaciones", "Ctrl+P"),
                ("Instrucciones...", "F1"), ("Idioma", "Alt+d"), ("Español", "Ctrl+E"),
                ("English", "Ctrl+N"), ("Salir Alt - F4", "Alt+S")]
WELCOME_EN = "en Welcome to Tolvos. Use the Jaws cursor to play. Velmar"


def menu(game):
    return [(a11y.name(item), a11y.key_binding(item, a11y.action_names(item)[0]))
            for item in game.menu_items()]


def small_group(board, exclude=frozenset()):
    """A group whose removal moves nothing, away from exclude."""
    return min((g for g in board.groups() if not g & exclude),
               key=lambda g: (board.fall_steps(g), -len(g)))


class LanguageTest(GameTestCase):

    def test_english_from_the_menu_is_kept_for_the_next_start(self):
        game = self.start_game()
        board = game.board()
        first = small_group(board)
        game.press(min(first))
        spanish_message = f"{len(first)} Tolvos marcados, vuelva a pulsar para eliminarlos"
        game.wait_for_message_line(spanish_message)

        game.choose("English")
        wait_for_value(game.title, "Tolvos", "the English window title")
        game.find_blocks()  # a new place makes each block a new accessible object
        self.assertEqual(ENGLISH_MENU, menu(game))
        # The message line keeps the language it was written in; the score line follows.
        self.assertEqual((spanish_message, "0 points"), game.labels())
        self.assertEqual(language_file_bytes(1), game.file(LANGUAGE_FILE))

        # A group is selected, so marking another one is a re-marking.
        second = small_group(board, first)
        mark = self.speech.mark()
        game.press(min(second))
        game.wait_for_message_line(
            f"{len(second)} tolvos marked out. Click again to remove them")
        self.speech.wait_for(
            mark, [f"en {len(second)} tolvos marked out. Click again to remove them"])
        game.press(min(second))
        game.wait_for_score_line(f"{points(len(second))} points")

        game.choose("Exit  Alt - F4")
        self.assertEqual(0, game.wait_for_exit())

        mark = self.speech.mark()
        game = self.start_game(game.folder)
        self.assertEqual("Tolvos", game.title())
        self.assertEqual(ENGLISH_MENU, menu(game))
        self.assertEqual(("", "0 points"), game.labels())
        self.speech.wait_for(mark, [WELCOME_EN])
        self.assertEqual(language_file_bytes(1), game.file(LANGUAGE_FILE))

        # A first marking in English shows its own text and speaks the common one.
        board = game.board()
        group = small_group(board)
        mark = self.speech.mark()
        game.press(min(group))
        english_message = f"{len(group)} tolvos marked. Click again to remove them"
        game.wait_for_message_line(english_message)
        self.speech.wait_for(
            mark, [f"en {len(group)} tolvos marked out. Click again to remove them"])

        # Ctrl+E goes back to Spanish from anywhere in the window.
        game.key("ctrl+e")
        wait_for_value(game.title, "TOLVOS", "the Spanish window title")
        self.assertEqual(SPANISH_MENU, menu(game))
        self.assertEqual((english_message, "0 puntos"), game.labels())
        self.assertEqual(language_file_bytes(0), game.file(LANGUAGE_FILE))


if __name__ == "__main__":
    main()
