// The second click on the selected block: scoring and removing its group.
#include "game/engine.h"

void Engine::RemoveSelectedGroup() {
  window_.SetLabelCaption(LabelId::Label1, "");
  // The points go in before the group leaves the board, so an end of game brought about by
  // this removal reports and records them.
  for (int k = 1; k <= MarkedCount; ++k) Score += 10 * k;
  removing_ = true;
  RemoveMarked();
  removing_ = false;
  ShowScore();
  SelectedIndex = -1;
}

void Engine::RemoveMarked() {
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      if (Marked(c, r) != kVbFalse) {
        Board(c, r) = 0;
        window_.SetButtonMarked(ButtonOf(c, r), false);
        window_.SetButtonVisible(ButtonOf(c, r), false);
      }
    }
  }
  FallStep();
}
