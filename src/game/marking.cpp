// The click on a block: marking its group, re-marking another, and the announcement.
#include <cassert>

#include "game/engine.h"
#include "game/texts.h"

void Engine::Command1_Click(std::int16_t Index) {
  assert(Index >= 0 && Index < kCells);
  SettleFall();
  if (SelectedIndex == -1) {
    FirstMarking(Index);
  } else if (Index != SelectedIndex) {
    Remarking(Index);
  } else {
    RemoveSelectedGroup();
  }
}

void Engine::FirstMarking(std::int16_t index) {
  SelectedIndex = index;
  // No button shows the marked colour while nothing is selected, so only the flags are cleared.
  Marked.Fill(kVbFalse);
  MarkedCount = 0;
  MarkFrom(index);
  Announce(/*remarking=*/false);
}

void Engine::Remarking(std::int16_t index) {
  SelectedIndex = index;
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      Marked(c, r) = kVbFalse;
      // Empty cells get entry 0, white, until the next redraw paints them black.
      window_.SetButtonBackColor(ButtonOf(c, r), ColourValues[Board(c, r)]);
      window_.SetButtonMarked(ButtonOf(c, r), false);
    }
  }
  MarkedCount = 0;
  MarkFrom(index);
  Announce(/*remarking=*/true);
}

void Engine::MarkFrom(std::int16_t index) {
  const int c = ColumnOf(index), r = RowOf(index);
  MarkGroup(c, r, Board(c, r));
}

// Depth first, neighbours in the order left, up, right, down; each test reads Marked after the
// calls of the earlier ones have returned. At most 150 calls deep.
void Engine::MarkGroup(int column, int row, std::int16_t colour) {
  if (colour == 0) return;
  if (Marked(column, row) == kVbFalse) {
    Marked(column, row) = kVbTrue;
    ++MarkedCount;
    window_.SetButtonBackColor(ButtonOf(column, row), kMarkedColour);
    window_.SetButtonMarked(ButtonOf(column, row), true);
  }
  auto joins = [&](int c, int r) { return Board(c, r) == colour && Marked(c, r) == kVbFalse; };
  if (column > 0 && joins(column - 1, row)) MarkGroup(column - 1, row, colour);
  if (row > 0 && joins(column, row - 1)) MarkGroup(column, row - 1, colour);
  if (column < kColumns - 1 && joins(column + 1, row)) MarkGroup(column + 1, row, colour);
  if (row < kRows - 1 && joins(column, row + 1)) MarkGroup(column, row + 1, colour);
}

void Engine::Announce(bool remarking) {
  const std::string count = std::to_string(MarkedCount);
  speech_.Speak(count + language_.Text(kMarkedSpoken), language_.LanguageIndex);
  const Bilingual& shown = remarking ? kRemarkedShown : kMarkedShown;
  window_.SetLabelCaption(LabelId::Label1, count + language_.Text(shown));
}
