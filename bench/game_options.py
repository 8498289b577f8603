"""The options every benchmark of the running game takes: which program, which sounds."""

import argparse
import os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def parser(description):
    """A parser that knows --game (the release build, else the test build) and --sounds."""
    result = argparse.ArgumentParser(description=description,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    release = os.path.join(ROOT, "build", "release", "tolvos")
    result.add_argument("--game", default=release if os.path.exists(release)
                        else os.path.join(ROOT, "build", "test", "tolvos"))
    result.add_argument("--sounds", help="folder of snd.wav and snd2.wav (default: the game's)")
    return result


def sounds_folder(options):
    return options.sounds or os.path.dirname(os.path.abspath(options.game))
