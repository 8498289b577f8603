// The engine's tests: a rig, and helpers to lay out a known board and check the window.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/engine_rig.h"

class EngineTest : public testing::Test, protected EngineRig {
 protected:
  // Marks the group of button k and removes it: two clicks on the same block.
  void Remove(int k) {
    engine.Command1_Click(static_cast<std::int16_t>(k));
    engine.Command1_Click(static_cast<std::int16_t>(k));
  }
  // Checks that every button shows its cell at its home place, as a redraw leaves it: the
  // selected group marked, every button in play until the game has ended.
  void ExpectWindowMatchesBoard() {
    for (int k = 0; k < kCells; ++k) {
      const int code = engine.Board(ColumnOf(k), RowOf(k));
      const bool marked =
          code && engine.SelectedIndex != -1 && engine.Marked(ColumnOf(k), RowOf(k));
      const FakeButton& b = window.at(k);
      EXPECT_EQ(code ? engine.ColourLetters[code] : ".", b.caption) << "button " << k;
      EXPECT_EQ(marked ? kMarkedColour : code ? engine.ColourValues[code] : 0u, b.back_color)
          << "button " << k;
      EXPECT_EQ(marked, b.marked) << "button " << k;
      EXPECT_TRUE(b.visible) << "button " << k;
      EXPECT_EQ(engine.GameEnded == kVbFalse, b.enabled) << "button " << k;
      EXPECT_EQ(ColumnOf(k) * 500.0f, b.left) << "button " << k;
      EXPECT_EQ(RowOf(k) * 500.0f, b.top) << "button " << k;
    }
  }

  // Deals a board where no two neighbours share a colour: codes 1 and 2 alternate along
  // rows and columns.
  void DealCheckerboard() {
    std::vector<int> codes;
    for (int i = 0; i < kCells; ++i) codes.push_back((ColumnOf(i) + RowOf(i)) % 2 + 1);
    random.SetCodes(codes);
    engine.NewGame();
  }
  // Deals a board from 10 rows of 15 digits, top row first; '1'..'5' are colours.
  void DealRows(const std::vector<std::string>& rows) {
    std::vector<int> codes;
    for (const std::string& row : rows)
      for (char ch : row) codes.push_back(ch - '0');
    ASSERT_EQ(kCells, static_cast<int>(codes.size()));
    random.SetCodes(codes);
    engine.NewGame();
  }
  // Checks that button k shows cell k's code through the colour tables.
  void ExpectButtonShowsCell(int k) {
    const int code = engine.Board(ColumnOf(k), RowOf(k));
    EXPECT_EQ(engine.ColourLetters[code], window.at(k).caption) << "button " << k;
    EXPECT_EQ(engine.ColourValues[code], window.at(k).back_color) << "button " << k;
  }
};
