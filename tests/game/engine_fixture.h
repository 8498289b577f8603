// An engine wired to fakes, with helpers to lay out a known board.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/engine_ticks.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_speech.h"
#include "fakes/fake_window.h"
#include "fakes/journal.h"
#include "fakes/mem_host.h"
#include "fakes/scripted_random.h"
#include "fakes/virtual_clock.h"
#include "game/engine.h"

class EngineTest : public testing::Test {
 protected:
  EngineTest() : engine({window, clock, dialogs, speech, sound, random}, language, scores) {
    engine.FillColourTables();
    DeliverTicks(clock, engine);
  }

  // Marks the group of button k and removes it: two clicks on the same block.
  void Remove(int k) {
    engine.Command1_Click(static_cast<std::int16_t>(k));
    engine.Command1_Click(static_cast<std::int16_t>(k));
  }
  // Checks that every button shows its cell at its home place, as a redraw leaves it.
  void ExpectWindowMatchesBoard() {
    for (int k = 0; k < kCells; ++k) {
      const int code = engine.Board(ColumnOf(k), RowOf(k));
      const FakeButton& b = window.at(k);
      EXPECT_EQ(code ? engine.ColourLetters[code] : ".", b.caption) << "button " << k;
      EXPECT_EQ(code ? engine.ColourValues[code] : 0u, b.back_color) << "button " << k;
      EXPECT_TRUE(b.visible && b.enabled) << "button " << k;
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

  Journal journal;
  FakeWindow window{&journal};
  VirtualClock clock;
  FakeDialogs dialogs{&journal};
  FakeSpeech speech{&journal};
  FakeSound sound{&journal};
  ScriptedRandom random;
  Language language;
  MemHost host;
  std::string app_folder = host.program_folder_with_separator();
  BestScores scores{host, dialogs, language, app_folder};
  Engine engine;
};
