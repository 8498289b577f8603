"""Giving up a game with Escape: the question, its No and its Yes."""

from tolvos_e2e import a11y
from tolvos_e2e.board import points
from tolvos_e2e.suite import GameTestCase, main, setUpModule, tearDownModule  # noqa: F401

QUESTION_TITLE = "Terminar juego"
QUESTION = "¿Realmente desea dar la partida por terminada?"
YES, NO = ("Sí", "Yes"), ("No",)


def shown(count):
    return f"{count} Tolvos marcados, vuelva a pulsar para eliminarlos"


class EscapeTest(GameTestCase):

    def ask_to_give_up(self, game):
        game.key("Escape")
        box = game.wait_for_box(QUESTION_TITLE)
        self.assertEqual(QUESTION, game.box_text(box))
        self.assertEqual(2, len(game.box_buttons(box)))
        return box

    def test_no_goes_on_with_the_game_and_yes_ends_it(self):
        game = self.start_game()
        board = game.board()
        # A group small enough that its points stay below the lowest best score, and whose
        # removal moves nothing, so the board is known at once.
        group = min((g for g in board.groups() if len(g) <= 13),
                    key=lambda g: (board.fall_steps(g), -len(g)))
        index = min(group)
        game.press(index)
        game.wait_for_message_line(shown(len(group)))

        game.answer(self.ask_to_give_up(game), NO)
        self.assertEqual(board.captions, tuple(game.captions()))
        self.assertEqual((shown(len(group)), "0 puntos"), game.labels())
        self.assertTrue(all(a11y.is_enabled(b) for b in game.buttons), "a No ended the game")

        # The group is still selected: the next press on its block removes it.
        game.press(index)
        score = points(len(group))
        game.wait_for_score_line(f"{score} puntos")
        after = game.wait_for_board(board.without(group))

        game.answer(self.ask_to_give_up(game), YES)
        box = game.wait_for_box("Game over")
        self.assertEqual(f"La partida ha terminado. Ha conseguido {score} puntos.",
                         game.box_text(box))
        game.close_box(box)
        # The board stays as it was, frozen.
        self.assertEqual(after.captions, tuple(game.captions()))
        self.assertFalse(any(a11y.is_enabled(b) for b in game.buttons))

        # Asked again once the game is over, a Yes changes nothing and shows nothing: the next
        # command finds the window free.
        game.answer(self.ask_to_give_up(game), YES)
        game.key("ctrl+p")
        game.close_box(game.wait_for_box("Mejores puntuaciones"))
        self.assertEqual(after.captions, tuple(game.captions()))
        self.assertEqual(("", f"{score} puntos"), game.labels())


if __name__ == "__main__":
    main()
