// Empty columns closing up, the nested redraws, and the end of a game by an empty board.
#include "game/engine_fixture.h"

namespace {

class CollapseTest : public EngineTest {
 protected:
  // Counts full redraws: each one places button 149 last.
  int Redraws() const { return window.at(149).left_sets; }
};

TEST_F(CollapseTest, RightmostColumnInUseStillCountsAsAClosing) {
  struct Case {
    int columns_in_use;  // columns beyond it are emptied first
  } cases[] = {{15}, {13}, {1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.columns_in_use);
    DealCheckerboard();
    for (int col = c.columns_in_use; col < kColumns; ++col)
      for (int r = 0; r < kRows; ++r) engine.Board(col, r) = 0;
    engine.ColumnsInUse = static_cast<std::int16_t>(c.columns_in_use);
    const int last = c.columns_in_use - 1;
    for (int r = 0; r < kRows; ++r) engine.Board(last, r) = 3;  // one group, the whole column
    sound.sound2_plays = 0;
    const Grid before = engine.Board;

    Remove(ButtonOf(last, 0));
    EXPECT_EQ(1, sound.sound2_plays);
    EXPECT_EQ(c.columns_in_use - 1, engine.ColumnsInUse);
    for (int col = 0; col < last; ++col)  // nothing to its left moved
      for (int r = 0; r < kRows; ++r) EXPECT_EQ(before(col, r), engine.Board(col, r));
    EXPECT_FALSE(clock.AnyRunning());
    ExpectWindowMatchesBoard();
  }
}

TEST_F(CollapseTest, TwoColumnsApartCloseInNestedRedraws) {
  // Columns 2 and 5 and the top cells of 3 and 4 are one group of 3s: nothing falls.
  std::vector<std::string> rows(kRows);
  for (int r = 0; r < kRows; ++r)
    rows[r] = (r % 2 ? "21" : "12") + std::string(r ? "312312121212" : "333312121212") + "1";
  DealRows(rows);
  const Grid before = engine.Board;
  const int redraws_before = Redraws();
  Remove(ButtonOf(2, 9));
  ASSERT_EQ(22, engine.MarkedCount);

  EXPECT_EQ(2, sound.sound2_plays);
  EXPECT_EQ(13, engine.ColumnsInUse);
  EXPECT_EQ(3, Redraws() - redraws_before);  // the first level and one per closing
  for (int r = 0; r < kRows; ++r) {
    EXPECT_EQ(r ? before(3, r) : 0, engine.Board(2, r));
    EXPECT_EQ(r ? before(4, r) : 0, engine.Board(3, r));
    for (int col = 4; col < 13; ++col) EXPECT_EQ(before(col + 2, r), engine.Board(col, r));
    EXPECT_EQ(0, engine.Board(13, r));
    EXPECT_EQ(0, engine.Board(14, r));
  }
  ExpectWindowMatchesBoard();
}

TEST_F(CollapseTest, ClosingWaitsForTheEndOfTheFall) {
  // Column 0 is all 4s; its bottom cell joins (1, 9), so column 1 falls by one cell.
  DealCheckerboard();
  for (int r = 0; r < kRows; ++r) engine.Board(0, r) = 4;
  engine.Board(1, 9) = 4;
  Remove(ButtonOf(0, 0));
  EXPECT_EQ(11, engine.MarkedCount);
  EXPECT_EQ(15, engine.ColumnsInUse);  // the fall has begun; no redraw yet
  clock.AdvanceBy(1000);  // the fall ends: its redraw closes column 0
  EXPECT_EQ(14, engine.ColumnsInUse);
  EXPECT_EQ(1, sound.sound2_plays);
  clock.RunUntilIdle();
  EXPECT_EQ(1, sound.sound2_plays);
  ExpectWindowMatchesBoard();
}

TEST_F(CollapseTest, RemovingTheLastBlocksEndsTheGameOnce) {
  random.SetCodes({2});
  engine.NewGame();
  dialogs.typed = {"Ana"};
  Remove(77);
  EXPECT_EQ(113250, engine.Score);
  // One end of game, reporting the last group's points: the name box, then the table.
  ASSERT_EQ(2u, dialogs.shown.size());
  EXPECT_TRUE(dialogs.shown[0].input);
  EXPECT_NE(std::string::npos, dialogs.shown[0].text.find("113250"));
  EXPECT_EQ("Mejores puntuaciones", dialogs.shown[1].title);
  EXPECT_EQ(15, sound.sound2_plays);
  EXPECT_EQ(0, engine.ColumnsInUse);
  EXPECT_EQ(kVbTrue, engine.GameEnded);
  // The enclosing redraws show every button as an empty cell, still out of play.
  ExpectWindowMatchesBoard();
  EXPECT_FALSE(window.at(0).enabled);
  EXPECT_EQ("113250 puntos", window.label2);
  EXPECT_EQ(-1, engine.SelectedIndex);
}

TEST_F(CollapseTest, BoardWithoutPairsDoesNotEndTheGame) {
  DealCheckerboard();
  engine.RefreshBoard();
  EXPECT_EQ(kVbFalse, engine.GameEnded);
}

// An ended game cannot be played on, whatever redraws the rest of a fall brings; the next new
// game puts every block back in play.
TEST_F(CollapseTest, RedrawsAfterTheEndKeepEveryButtonOutOfPlay) {
  DealCheckerboard();
  Remove(ButtonOf(7, 9));
  engine.EndGame();
  const int redraws = Redraws();
  clock.RunUntilIdle();
  ASSERT_GT(Redraws(), redraws);
  EXPECT_EQ(kVbTrue, engine.GameEnded);
  ExpectWindowMatchesBoard();
  for (int k = 0; k < kCells; ++k) EXPECT_FALSE(window.at(k).enabled) << "button " << k;
  engine.NewGame();
  for (int k = 0; k < kCells; ++k) EXPECT_TRUE(window.at(k).enabled) << "button " << k;
}

// A redraw still pending when the player marks (the single tick of TmrRecolocar, the last of
// Timer1) leaves the selected group showing as marked: the next click removes what is seen.
TEST_F(CollapseTest, PendingRedrawsKeepTheSelectedGroupMarked) {
  for (const long mark_at : {1010L, 1680L}) {  // before TmrRecolocar; before Timer1's last tick
    SCOPED_TRACE(mark_at);
    DealCheckerboard();
    Remove(ButtonOf(7, 9));  // nine landings: Timer1 ends at 1750
    clock.AdvanceBy(mark_at);
    ASSERT_TRUE(clock.AnyRunning());
    engine.Command1_Click(ButtonOf(3, 9));
    const int redraws = Redraws();
    clock.RunUntilIdle();
    ASSERT_GT(Redraws(), redraws);
    ASSERT_EQ(ButtonOf(3, 9), engine.SelectedIndex);
    EXPECT_EQ(kMarkedColour, window.at(ButtonOf(3, 9)).back_color);
    EXPECT_TRUE(window.at(ButtonOf(3, 9)).marked);
    ExpectWindowMatchesBoard();
  }
}

// While the selected group goes, its flags still stand in Marked over cells that other
// blocks take: a redraw within the removal must not show those as marked.
TEST_F(CollapseTest, RemovalRedrawsShowNothingMarked) {
  DealCheckerboard();
  for (int r = 0; r < kRows; ++r) engine.Board(3, r) = 3;  // column 3 is one group
  Remove(ButtonOf(3, 0));  // nothing falls; column 4 closes into its place within the click
  ASSERT_EQ(14, engine.ColumnsInUse);
  for (int k = 0; k < kCells; ++k) EXPECT_FALSE(window.at(k).marked) << "button " << k;
  EXPECT_NE(kMarkedColour, window.at(ButtonOf(3, 0)).back_color);
}

}  // namespace
