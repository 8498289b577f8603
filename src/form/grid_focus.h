// The keyboard focus on the grid of blocks, as both windows keep it: where each key takes it,
// when it waits on the grid for a block that cannot take it ("parked") and where it goes back,
// how long the grid holds it to have its block read again, and the ink of the focus frame.
// The window only carries the steps out.
#pragma once

#include <cstdint>
#include <functional>

// How long the grid holds the focus to have its block read again: long enough for a screen
// reader to take in that the focus has left the block, or it would take the return for the
// focus it has and say nothing. After a key that moves nothing the screen reader has little
// else to take in; after a new deal it first has 150 new captions.
inline constexpr int kRereadHoldMs = 150;
inline constexpr int kRereadHoldAfterDealMs = 600;

// What the window does with its keyboard focus.
struct FocusStep {
  enum Kind {
    Pass,    // nothing: the key is none of the grid's
    Stay,    // the key is the grid's, the focus stays where it is
    Focus,   // to block `block`
    Park,    // to the grid itself, which holds it for block index()
    Reread,  // block `block` keeps its frame, the grid holds the focus hold_ms, then Return()
  };
  Kind kind = Pass;
  int block = -1;
  int hold_ms = 0;
  bool operator==(const FocusStep&) const = default;
};

class GridFocus {
 public:
  // Whether block k exists and can take the focus now: shown and enabled.
  using Available = std::function<bool(int)>;
  explicit GridFocus(Available available) : available_(std::move(available)) {}

  // The block that has the focus, had it last, or waits for it; -1 before any block had it.
  int index() const { return index_; }
  // From the start of a reread until its block has the focus again.
  bool rereading() const { return rereading_; }

  // Block k received the focus, however it came: its cell is the focus's from now on.
  void Focused(int k) {
    index_ = k;
    rereading_ = false;
  }
  // A key, as Form_KeyDown receives it (key code, shift state 1 Shift, 2 Ctrl, 4 Alt), on
  // block `from` or on the parked grid (from index()). Arrows go to the neighbour, Home and
  // End to the ends of the row, Ctrl+Home and Ctrl+End to the ends of the grid, never round
  // an edge; a key that moves nothing (an edge, a hidden cell) has the block read again. Tab
  // and Shift+Tab walk the blocks that can take the focus in index order, round from the last
  // to the first, as a window's tab order does on both systems.
  FocusStep Key(int from, std::int16_t key_code, std::int16_t shift) const;
  // The game's own move to block k (a new deal's): a block that cannot take the focus yet
  // waits for it as a hidden one does, one that has it already is read again.
  FocusStep Deal(int k, bool block_has_focus);
  // Whether a key pressed on a block clicks it: the main Enter key alone, which a push button
  // outside a dialog would leave alone. Never the keypad's: its keys are the screen readers'
  // own (Orca's "where am I", with Insert the title and the status bar), and Qt 6.4 hands a
  // key on to the program when the screen reader takes more than 100 ms to claim it; a click
  // there would mark or remove a group while the player only asked where they were. The click
  // comes with the press only, never with a held key's repeats.
  static bool IsClickKey(std::int16_t key_code, std::int16_t shift, bool keypad) {
    return key_code == 13 && shift == 0 && !keypad;
  }
  // Block k is being hidden or disabled: whether the focus parks on the grid.
  static bool Parks(bool block_has_focus) { return block_has_focus; }
  // A block shown or enabled again, a menu closed, a hold over: the focus goes back to its
  // block only when the game took it away (the grid holds it) and no menu has the keys.
  FocusStep Return(bool parked, bool menu_open) const;
  // The grid got the focus (back from a box or a menu): whether to try Return() once the
  // focus change is over. Not during a reread, which ends on its own.
  bool ReturnsOnGridFocus() const { return !rereading_ && available_(index_); }
  // The window gets its keys back (activation, a closed menu): the block of the focus, the
  // first one before any had it, or the grid while that block cannot take it.
  FocusStep Back() const;
  // Starts a reread of the focused block.
  FocusStep Reread(int hold_ms);
  void EndReread() { rereading_ = false; }

 private:
  Available available_;
  int index_ = -1;
  bool rereading_ = false;
};

// The ink of the focus frame on a block of back colour bgr (0x00BBGGRR): black or white,
// whichever stands out more.
std::uint32_t FocusFrameInk(std::uint32_t bgr);
// The frame in pixels at 96 dots per inch: this wide, this far inside the block's edge.
inline constexpr int kFocusFrameWidth = 3, kFocusFrameInset = 2;
