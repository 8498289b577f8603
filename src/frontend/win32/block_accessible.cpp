// A block's own answers to a screen reader, from what its grid keeps of it.
#include "frontend/win32/block_accessible.h"

#include "frontend/win32/block_grid.h"

LONG BlockAccessible::State(LONG standard) const {
  return grid_.marked(k_) ? standard | STATE_SYSTEM_EXPANDED : standard;
}

std::optional<std::wstring> BlockAccessible::Description() const {
  return grid_.description(k_);
}

std::optional<std::wstring> BlockAccessible::DefaultAction() const {
  if (!grid_.available(k_)) return std::wstring();
  return grid_.action_word();
}

HRESULT BlockAccessible::DoDefaultAction() {
  if (!grid_.available(k_)) return DISP_E_MEMBERNOTFOUND;
  // Posted, as a click comes: the reader's call returns at once, even when the click opens a
  // box, and the click takes the path of every other click to the game.
  PostMessageW(grid_.button(k_), BM_CLICK, 0, 0);
  return S_OK;
}
