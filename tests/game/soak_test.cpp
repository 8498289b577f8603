// Random play on the virtual clock, clicks also during falls, with the game's invariants
// checked after every event. TOLVOS_SOAK_GAMES sets the number of games (default 40).
#include <cstdlib>
#include <random>

#include "game/engine_fixture.h"

namespace {

class SoakTest : public EngineTest {
 protected:
  int CountBlocks() const {
    int n = 0;
    for (int k = 0; k < kCells; ++k) n += engine.Board(ColumnOf(k), RowOf(k)) > 0;
    return n;
  }

  void CheckBoardCodes() {
    for (int k = 0; k < kCells; ++k) {
      const int code = engine.Board(ColumnOf(k), RowOf(k));
      ASSERT_TRUE(code >= 0 && code <= 5) << "cell " << k;
    }
  }

  // At rest: columns closed up from the right, blocks resting on blocks or the bottom, and
  // the window showing Board (marked cells may be white while a group is selected).
  void CheckAtRest() {
    for (int c = 0; c < kColumns; ++c) {
      int blocks = 0;
      for (int r = 0; r < kRows; ++r) {
        blocks += engine.Board(c, r) > 0;
        if (r < kRows - 1 && engine.Board(c, r) > 0) {
          ASSERT_GT(engine.Board(c, r + 1), 0) << "block in the air at " << c << "," << r;
        }
      }
      if (c < engine.ColumnsInUse) {
        ASSERT_GT(blocks, 0) << "empty column " << c << " in use";
      } else {
        ASSERT_EQ(0, blocks) << "column " << c << " beyond use";
      }
    }
    if (engine.SelectedIndex != -1) return;
    for (int k = 0; k < kCells; ++k) {
      const int code = engine.Board(ColumnOf(k), RowOf(k));
      const FakeButton& b = window.at(k);
      ASSERT_EQ(code ? engine.ColourLetters[code] : ".", b.caption) << k;
      ASSERT_EQ(code ? engine.ColourValues[code] : 0u, b.back_color) << k;
      ASSERT_TRUE(b.visible) << k;
      ASSERT_EQ(RowOf(k) * 500.0f, b.top) << k;
    }
  }

  void Click(int k, std::int32_t& expected_score) {
    const bool removal = engine.SelectedIndex == k;
    const int n = engine.MarkedCount, blocks = CountBlocks();
    engine.Command1_Click(static_cast<std::int16_t>(k));
    if (removal) {
      expected_score += 5 * n * (n + 1);
      ASSERT_EQ(blocks - n, CountBlocks()) << "removed other than the announced group";
    }
    ASSERT_EQ(expected_score, engine.Score);
  }

  void PlayOneGame(std::mt19937& rng) {
    std::vector<int> codes(kCells);
    std::uniform_int_distribution<int> colour(1, 5 - static_cast<int>(rng() % 3));
    for (int& code : codes) code = colour(rng);
    random.SetCodes(codes);
    engine.NewGame();
    dialogs.typed = {"Soak"};  // the name box appears when the score earns a place
    std::int32_t expected_score = 0;
    std::uniform_int_distribution<int> cell(0, kCells - 1), wait(0, 1200), pick(0, 9);
    for (int event = 0; event < 4000 && engine.GameEnded == kVbFalse; ++event) {
      const int action = pick(rng);
      if (action < 3) {
        clock.AdvanceBy(wait(rng));
      } else if (action < 5) {
        ASSERT_TRUE(clock.RunUntilIdle());
        ASSERT_NO_FATAL_FAILURE(CheckAtRest());
      } else {
        // Mostly a block of the board, often the selected one: the game must end.
        int k = cell(rng);
        if (action >= 7 && engine.SelectedIndex != -1) k = engine.SelectedIndex;
        if (!window.at(k).visible || !window.at(k).enabled) continue;
        ASSERT_NO_FATAL_FAILURE(Click(k, expected_score));
      }
      ASSERT_NO_FATAL_FAILURE(CheckBoardCodes());
    }
    ASSERT_TRUE(clock.RunUntilIdle());
    ASSERT_NO_FATAL_FAILURE(CheckAtRest());
  }
};

TEST_F(SoakTest, RandomPlayKeepsTheBoardScoreAndWindowConsistent) {
  const char* env = std::getenv("TOLVOS_SOAK_GAMES");
  const int games = env ? std::atoi(env) : 40;
  std::mt19937 rng(20261207);
  int ended = 0;
  for (int game = 0; game < games; ++game) {
    SCOPED_TRACE(testing::Message() << "game " << game);
    ASSERT_NO_FATAL_FAILURE(PlayOneGame(rng));
    ended += engine.GameEnded == kVbTrue;
  }
  EXPECT_GT(ended, games / 2);  // the random player finishes most games
}

}  // namespace
