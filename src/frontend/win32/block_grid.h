// The grid of block buttons: real BUTTON controls painted in their back colour, keyboard play
// on them, a keyboard focus that keeps its cell while the game hides or disables the button
// under it, and what a screen reader reads of each block.
#pragma once

#include "frontend/win32/windows_api.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "form/grid_focus.h"
#include "form/window_events.h"
#include "frontend/win32/own_accessible.h"
#include "lang/language.h"

// The parent window of the blocks, in index order: a screen reader's review of it meets them
// in that order with nothing between them. While the game hides or disables the block that has
// the focus, the grid holds the focus itself ("parked"), so that the system does not drop it;
// the block gets it back as soon as it can take it again, unless the player has moved the
// focus meanwhile. While a box is open the window's focus is remembered here and comes back
// when the window is active again.
class BlockGrid {
 public:
  BlockGrid(HWND parent, HINSTANCE instance);
  // Where the clicks and the survey keys go; never a hidden or disabled block's click.
  void SetEvents(WindowEvents* events) { events_ = events; }
  // The blocks' default action is named in language.LanguageIndex from now on; in Spanish
  // before.
  void Follow(const Language& language) { language_ = &language; }
  ~BlockGrid();
  BlockGrid(const BlockGrid&) = delete;
  BlockGrid& operator=(const BlockGrid&) = delete;

  HWND hwnd() const { return hwnd_; }
  // Adds the next block, after the others in the review and Tab order.
  int AddButton();
  int count() const { return static_cast<int>(blocks_.size()); }
  HWND button(int k) const;

  void SetFace(int k, COLORREF face);
  COLORREF face(int k) const;
  void SetCaption(int k, const std::wstring& text);
  // What a screen reader reads of block k besides its caption; each change is announced.
  void SetMarked(int k, bool marked);
  void SetDescription(int k, const std::wstring& text);
  bool marked(int k) const { return block(k).marked; }
  const std::wstring& description(int k) const { return block(k).description; }
  // The name of a block's default action, a click, in the current language.
  std::wstring action_word() const;
  void SetFont(HFONT font);
  void SetDpi(UINT dpi) { dpi_ = dpi; }

  // The game's own showing, hiding, enabling and disabling of block k.
  void SetBlockVisible(int k, bool visible);
  void SetBlockEnabled(int k, bool enabled);

  // Whether block k is shown and enabled, so that a click on it reaches the game.
  bool available(int k) const { return Available(k) != nullptr; }

  // The block that has the focus, had it last, or waits for it; -1 before any block had it.
  int focus_index() const { return focus_.index(); }
  // True while the grid holds the focus for a hidden or disabled block.
  bool parked() const { return KeyFocus() == hwnd_; }
  // The game's move of the focus to block k; a block that cannot take it yet waits for it, and
  // one that has it already is announced again.
  void FocusBlock(int k);

  // The main window's activation and menu loop, which decide where the keyboard focus is.
  void WindowActivated();
  void WindowDeactivated();
  void MenuLoop(bool open);

 private:
  struct Block {
    HWND hwnd;
    COLORREF face;
    std::wstring description;
    bool marked = false;
    AccessibleHold accessible;
  };

  // Button k has the control id k + 1: an id of 0 would be no id.
  static constexpr int kFirstButtonId = 1;
  // Posted to the grid to give the focus back to its block once a focus change is over.
  static constexpr UINT kRestoreFocus = WM_APP + 1;
  // The grid's timer that ends its hold of the focus for an announcement.
  static constexpr UINT_PTR kAnnounceTimer = 1;
  // The procedure of the system's BUTTON class, which the blocks' own one hands on to.
  static WNDPROC system_button_proc_;

  static LRESULT CALLBACK GridProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnButtonMessage(int k, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnGridMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Draw(const DRAWITEMSTRUCT& item) const;

  const Block& block(int k) const;
  bool WindowActive() const;
  // The window's focus: the focused control while the window is active, else the one it
  // gets back on activation.
  HWND KeyFocus() const;
  void SetKeyFocus(HWND target);
  HWND Available(int k) const;
  void ParkIfFocused(int k);
  void RestoreFocus();
  // Plays a key on block `from`: the focus's keys, then the game's survey keys; false for
  // a key that is none of them.
  bool PlayKey(int from, WPARAM virtual_key);
  void CarryOut(const FocusStep& step);
  void EndReread();
  void Click(int k);

  HWND hwnd_ = nullptr;
  WindowEvents* events_ = nullptr;
  std::vector<Block> blocks_;
  const Language* language_ = nullptr;
  HFONT font_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HWND saved_focus_ = nullptr;  // the window's focus while it is not active
  bool menu_open_ = false;
  GridFocus focus_{[this](int k) { return Available(k) != nullptr; }};
};
