"""A whole game played through the accessibility bus, down to the best-score table and file."""

from tolvos_e2e import a11y
from tolvos_e2e.board import EMPTY, next_move, points
from tolvos_e2e.files import (DEFAULT_TABLE, SCORE_FILE, enter_score, score_file_bytes,
                              table_lines)
from tolvos_e2e.suite import GameTestCase, main, setUpModule, tearDownModule  # noqa: F401

# An accented name must reach the file in its single-byte code page.
PLAYER = "Núñez"
OK = ("OK", "Aceptar")


def shown(count):
    return f"{count} Tolvos marcados, vuelva a pulsar para eliminarlos"


def spoken(count):
    return f"es {count} tolvos marcados. Vuelva a pulsar para eliminarlos"


def name_prompt(score):
    return (f"La partida ha terminado. Ha conseguido {score} Puntos. "
            "Introduzca su nombre para la tabla de mejores puntuaciones.")


class FullGameTest(GameTestCase):

    def play_to_the_last_group(self, game):
        """Marks and removes group after group; returns the score before the last removal
        and the size of the last group, whose removal is left pressed but not waited for."""
        board = game.board()
        score = 0
        for move in range(1, 151):
            group = next_move(board)
            count = len(group)
            index = min(group)  # any block of a group marks it and then removes it
            try:
                mark = self.speech.mark()
                game.press(index)
                game.wait_for_message_line(shown(count))
                self.speech.wait_for(mark, [spoken(count)])

                after = board.without(group)
                game.press(index)
                if after.is_empty():
                    return score, count
                score += points(count)
                game.wait_for_score_line(f"{score} puntos")
                self.assertEqual("", game.message_line())
                board = game.wait_for_board(after)
            except AssertionError as error:
                raise AssertionError(f"move {move}, block {index} of a group of {count} on\n"
                                     f"{board}\n{error}") from None
        self.fail("150 moves and the board is not empty")

    def test_a_cleared_board_enters_the_player_in_the_best_scores(self):
        game = self.start_game()
        score_before, last = self.play_to_the_last_group(game)
        score = score_before + points(last)
        # Every block scores at least 10, so clearing the board beats the lowest entry.
        self.assertGreater(score, DEFAULT_TABLE[0][1])

        # The last removal ends the game inside its click: the frozen empty board, the old score
        # on the score line, and the box asking for a name with the full score.
        box = game.wait_for_box("Game over")
        self.assertEqual(name_prompt(score), game.box_text(box))
        self.assertEqual([EMPTY] * 150, game.captions())
        self.assertFalse(any(a11y.is_enabled(b) for b in game.buttons))
        self.assertEqual(("", f"{score_before} puntos"), game.labels())

        fields = a11y.find_all(box, a11y.ROLE_TEXT)
        self.assertEqual(1, len(fields))
        game.client.set_text(fields[0], PLAYER)
        game.answer(box, OK)

        table = enter_score(DEFAULT_TABLE, PLAYER, score)
        box = game.wait_for_box("Mejores puntuaciones")
        self.assertEqual(table_lines(table), game.box_text(box).splitlines())
        # The table is saved before it is shown.
        self.assertEqual(score_file_bytes(table), game.file(SCORE_FILE))
        game.close_box(box)

        # The click goes on: the score line catches up, and the redraws that enclosed the end
        # of the game leave every cell empty and out of play.
        game.wait_for_score_line(f"{score} puntos")
        self.assertEqual([EMPTY] * 150, game.captions())
        self.assertFalse(any(a11y.is_enabled(b) for b in game.buttons))

        # The exit item ends the program; started again, it reads the table back.
        game.choose("Salir Alt-F4")
        self.assertEqual(0, game.wait_for_exit())
        again = self.start_game(game.folder)
        again.choose("Mejores puntuaciones...")
        box = again.wait_for_box("Mejores puntuaciones")
        self.assertEqual(table_lines(table), again.box_text(box).splitlines())
        again.close_box(box)
        self.assertEqual(score_file_bytes(table), again.file(SCORE_FILE))


if __name__ == "__main__":
    main()
