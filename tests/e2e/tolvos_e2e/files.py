"""The two small files the game keeps beside itself, as a test expects their bytes."""

DEFAULT_TABLE = (("Olem", 1000), ("Terova", 1500), ("Bastiv", 2000), ("Ismara", 2500),
                 ("Dorneu", 3000), ("Velisanda", 3500), ("Ulmer", 4000))
SCORE_FILE = "punt.dat"
LANGUAGE_FILE = "Idioma.dat"
SHIFT = 17
CODE_PAGE = "cp1252"


def enter_score(table, player, score):
    """The table (lowest first) after score has been entered for player.

    The entry goes directly below the lowest entry that has at least as many points; the
    lowest entry of the old table drops out.
    """
    entries = list(table)
    place = 0
    while place < len(entries) and entries[place][1] < score:
        place += 1
    return tuple(entries[1:place] + [(player.strip(), score)] + entries[place:])


def score_file_bytes(table):
    """punt.dat for table: every field and its backslash, each byte moved down 17, CR LF."""
    record = "".join(f"{player}\\{score}\\" for player, score in table)
    return bytes(byte - SHIFT for byte in record.encode(CODE_PAGE)) + b"\r\n"


def table_lines(table):
    """The lines of the best-score box, best first."""
    return [f"{player}: {score}" for player, score in reversed(table)]


def language_file_bytes(language_index):
    return f"{language_index}=Idioma\r\n".encode("ascii")
