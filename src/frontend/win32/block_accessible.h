// A block as a screen reader reads it through MSAA: a push button named by its caption,
// described by its place on the grid, expanded while it belongs to the marked group, and
// pressed by its default action.
#pragma once

#include "frontend/win32/own_accessible.h"

class BlockGrid;

// Nothing is said of an unmarked block's state beyond the system's (no "collapsed"): on a push
// button, JAWS and NVDA speak "expanded" and nothing for a button that is not expandable.
class BlockAccessible final : public OwnAccessible {
 public:
  // Block k of grid, which disconnects the object before either goes.
  BlockAccessible(IAccessible* standard, const BlockGrid& grid, int k)
      : OwnAccessible(standard), grid_(grid), k_(k) {}

 private:
  LONG Role() const override { return ROLE_SYSTEM_PUSHBUTTON; }
  LONG State(LONG standard) const override;
  std::optional<std::wstring> Description() const override;
  // Only a block that takes clicks offers one.
  std::optional<std::wstring> DefaultAction() const override;
  HRESULT DoDefaultAction() override;

  const BlockGrid& grid_;
  int k_;
};
