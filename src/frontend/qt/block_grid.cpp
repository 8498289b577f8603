// The block buttons and their grid: painting, keyboard moves and clicks, and the focus that
// waits on the grid while its block is hidden or disabled.
#include "frontend/qt/block_grid.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>
#include <qdrawutil.h>

#include <cassert>
#include <cmath>

#include "game/grid.h"

namespace {

// The focus frame: this many pixels wide, this far inside the button's edge.
constexpr int kFocusFrameWidth = 3;
constexpr int kFocusFrameInset = 2;
// How long the grid holds the focus to have its block announced again: long enough for a
// screen reader to take in that the focus has left the block, or it would skip that news as
// stale and say nothing when the block gets the focus back. After a key that moves nothing the
// screen reader has little else to take in; after a new deal it first has 150 new captions.
constexpr int kAnnounceHold = 150;
constexpr int kAnnounceHoldAfterDeal = 600;

double RelativeLuminance(const QColor& colour) {
  auto linear = [](double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

// The main Enter key only. The keypad's Enter is a screen reader's own key (Orca: "where am
// I", and with Insert the title and the status bar), and Qt 6.4 hands a key on to the program
// when the screen reader takes more than 100 ms to claim it: a click there would mark or
// remove a group while the player only asked where they were.
bool IsEnterKey(const QKeyEvent& key) {
  return key.key() == Qt::Key_Return && key.modifiers() == Qt::NoModifier;
}

}  // namespace

int gridKeyTarget(int from, int key, Qt::KeyboardModifiers modifiers) {
  assert(from >= 0 && from < kCells);
  const int c = ColumnOf(from), r = RowOf(from);
  modifiers &= ~Qt::KeypadModifier;
  if (modifiers == Qt::NoModifier) {
    switch (key) {
      case Qt::Key_Left: return c > 0 ? from - 1 : from;
      case Qt::Key_Right: return c < kColumns - 1 ? from + 1 : from;
      case Qt::Key_Up: return r > 0 ? from - kColumns : from;
      case Qt::Key_Down: return r < kRows - 1 ? from + kColumns : from;
      case Qt::Key_Home: return ButtonOf(0, r);
      case Qt::Key_End: return ButtonOf(kColumns - 1, r);
      default: return -1;
    }
  }
  if (modifiers == Qt::ControlModifier) {
    if (key == Qt::Key_Home) return 0;
    if (key == Qt::Key_End) return kCells - 1;
  }
  return -1;
}

QColor contrastingInk(const QColor& face) {
  // Contrast ratios as the web's accessibility guidelines define them: against black
  // (L + 0.05) / 0.05, against white 1.05 / (L + 0.05).
  const double l = RelativeLuminance(face);
  return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? QColor(Qt::black) : QColor(Qt::white);
}

BlockButton::BlockButton(int index, BlockGrid* grid)
    : QPushButton(grid), grid_(grid), index_(index), face_(palette().color(QPalette::Button)) {}

void BlockButton::setMarked(bool marked) {
  if (marked == marked_) return;
  marked_ = marked;
  // For a screen reader that keeps what it has read. Orca 43 reads the state afresh when the
  // focus comes to a block and says nothing on this news, not even for the focused block, so
  // the count the game speaks at a marking is not cut short.
  QAccessible::State changed;
  changed.expandable = changed.expanded = true;
  QAccessibleStateChangeEvent event(this, changed);
  QAccessible::updateAccessibility(&event);
}

void BlockButton::setFace(const QColor& face) {
  if (face == face_) return;
  face_ = face;
  update();
}

void BlockButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette shades(face_);
  qDrawShadePanel(&painter, rect(), shades, isDown(), 1, &shades.brush(QPalette::Button));
  painter.setPen(isEnabled() ? Qt::black : shades.color(QPalette::Dark));
  painter.drawText(rect(), Qt::AlignCenter, text());
  if (hasFocus() || (grid_->parked() && grid_->focusIndex() == index_ && isEnabled())) {
    // A frame a sighted keyboard player finds at a glance, whatever the face's colour; the
    // style's dotted focus rectangle is lost on most faces.
    const QRect outer = rect().adjusted(kFocusFrameInset, kFocusFrameInset, -kFocusFrameInset,
                                        -kFocusFrameInset);
    const int inner = kFocusFrameWidth;
    painter.setClipRegion(QRegion(outer).subtracted(outer.adjusted(inner, inner, -inner, -inner)));
    painter.fillRect(outer, contrastingInk(face_));
  }
}

void BlockButton::keyPressEvent(QKeyEvent* event) {
  if (IsEnterKey(*event)) {
    // Outside a dialog a push button leaves Enter alone. The click comes with the press and
    // only with it: the repeats of a held key are no presses of their own, and a release may
    // belong to a key that was pressed in a box that has closed since.
    if (!event->isAutoRepeat()) click();
    return;
  }
  if (grid_->moveFocus(index_, *event)) return;
  QPushButton::keyPressEvent(event);  // Space; anything else goes on to the window
}

void BlockButton::focusInEvent(QFocusEvent* event) {
  grid_->noteFocus(index_);
  QPushButton::focusInEvent(event);
}

BlockGrid::BlockGrid(QWidget* parent) : QWidget(parent) {}

BlockButton* BlockGrid::addButton() {
  auto* b = new BlockButton(count(), this);
  // Created last, it is the grid's last child, and it follows the block before it in the tab
  // chain: a screen reader's review and Tab both meet the blocks in index order.
  if (!buttons_.empty()) setTabOrder(buttons_.back(), b);
  buttons_.push_back(b);
  return b;
}

BlockButton* BlockGrid::button(int k) const {
  assert(k >= 0 && k < count());
  return buttons_[static_cast<std::size_t>(k)];
}

BlockButton* BlockGrid::available(int k) const {
  if (k < 0 || k >= count()) return nullptr;
  BlockButton* b = button(k);
  return !b->isHidden() && b->isEnabled() ? b : nullptr;
}

bool BlockGrid::parked() const { return window()->focusWidget() == this; }

void BlockGrid::setBlockVisible(int k, bool visible) {
  BlockButton* b = button(k);
  if (!visible) parkIfFocused(b);
  b->setVisible(visible);
  if (visible && k == focusIndex_) restoreFocus();
}

void BlockGrid::setBlockEnabled(int k, bool enabled) {
  BlockButton* b = button(k);
  if (!enabled) parkIfFocused(b);
  b->setEnabled(enabled);
  if (enabled && k == focusIndex_) restoreFocus();
}

void BlockGrid::parkIfFocused(BlockButton* b) {
  // Left alone, Qt would pass the focus on along the tab chain: to another block, or out of
  // the grid once no block can take it. The window's focus is asked rather
  // than the application's, so that a block hidden while a box is open is parked too.
  if (window()->focusWidget() == b) setFocus(Qt::OtherFocusReason);
}

void BlockGrid::restoreFocus() {
  BlockButton* b = available(focusIndex_);
  // Only a focus the game took away comes back; one the player has moved stays where it is.
  if (!b || !parked()) return;
  // An open menu has the keys; when it closes the grid gets the focus again, and with it the
  // block. With a box open, the block becomes the focus the window gets back.
  if (QApplication::activePopupWidget()) return;
  b->setFocus(Qt::OtherFocusReason);
}

bool BlockGrid::event(QEvent* event) {
  // Tab on the grid itself walks on from the waiting block, not from the grid's own place at
  // the head of the tab chain.
  if (event->type() == QEvent::KeyPress && hasFocus()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      const int step = key->key() == Qt::Key_Tab ? 1 : -1;
      for (int k = focusIndex_ + step; k >= 0 && k < count(); k += step) {
        if (BlockButton* b = available(k)) {
          b->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
          return true;
        }
      }
    }
  }
  return QWidget::event(event);
}

void BlockGrid::keyPressEvent(QKeyEvent* event) {
  // Keys a block leaves alone pass here on their way to the window; only the grid's own count.
  if (hasFocus() && focusIndex_ >= 0 && moveFocus(focusIndex_, *event)) return;
  QWidget::keyPressEvent(event);
}

void BlockGrid::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // Back from a menu or a box: the block may be ready again by now. Not from inside this
  // event: the focus change that sends it is not over yet, and a screen reader would hear
  // the grid last.
  if (available(focusIndex_) && !announcing_)
    QMetaObject::invokeMethod(this, [this] { restoreFocus(); }, Qt::QueuedConnection);
}

void BlockGrid::focusBlock(int k) {
  focusIndex_ = k;
  BlockButton* b = available(k);
  if (!b) return;
  // A block that has the focus already is announced again: the player hears where the keyboard
  // is, and what the block now shows.
  if (b->hasFocus()) {
    announceFocus(kAnnounceHoldAfterDeal);
  } else {
    b->setFocus(Qt::OtherFocusReason);
  }
}

void BlockGrid::takeFocusBack() {
  if (focusIndex_ < 0) return;
  if (BlockButton* b = available(focusIndex_)) {
    b->setFocus(Qt::OtherFocusReason);
  } else {
    setFocus(Qt::OtherFocusReason);  // held until the block can take it again
  }
}

void BlockGrid::announceFocus(int hold_ms) {
  BlockButton* b = available(focusIndex_);
  if (!b || !b->hasFocus()) return;
  // A screen reader says nothing when it is told again of the focus it already has. The grid
  // holds the focus for a moment instead, as for a hidden block, and then hands it back, so
  // the block gets the focus anew; it keeps its frame meanwhile, and a key pressed meanwhile
  // moves on from it.
  announcing_ = true;
  setFocus(Qt::OtherFocusReason);
  QTimer::singleShot(hold_ms, this, [this] {
    announcing_ = false;
    restoreFocus();
  });
}

bool BlockGrid::moveFocus(int from, const QKeyEvent& key) {
  const int to = gridKeyTarget(from, key.key(), key.modifiers());
  if (to < 0) return false;
  if (BlockButton* b = available(to); b && !b->hasFocus()) {
    b->setFocus(Qt::OtherFocusReason);
  } else {
    // An edge, or a hidden cell: the key moves nothing, and a silent key would break the
    // player's count.
    announceFocus(kAnnounceHold);
  }
  return true;
}
