// The menu bar built from the window's design, its shortcut keys, and the captions the
// language switch rewrites.
#pragma once

#include "frontend/win32/windows_api.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "form/window_design.h"
#include "ports/window_ops.h"

class GameMenu {
 public:
  GameMenu();

  // The menu bar, for the window that shows it.
  HMENU bar() const { return bar_.get(); }
  HACCEL accelerators() const { return accelerators_.get(); }
  // The item a WM_COMMAND from the menu or a shortcut key names.
  static std::optional<MenuId> ItemOf(WORD command);
  // Replaces the item's text (an "&" marks its access key); its shortcut key stays, and so
  // does the shortcut shown beside it.
  void SetCaption(MenuId item, const std::string& utf8);
  // The item's text as the menu shows it, shortcut included after a tab.
  std::wstring Text(MenuId item) const;

 private:
  // A window that is destroyed destroys the menu bar it shows: the bar is destroyed here only
  // when no window took it over.
  struct BarLeftOver {
    void operator()(HMENU bar) const { if (IsMenu(bar)) DestroyMenu(bar); }
  };
  struct AcceleratorTable {
    void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
  };
  std::unique_ptr<std::remove_pointer_t<HMENU>, BarLeftOver> bar_;
  std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorTable> accelerators_;
  // The menu that holds each item and the item's place in it, in MenuId order.
  std::array<std::pair<HMENU, UINT>, kMenuItems> places_{};
};
