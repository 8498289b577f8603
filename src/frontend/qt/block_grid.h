// The grid of block buttons: their look, keyboard play on them, and a keyboard focus that
// keeps its cell while the game hides or disables the button under it.
#pragma once

#include <QColor>
#include <QPushButton>
#include <QWidget>

#include <vector>

#include "form/grid_focus.h"
#include "form/window_events.h"

class BlockGrid;

// A block. Its whole face is its back colour whatever the widget style, with a thin raised edge
// so that neighbouring blocks of one colour still read as cells, and a thick frame in a
// contrasting colour while it has the focus. Space and Enter click it, the keypad's Enter does
// not.
class BlockButton : public QPushButton {
 public:
  BlockButton(int index, BlockGrid* grid);

  int index() const { return index_; }
  QColor face() const { return face_; }
  void setFace(const QColor& face);
  // Whether the block belongs to the selected group; a screen reader is told when it changes.
  bool marked() const { return marked_; }
  void setMarked(bool marked);
  // Its place, as a screen reader describes it. A new place makes the block a new accessible
  // object, and the focused block tells a screen reader so; the others are read afresh when
  // the focus reaches them.
  QString description() const { return description_; }
  void setDescription(const QString& description);

 protected:
  void paintEvent(QPaintEvent*) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  BlockGrid* grid_;
  int index_;
  QColor face_;
  bool marked_ = false;
  QString description_;
};

// The parent of the blocks, in index order. While the game hides or disables the block that
// has the focus, the grid holds the focus itself ("parked"), so the window system does not
// hand it to another block or out of the grid; the block gets it back as soon as it can take
// it again, unless the player has put the focus somewhere else meanwhile. A box or a menu that
// is open then gets its keys first, and the block has the focus when it closes.
class BlockGrid : public QWidget {
 public:
  explicit BlockGrid(QWidget* parent);

  // Adds the next block, last in the tab chain.
  BlockButton* addButton();
  int count() const { return static_cast<int>(buttons_.size()); }
  BlockButton* button(int k) const;

  // The game's own showing, hiding, enabling and disabling of block k.
  void setBlockVisible(int k, bool visible);
  void setBlockEnabled(int k, bool enabled);

  // The block that has the focus, had it last, or waits for it while the grid holds it; -1
  // before any block has had it.
  int focusIndex() const { return focus_.index(); }
  // True while the grid holds the focus for a hidden or disabled block.
  bool parked() const;

  // Plays a key on block `from`: the focus's keys, then the game's survey keys; false for a
  // key that is none of them.
  bool playKey(int from, const QKeyEvent& key);
  void setEvents(WindowEvents* events) { events_ = events; }
  void noteFocus(int k) { focus_.Focused(k); }
  // The game's own move of the focus to block k (a new game's); when the block cannot take it
  // yet, it waits for it as for a hidden block; when it has it already, it is announced again.
  void focusBlock(int k);
  // Gives the focus back to the block that had it last, or holds it for that block while the
  // block is hidden or disabled; nothing before any block has had it.
  void takeFocusBack();

 protected:
  // Tab and Shift+Tab, from a block or from the grid itself.
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  // The block k if it exists and can take the focus now.
  BlockButton* available(int k) const;
  // Hides or disables block k (on false) or shows or enables it: the focus parks first, and
  // comes back after.
  void setBlock(int k, bool on, void (QWidget::*set)(bool));
  void parkIfFocused(BlockButton* b);
  void restoreFocus();
  void carryOut(const FocusStep& step);

  std::vector<BlockButton*> buttons_;
  WindowEvents* events_ = nullptr;
  GridFocus focus_{[this](int k) { return available(k) != nullptr; }};
};
