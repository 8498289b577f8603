// Closing empty columns and the redraw of every button from Board.
#include "game/engine.h"

namespace {
constexpr std::uint32_t kEmptyCellColour = 0;  // black
}

// A redraw never undoes what the player relies on: the selected group stays marked while it
// is selected, and an ended game stays out of play until the next NewGame.
void Engine::RefreshBoard() {
  CloseEmptyColumns();
  const bool playing = GameEnded == kVbFalse;
  int occupied = 0;
  for (int i = 0; i < kCells; ++i) {
    const int c = ColumnOf(i), r = RowOf(i);
    // Every block has button 0's size: a column is as wide as block 0, and each block moves
    // down by its own height; the window gives all of them one place size.
    window_.SetButtonLeft(i, static_cast<float>(c) * window_.ButtonWidth(0));
    window_.SetButtonTop(i, static_cast<float>(r) * window_.ButtonHeight(i));
    const std::int16_t code = Board(c, r);
    if (code <= 0) {
      window_.SetButtonMarked(i, false);
      window_.SetButtonEnabled(i, playing);
      window_.SetButtonVisible(i, true);
      window_.SetButtonCaption(i, ".");
      window_.SetButtonBackColor(i, kEmptyCellColour);
    } else {
      const bool marked = ShowsMarked(c, r);
      window_.SetButtonCaption(i, ColourLetters[code]);
      window_.SetButtonBackColor(i, marked ? kMarkedColour : ColourValues[code]);
      window_.SetButtonMarked(i, marked);
      window_.SetButtonEnabled(i, playing);
      window_.SetButtonVisible(i, true);
      ++occupied;
    }
  }
  if (occupied <= 0) EndGame();
}

bool Engine::ShowsMarked(int c, int r) const {
  return SelectedIndex != -1 && !removing_ && Marked(c, r) != kVbFalse;
}

// Each empty column is closed by a call of its own; the scan goes on over the board as the
// nested redraw left it.
void Engine::CloseEmptyColumns() {
  for (int c = 0; c < kColumns; ++c) {
    int blocks = 0;
    for (int r = 0; r < kRows; ++r)
      if (Board(c, r) > 0) ++blocks;
    if (blocks == 0 && c < ColumnsInUse) ShiftColumnsLeft(static_cast<std::int16_t>(c));
  }
}

void Engine::ShiftColumnsLeft(std::int16_t column) {
  sound_.PlaySound2();
  for (int j = column; j < kColumns - 1; ++j)
    for (int r = 0; r < kRows; ++r) Board(j, r) = Board(j + 1, r);
  for (int r = 0; r < kRows; ++r) Board(kColumns - 1, r) = 0;
  --ColumnsInUse;
  RefreshBoard();
}

void Engine::TmrRecolocar_Timer() {
  RefreshBoard();
  timers_.StopTimer(TimerId::TmrRecolocar);
}
