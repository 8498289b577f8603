// Blocks falling: the steps worked out on Board, the slide, the landing sounds, the timeline.
#include "game/engine_fixture.h"

namespace {

class FallTest : public EngineTest {};

TEST_F(FallTest, OneCellGapTimelineToTheMillisecond) {
  DealCheckerboard();
  Remove(ButtonOf(7, 9));  // a lone block from the bottom of a full column, at time 0

  EXPECT_EQ("127;112;097;082;067;052;037;022;007;", engine.FallingList);
  EXPECT_EQ(0, engine.Board(7, 0));  // Board is a step ahead of the window
  EXPECT_TRUE(clock.IsRunning(TimerId::TmrBajar));
  EXPECT_TRUE(clock.IsRunning(TimerId::TmrRecolocar));
  EXPECT_EQ(3500.0f, window.at(112).top);

  clock.AdvanceBy(100);
  EXPECT_EQ(3550.0f, window.at(112).top);
  EXPECT_EQ(50.0f, window.at(7).top);
  clock.AdvanceBy(899);  // 999: nine slides
  EXPECT_EQ(3950.0f, window.at(112).top);
  EXPECT_TRUE(engine.FallingList.size() == 36u);

  clock.AdvanceBy(1);  // 1000: the tenth slide ends the step; the next FallStep redraws
  EXPECT_FALSE(clock.IsRunning(TimerId::TmrBajar));
  EXPECT_EQ("", engine.FallingList);
  EXPECT_EQ(9, engine.LandedCount);
  EXPECT_TRUE(clock.IsRunning(TimerId::Timer1));
  ExpectWindowMatchesBoard();

  window.at(0).top = 12345;  // a displacement only a redraw puts right
  clock.AdvanceBy(49);
  EXPECT_EQ(12345.0f, window.at(0).top);
  clock.AdvanceBy(1);  // 1050: TmrRecolocar redraws once and stops
  EXPECT_EQ(0.0f, window.at(0).top);
  EXPECT_FALSE(clock.IsRunning(TimerId::TmrRecolocar));

  clock.AdvanceBy(24);  // 1074
  EXPECT_EQ(0, sound.sound1_plays);
  clock.AdvanceBy(1);  // 1075: first landing sound
  EXPECT_EQ(1, sound.sound1_plays);
  clock.AdvanceBy(600);  // 1675: the ninth
  EXPECT_EQ(9, sound.sound1_plays);
  window.at(0).top = 12345;
  clock.AdvanceBy(74);
  EXPECT_TRUE(clock.IsRunning(TimerId::Timer1));
  clock.AdvanceBy(1);  // 1750: the last tick redraws and stops Timer1
  EXPECT_EQ(0.0f, window.at(0).top);
  EXPECT_FALSE(clock.AnyRunning());
  EXPECT_EQ(9, sound.sound1_plays);
  EXPECT_EQ(0, sound.sound2_plays);
}

TEST_F(FallTest, GroupAtTheTopOfItsColumnsFallsNothingAndRedrawsInTheClick) {
  DealRows({"333121212121212", "121212121212121", "212121212121212", "121212121212121",
            "212121212121212", "121212121212121", "212121212121212", "121212121212121",
            "212121212121212", "121212121212121"});
  Remove(1);
  EXPECT_EQ(0, clock.Starts(TimerId::TmrBajar));
  EXPECT_FALSE(clock.AnyRunning());
  EXPECT_EQ(0, engine.Board(0, 0));
  ExpectWindowMatchesBoard();  // the removed buttons are shown again as "." on black
  EXPECT_EQ(".", window.at(2).caption);
}

TEST_F(FallTest, EntriesRunBottomUpThenLeftToRight) {
  // An L of 3s: (3, 4), (2, 5), (3, 5). Columns 2 and 3 fall by one cell.
  DealRows({"121212121212121", "212121212121212", "121212121212121", "212121212121212",
            "121312121212121", "213321212121212", "121212121212121", "212121212121212",
            "121212121212121", "212121212121212"});
  Remove(ButtonOf(3, 5));
  EXPECT_EQ(3, engine.MarkedCount);
  EXPECT_EQ("062;047;048;032;033;017;018;002;003;", engine.FallingList);
}

TEST_F(FallTest, TopBlockEntryHasLeadingZeros) {
  DealCheckerboard();
  Remove(ButtonOf(5, 1));
  EXPECT_EQ("005;", engine.FallingList);
  clock.RunUntilIdle();
  EXPECT_EQ(1, sound.sound1_plays);  // a block arriving in row 1 always counts
}

TEST_F(FallTest, ABlockArrivingInRowOneCountsEvenOverAGap) {
  DealCheckerboard();
  for (int r = 1; r < kRows; ++r) engine.Board(7, r) = 3;  // one group under a lone top block
  Remove(ButtonOf(7, 9));
  ASSERT_EQ(9, engine.MarkedCount);
  EXPECT_EQ("007;", engine.FallingList);
  clock.AdvanceBy(1000);
  EXPECT_EQ(1, engine.LandedCount);  // in row 1, with eight empty cells below it
  clock.RunUntilIdle();
  EXPECT_EQ(2, sound.sound1_plays);  // and once more on the bottom row
}

TEST_F(FallTest, BlocksCountWhenTheyRestOnABlock) {
  DealCheckerboard();
  for (int r = 0; r < 7; ++r) engine.Board(7, r) = 0;  // column 7 keeps rows 7..9
  Remove(ButtonOf(7, 9));
  EXPECT_EQ("127;112;", engine.FallingList);
  clock.AdvanceBy(1000);
  EXPECT_EQ(2, engine.LandedCount);
  clock.RunUntilIdle();
  EXPECT_EQ(2, sound.sound1_plays);
}

TEST_F(FallTest, TwoCellGapTakesTwoStepsAndCountsEachStep) {
  DealCheckerboard();
  engine.Board(4, 8) = engine.Board(4, 9) = 3;  // rows 8 and 9 of column 4 form a pair
  Remove(ButtonOf(4, 9));
  ASSERT_EQ(2, engine.MarkedCount);

  EXPECT_EQ(8u * 4, engine.FallingList.size());  // rows 7 to 0 move
  clock.AdvanceBy(1000);
  EXPECT_EQ(7, engine.LandedCount);  // the block now in row 8 has a gap below it
  EXPECT_EQ(8u * 4, engine.FallingList.size());  // rows 8 to 1 move on
  clock.AdvanceBy(1000);
  EXPECT_EQ(8, engine.LandedCount);
  EXPECT_EQ("", engine.FallingList);
  clock.RunUntilIdle();
  EXPECT_EQ(15, sound.sound1_plays);
  ExpectWindowMatchesBoard();
  for (int r = 0; r < 2; ++r) EXPECT_EQ(0, engine.Board(4, r));
}

TEST_F(FallTest, ClickDuringASlideFinishesTheFallFirst) {
  DealCheckerboard();
  engine.Board(4, 8) = engine.Board(4, 9) = 3;
  Remove(ButtonOf(4, 9));
  clock.AdvanceBy(350);
  ASSERT_FALSE(engine.FallingList.empty());

  engine.Command1_Click(ButtonOf(4, 9));  // the block the player sees sliding
  EXPECT_EQ("", engine.FallingList);
  EXPECT_FALSE(clock.IsRunning(TimerId::TmrBajar));
  EXPECT_EQ(0, engine.Board(4, 0));
  EXPECT_EQ(0, engine.Board(4, 1));
  EXPECT_GT(engine.Board(4, 2), 0);
  // The marking acted on the board at rest and the window shows that board.
  EXPECT_EQ(ButtonOf(4, 9), engine.SelectedIndex);
  EXPECT_EQ(1, engine.MarkedCount);
  EXPECT_EQ(kMarkedColour, window.at(ButtonOf(4, 9)).back_color);
  EXPECT_EQ(engine.ColourLetters[engine.Board(4, 9)], window.at(ButtonOf(4, 9)).caption);
  EXPECT_EQ(2000.0f, window.at(ButtonOf(4, 4)).top);

  const std::int32_t before = engine.Score;
  engine.Command1_Click(ButtonOf(4, 9));  // removes exactly the block announced
  EXPECT_EQ(before + 10, engine.Score);
  EXPECT_EQ(0, engine.Board(4, 2));
}

TEST_F(FallTest, NewGameStopsAFallOfTheOldBoard) {
  DealCheckerboard();
  Remove(ButtonOf(7, 9));
  clock.AdvanceBy(1000);  // landing sounds owed, a redraw pending
  ASSERT_TRUE(clock.AnyRunning());
  random.SetCodes({3});
  engine.NewGame();
  EXPECT_FALSE(clock.AnyRunning());
  EXPECT_EQ("", engine.FallingList);
  clock.AdvanceBy(5000);
  EXPECT_EQ(0, sound.sound1_plays);
  ExpectWindowMatchesBoard();
}

}  // namespace
