// The window as the game logic sees it: block buttons, the two labels, captions and closing.
// Positions and sizes are in twips; colours are 0x00BBGGRR; texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>

// The two lines below the grid: Label1 the message line (the marking's count), Label2 the
// score line.
enum class LabelId { Label1, Label2 };

// The items of the menu: the game menu itself (MnuJuego), new game (MnuJueNue), best scores
// (MnuJueMej), instructions (MnuJueIns), the language submenu (MnuJueIdi), exit (MnuJueSal),
// whose captions the language switch rewrites; and the two language items (MnuJueIdiList,
// 0 Español, 1 English), whose captions never change.
enum class MenuId {
  MnuJuego, MnuJueNue, MnuJueMej, MnuJueIns, MnuJueIdi, MnuJueSal, MnuJueIdiList0, MnuJueIdiList1
};

class WindowOps {
 public:
  virtual ~WindowOps() = default;

  // Block buttons of the control array, indexes 0 to ButtonCount() - 1. Button 0 exists from
  // the window's design; CreateButton(k) adds button k (k == ButtonCount()) with the size and
  // look of button 0, hidden and disabled until told otherwise.
  virtual int ButtonCount() const = 0;
  virtual void CreateButton(int k) = 0;
  virtual void SetButtonCaption(int k, const std::string& text) = 0;
  virtual void SetButtonBackColor(int k, std::uint32_t bgr) = 0;
  // A hidden or disabled button delivers no click.
  virtual void SetButtonVisible(int k, bool visible) = 0;
  virtual void SetButtonEnabled(int k, bool enabled) = 0;
  virtual float ButtonTop(int k) const = 0;
  virtual void SetButtonLeft(int k, float twips) = 0;
  virtual void SetButtonTop(int k, float twips) = 0;
  virtual float ButtonWidth(int k) const = 0;
  virtual float ButtonHeight(int k) const = 0;
  // What a screen reader says of block k after its caption: its place on the grid.
  virtual void SetButtonDescription(int k, const std::string& text) = 0;
  // Whether block k belongs to the selected group; a screen reader says so when it reaches it.
  virtual void SetButtonMarked(int k, bool marked) = 0;
  // Gives block k the keyboard focus.
  virtual void FocusButton(int k) = 0;

  virtual void SetLabelCaption(LabelId label, const std::string& text) = 0;
  virtual void SetWindowCaption(const std::string& text) = 0;
  // Replaces the item's text; its shortcut key stays.
  virtual void SetMenuCaption(MenuId item, const std::string& text) = 0;
  // Unloads the window, which ends the program.
  virtual void CloseWindow() = 0;
};
