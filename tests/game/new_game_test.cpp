// Dealing a new board: buttons, captions, colours, places and the starting state.
#include <set>

#include "game/engine_fixture.h"

namespace {

class NewGameTest : public EngineTest {};

TEST_F(NewGameTest, FirstDealCreatesAndShowsEveryButtonFromItsCell) {
  random.SetCodes({1, 2, 3, 4, 5, 5, 3});
  engine.NewGame();

  EXPECT_EQ(149, window.buttons_created);
  ASSERT_EQ(kCells, window.ButtonCount());
  EXPECT_EQ(kCells, random.draws);
  std::set<int> codes_seen;
  for (int k = 0; k < kCells; ++k) {
    const int code = engine.Board(ColumnOf(k), RowOf(k));
    ASSERT_GE(code, 1);
    ASSERT_LE(code, 5);
    codes_seen.insert(code);
    EXPECT_TRUE(window.at(k).visible && window.at(k).enabled) << k;
    ExpectButtonShowsCell(k);
    EXPECT_EQ(ColumnOf(k) * 500.0f, window.at(k).left) << k;
    EXPECT_EQ(RowOf(k) * 500.0f, window.at(k).top) << k;
  }
  EXPECT_EQ(5u, codes_seen.size());
  // One draw per button in index order: button 8 took the 9th number of the script.
  EXPECT_EQ(2, engine.Board(8, 0));
  EXPECT_EQ("i", window.at(2).caption);  // lower case on purpose
  EXPECT_EQ(0x8CFFu, window.at(4).back_color);
  EXPECT_EQ("", window.label1);
  EXPECT_EQ("0 puntos", window.label2);
  EXPECT_EQ(-1, engine.SelectedIndex);
  EXPECT_EQ(0, engine.MarkedCount);
  EXPECT_EQ(0, engine.Score);
  EXPECT_EQ(15, engine.ColumnsInUse);
  EXPECT_EQ(0, engine.GameEnded);
}

TEST_F(NewGameTest, PlacesButtonsFromButtonZerosSize) {
  window.at(0).width = 400;
  window.at(0).height = 300;
  random.SetCodes({3});
  engine.NewGame();
  // Button 37 is column 7, row 2.
  EXPECT_EQ(7 * 400.0f, window.at(37).left);
  EXPECT_EQ(2 * 300.0f, window.at(37).top);
}

TEST_F(NewGameTest, SecondDealCreatesNothingAndDrawsAfresh) {
  random.SetCodes({1});
  engine.NewGame();
  random.SetCodes({4});
  engine.Score = 550;
  engine.GameEnded = kVbTrue;
  engine.ColumnsInUse = 3;
  window.at(12).enabled = window.at(13).visible = false;
  window.label1 = "old message";
  engine.NewGame();

  EXPECT_EQ(149, window.buttons_created);
  EXPECT_EQ(2 * kCells, random.draws);
  for (int k = 0; k < kCells; ++k) {
    EXPECT_EQ(4, engine.Board(ColumnOf(k), RowOf(k)));
    EXPECT_TRUE(window.at(k).visible && window.at(k).enabled);
  }
  EXPECT_EQ(0, engine.Score);
  EXPECT_EQ(0, engine.GameEnded);
  EXPECT_EQ(15, engine.ColumnsInUse);
  EXPECT_EQ("", window.label1);
}

TEST_F(NewGameTest, ScoreLineFollowsTheLanguage) {
  language.LanguageIndex = 1;
  engine.NewGame();
  EXPECT_EQ("0 points", window.label2);
}

TEST_F(NewGameTest, DealWhileAGroupIsMarkedLeavesNoTraceOfTheMark) {
  random.SetCodes({2});
  engine.NewGame();
  engine.Command1_Click(20);
  ASSERT_EQ(150, engine.MarkedCount);
  engine.NewGame();
  for (int k = 0; k < kCells; ++k) EXPECT_EQ(engine.ColourValues[2], window.at(k).back_color);
  speech.spoken.clear();
  engine.Command1_Click(20);  // a first marking again, not a removal
  EXPECT_EQ(20, engine.SelectedIndex);
  EXPECT_EQ(1u, speech.spoken.size());
  EXPECT_EQ("150 Tolvos marcados, vuelva a pulsar para eliminarlos", window.label1);
}

}  // namespace
