// The game menu of the main window, its shortcut keys, and the captions the language switch
// rewrites.
#pragma once

#include "frontend/win32/windows_api.h"

#include <string>

#include "ports/window_ops.h"

// The command of each menu item and shortcut key.
enum class MenuCommand : WORD {
  MnuJueNue = 101,  // new game, F2
  MnuJueMej,        // best scores, Ctrl+P
  MnuJueIns,        // instructions, F1
  Spanish,          // MnuJueIdiList item 0, Ctrl+E
  English,          // MnuJueIdiList item 1, Ctrl+N
  MnuJueSal,        // exit
};

class GameMenu {
 public:
  GameMenu();
  ~GameMenu();
  GameMenu(const GameMenu&) = delete;
  GameMenu& operator=(const GameMenu&) = delete;

  // The menu bar, for the window that shows it.
  HMENU bar() const { return bar_; }
  HACCEL accelerators() const { return accelerators_; }
  // Replaces the item's text (an "&" marks its access key); its shortcut key stays, and so
  // does the shortcut shown beside it.
  void SetCaption(MenuId item, const std::string& utf8);
  // The item's text as the menu shows it, shortcut included after a tab.
  std::wstring Text(MenuId item) const;
  std::wstring LanguageText(int index) const;

 private:
  // The menu that holds the item, and the item's place in it.
  std::pair<HMENU, UINT> Place(MenuId item) const;

  HMENU bar_;
  HMENU game_;
  HMENU languages_;
  HACCEL accelerators_;
};
