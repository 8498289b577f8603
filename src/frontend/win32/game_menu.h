// The menu bar built from the window's design, its shortcut keys, and the captions the
// language switch rewrites.
#pragma once

#include "frontend/win32/windows_api.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "form/window_design.h"
#include "ports/window_ops.h"

class GameMenu {
 public:
  GameMenu();
  ~GameMenu();
  GameMenu(const GameMenu&) = delete;
  GameMenu& operator=(const GameMenu&) = delete;

  // The menu bar, for the window that shows it.
  HMENU bar() const { return bar_; }
  HACCEL accelerators() const { return accelerators_; }
  // The item a WM_COMMAND from the menu or a shortcut key names.
  static std::optional<MenuId> ItemOf(WORD command);
  // Replaces the item's text (an "&" marks its access key); its shortcut key stays, and so
  // does the shortcut shown beside it.
  void SetCaption(MenuId item, const std::string& utf8);
  // The item's text as the menu shows it, shortcut included after a tab.
  std::wstring Text(MenuId item) const;

 private:
  HMENU bar_;
  HACCEL accelerators_ = nullptr;
  // The menu that holds each item and the item's place in it, in MenuId order.
  std::array<std::pair<HMENU, UINT>, kMenuItems> places_{};
};
