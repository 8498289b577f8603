// Marking a group: which blocks join, how they are shown, and what is announced.
#include "game/engine_fixture.h"

namespace {

class MarkingTest : public EngineTest {
 protected:
  std::vector<int> MarkedButtons() const {
    std::vector<int> marked;
    for (int k = 0; k < kCells; ++k)
      if (engine.Marked(ColumnOf(k), RowOf(k)) == kVbTrue) marked.push_back(k);
    return marked;
  }
  std::vector<int> WhiteButtons() const {
    std::vector<int> white;
    for (int k = 0; k < kCells; ++k)
      if (window.at(k).back_color == kMarkedColour) white.push_back(k);
    return white;
  }
};

// Row 0: a 3-block "E" run at columns 0-2; column 14 row 2 and column 0 row 3 share colour 4
// but only meet across the row boundary; an L of 3s at the bottom left.
const std::vector<std::string> kBoard = {
    "222151515151515",
    "515151515151515",
    "151515151515154",
    "415151515151515",
    "151515151515151",
    "515151515151515",
    "151515151515151",
    "515151515151515",
    "351515151515151",
    "335151515151515",
};

TEST_F(MarkingTest, FirstClickMarksTheConnectedGroupAndAnnouncesIt) {
  DealRows(kBoard);
  engine.Command1_Click(1);

  EXPECT_EQ(1, engine.SelectedIndex);
  EXPECT_EQ(3, engine.MarkedCount);
  EXPECT_EQ((std::vector<int>{0, 1, 2}), MarkedButtons());
  EXPECT_EQ((std::vector<int>{0, 1, 2}), WhiteButtons());
  EXPECT_EQ("E", window.at(1).caption);  // a marked block keeps its letter
  ASSERT_EQ(1u, speech.spoken.size());
  EXPECT_EQ("3 tolvos marcados. Vuelva a pulsar para eliminarlos", speech.spoken[0]);
  EXPECT_EQ("3 Tolvos marcados, vuelva a pulsar para eliminarlos", window.label1);
  // Spoken first, then shown.
  EXPECT_LT(journal.IndexOf("Speak=" + speech.spoken[0]), journal.IndexOf("Label1=" + window.label1));
}

TEST_F(MarkingTest, RowBoundaryDoesNotJoinCells) {
  DealRows(kBoard);
  engine.Command1_Click(44);  // (14, 2)
  EXPECT_EQ((std::vector<int>{44}), MarkedButtons());
  engine.Command1_Click(45);  // (0, 3)
  EXPECT_EQ((std::vector<int>{45}), MarkedButtons());
  EXPECT_EQ("1 tolvos marcados. Vuelva a pulsar para eliminarlos", speech.spoken.back());
}

TEST_F(MarkingTest, LoneBlockIsAGroupOfOne) {
  DealCheckerboard();
  engine.Command1_Click(77);
  EXPECT_EQ(1, engine.MarkedCount);
  EXPECT_EQ((std::vector<int>{77}), WhiteButtons());
}

TEST_F(MarkingTest, OneColourBoardMarksAllInOneClick) {
  random.SetCodes({5});
  engine.NewGame();
  engine.Command1_Click(149);
  EXPECT_EQ(150, engine.MarkedCount);
  EXPECT_EQ(150u, WhiteButtons().size());
}

TEST_F(MarkingTest, EmptyCellMarksNothingButIsSelected) {
  DealCheckerboard();
  engine.Board(3, 4) = 0;
  engine.Command1_Click(ButtonOf(3, 4));
  EXPECT_EQ(ButtonOf(3, 4), engine.SelectedIndex);
  EXPECT_EQ(0, engine.MarkedCount);
  EXPECT_TRUE(WhiteButtons().empty());
  EXPECT_EQ("0 tolvos marcados. Vuelva a pulsar para eliminarlos", speech.spoken.back());
}

TEST_F(MarkingTest, RemarkingRestoresColoursAndPaintsEmptyCellsWhite) {
  DealRows(kBoard);
  engine.Board(10, 9) = 0;
  window.at(ButtonOf(10, 9)).back_color = 0;  // shown black, as a redraw leaves it
  engine.Command1_Click(1);
  engine.Command1_Click(ButtonOf(0, 9));  // the L of 3s

  EXPECT_EQ(ButtonOf(0, 9), engine.SelectedIndex);
  EXPECT_EQ((std::vector<int>{ButtonOf(0, 8), ButtonOf(0, 9), ButtonOf(1, 9)}), MarkedButtons());
  for (int k : {0, 1, 2}) EXPECT_EQ(engine.ColourValues[2], window.at(k).back_color);
  EXPECT_EQ(0xFFFFFFu, window.at(ButtonOf(10, 9)).back_color);  // white, not black
  EXPECT_EQ(4u, WhiteButtons().size());
  EXPECT_EQ("3 Tolvos marcados, vuelva a pulsar para eliminarlos", window.label1);
}

TEST_F(MarkingTest, ClickOnAnotherBlockOfTheSameGroupMovesTheSelection) {
  DealRows(kBoard);
  engine.Command1_Click(0);
  engine.Command1_Click(2);
  EXPECT_EQ(2, engine.SelectedIndex);
  EXPECT_EQ(3, engine.MarkedCount);
  EXPECT_EQ((std::vector<int>{0, 1, 2}), WhiteButtons());
  EXPECT_EQ(2u, speech.spoken.size());
}

TEST_F(MarkingTest, AnnouncementTextsInBothLanguages) {
  struct Case {
    std::int16_t language;
    bool remark;
    const char* spoken;
    const char* shown;
  } cases[] = {
      {0, false, "3 tolvos marcados. Vuelva a pulsar para eliminarlos",
       "3 Tolvos marcados, vuelva a pulsar para eliminarlos"},
      {0, true, "3 tolvos marcados. Vuelva a pulsar para eliminarlos",
       "3 Tolvos marcados, vuelva a pulsar para eliminarlos"},
      {1, false, "3 tolvos marked out. Click again to remove them",
       "3 tolvos marked. Click again to remove them"},
      {1, true, "3 tolvos marked out. Click again to remove them",
       "3 tolvos marked out. Click again to remove them"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "language " << c.language << " remark " << c.remark);
    DealRows(kBoard);
    language.LanguageIndex = c.language;
    if (c.remark) engine.Command1_Click(ButtonOf(14, 2));
    engine.Command1_Click(1);
    EXPECT_EQ(c.spoken, speech.spoken.back());
    EXPECT_EQ(c.language, speech.languages.back());
    EXPECT_EQ(c.shown, window.label1);
  }
}

TEST_F(MarkingTest, LanguageSwitchLeavesTheShownAnnouncement) {
  DealRows(kBoard);
  engine.Command1_Click(1);
  language.LanguageIndex = 1;
  EXPECT_EQ("3 Tolvos marcados, vuelva a pulsar para eliminarlos", window.label1);
  EXPECT_EQ(1, engine.SelectedIndex);
}

// The window is told which blocks form the selected group, and only those, whatever moved the
// selection.
TEST_F(MarkingTest, MarkedStateFollowsTheSelection) {
  auto marked_buttons = [&] {
    std::vector<int> marked;
    for (int k = 0; k < kCells; ++k)
      if (window.at(k).marked) marked.push_back(k);
    return marked;
  };
  // A pair of 3s at buttons 0 and 1; a lone 4 at 7, on the top row so that nothing falls.
  DealRows({"331212141212121", "212121212121212", "121212121212121", "212121212121212",
            "121212121212121", "212121212121212", "121212121212121", "212121212121212",
            "121212121212121", "212121212121212"});
  engine.Command1_Click(0);
  EXPECT_EQ((std::vector<int>{0, 1}), marked_buttons());
  engine.Command1_Click(7);  // another group
  EXPECT_EQ((std::vector<int>{7}), marked_buttons());
  engine.Command1_Click(7);  // removed
  EXPECT_EQ(std::vector<int>{}, marked_buttons());
  clock.RunUntilIdle();
  EXPECT_EQ(std::vector<int>{}, marked_buttons());
  engine.Command1_Click(1);
  EXPECT_EQ((std::vector<int>{0, 1}), marked_buttons());
  engine.NewGame();
  EXPECT_EQ(std::vector<int>{}, marked_buttons());
}

}  // namespace
