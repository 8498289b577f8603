// The second click: points, the emptied cells, the score line and the end of the selection.
#include "game/engine_fixture.h"

namespace {

class RemovalTest : public EngineTest {};

TEST_F(RemovalTest, PointsGrowWithTheSizeOfTheGroup) {
  // Groups of 1, 4, 3 then 2 in turn.
  DealCheckerboard();
  Remove(ButtonOf(9, 3));
  EXPECT_EQ(10, engine.Score);
  EXPECT_EQ("10 puntos", window.label2);
  EXPECT_EQ("", window.label1);
  EXPECT_FALSE(window.at(ButtonOf(9, 3)).visible);  // hidden until the fall's redraw

  DealCheckerboard();
  for (int c = 3; c < 7; ++c) engine.Board(c, 0) = 4;
  Remove(ButtonOf(5, 0));
  EXPECT_EQ(100, engine.Score);

  DealCheckerboard();
  language.LanguageIndex = 1;
  for (int c = 3; c < 6; ++c) engine.Board(c, 0) = 4;
  for (int c = 10; c < 12; ++c) engine.Board(c, 0) = 5;
  Remove(ButtonOf(3, 0));
  Remove(ButtonOf(11, 0));
  EXPECT_EQ(90, engine.Score);
  EXPECT_EQ("90 points", window.label2);
}

TEST_F(RemovalTest, ScoreLineIsWrittenAfterTheFallStepAndSelectionClearedLast) {
  random.SetCodes({2});
  engine.NewGame();
  window.label1 = "x";
  dialogs.typed = {"Ana"};
  journal.Clear();
  Remove(0);  // the whole board: the end of the game runs inside the click
  ASSERT_EQ(kVbTrue, engine.GameEnded);
  EXPECT_EQ("Label1=", journal.entries()[2]);  // after the marking's speech and label
  // While the end-of-game boxes were open the score line still showed the old score.
  EXPECT_LT(journal.IndexOf("InputBox=Game over"), journal.IndexOf("Label2=113250 puntos"));
  EXPECT_EQ("Label2=113250 puntos", journal.entries().back());
  EXPECT_EQ(-1, engine.SelectedIndex);
}

TEST_F(RemovalTest, SelectedEmptyCellRemovesNothingAndScoresNothing) {
  DealCheckerboard();
  engine.Board(6, 0) = 0;
  window.at(6).caption = ".";
  Remove(6);
  EXPECT_EQ(0, engine.Score);
  EXPECT_EQ("0 puntos", window.label2);
  for (int k = 0; k < kCells; ++k) EXPECT_TRUE(window.at(k).visible);
  EXPECT_FALSE(clock.AnyRunning());
  ExpectWindowMatchesBoard();  // the redraw ran at once
}

TEST_F(RemovalTest, ClickOnTheBlockThatFellIntoTheCellIsAFirstMarking) {
  DealCheckerboard();
  Remove(ButtonOf(7, 9));
  clock.RunUntilIdle();
  speech.spoken.clear();
  engine.Command1_Click(ButtonOf(7, 9));
  EXPECT_EQ(1u, speech.spoken.size());
  EXPECT_EQ(ButtonOf(7, 9), engine.SelectedIndex);
  EXPECT_EQ(10, engine.Score);
}

}  // namespace
