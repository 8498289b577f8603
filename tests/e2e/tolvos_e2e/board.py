"""The board as a player reads it (150 captions) and what a removal should make of it."""

COLUMNS = 15
ROWS = 10
CELLS = COLUMNS * ROWS
LETTERS = ("A", "E", "i", "O", "U")  # the captions of the five colours
EMPTY = "."                          # the caption of an empty cell after a redraw


def points(count):
    """Points of one removal: 10 for the first block, 20 for the second, and so on."""
    return 5 * count * (count + 1)


class Board:
    """150 captions in button order: cell (column, row) is button row * 15 + column."""

    def __init__(self, captions):
        captions = tuple(captions)
        if len(captions) != CELLS:
            raise ValueError(f"{len(captions)} captions, not {CELLS}")
        strange = sorted({c for c in captions if c not in LETTERS and c != EMPTY})
        if strange:
            raise ValueError(f"captions that are neither a block nor an empty cell: {strange}")
        self.captions = captions

    def __eq__(self, other):
        return isinstance(other, Board) and self.captions == other.captions

    def __repr__(self):
        rows = (" ".join(f"{c:1}" for c in self.captions[r * COLUMNS:(r + 1) * COLUMNS])
                for r in range(ROWS))
        return "Board(\n  " + "\n  ".join(rows) + ")"

    def at(self, column, row):
        return self.captions[row * COLUMNS + column]

    def is_empty(self):
        return all(c == EMPTY for c in self.captions)

    def group(self, index):
        """Button indexes of the blocks of index's colour joined to it through the four sides."""
        colour = self.captions[index]
        if colour == EMPTY:
            return frozenset()
        return self._flood(index, colour)

    def _flood(self, index, colour):
        found = {index}
        pending = [index]
        while pending:
            cell = pending.pop()
            column, row = cell % COLUMNS, cell // COLUMNS
            for dc, dr in ((-1, 0), (0, -1), (1, 0), (0, 1)):
                c, r = column + dc, row + dr
                if 0 <= c < COLUMNS and 0 <= r < ROWS:
                    neighbour = r * COLUMNS + c
                    if neighbour not in found and self.captions[neighbour] == colour:
                        found.add(neighbour)
                        pending.append(neighbour)
        return frozenset(found)

    def groups(self):
        """Every group on the board, each once, keyed by its lowest button index."""
        seen = set()
        result = []
        for index, caption in enumerate(self.captions):
            if caption != EMPTY and index not in seen:
                group = self.group(index)
                seen |= group
                result.append(group)
        return result

    def fall_steps(self, group):
        """How many one-row steps the blocks above group take to come to rest."""
        steps = 0
        for column in range(COLUMNS):
            gaps = 0
            for row in range(ROWS - 1, -1, -1):
                index = row * COLUMNS + column
                if index in group or self.captions[index] == EMPTY:
                    gaps += 1
                elif gaps:
                    steps = max(steps, gaps)
        return steps

    def without(self, group):
        """The board at rest after group has gone: blocks fallen, empty columns closed up."""
        columns = []
        for column in range(COLUMNS):
            blocks = [self.at(column, row) for row in range(ROWS)
                      if row * COLUMNS + column not in group and self.at(column, row) != EMPTY]
            if blocks:
                columns.append([EMPTY] * (ROWS - len(blocks)) + blocks)
        columns += [[EMPTY] * ROWS] * (COLUMNS - len(columns))
        return Board(columns[index % COLUMNS][index // COLUMNS] for index in range(CELLS))


def next_move(board):
    """The group to take next: the one whose blocks fall least, the largest among those.

    Falls take a second a row on the real clock, so a game played this way ends in a fraction
    of the time a largest-first game takes, and still scores at least 10 points a block.
    """
    return min(board.groups(), key=lambda g: (board.fall_steps(g), -len(g), min(g)))
