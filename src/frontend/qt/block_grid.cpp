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

#include "frontend/qt/convert.h"

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

void BlockButton::setDescription(const QString& description) {
  if (description == description_) return;
  const bool first = description_.isEmpty();
  description_ = description;
  // A block's first place is set before anything can have read it.
  if (first) return;
  // Orca 48 keeps the description it last spoke of an object for up to two seconds, and no
  // news of a change shortens that: a block read just before a language switch would be read
  // in the old language if met again soon. So the block gets a new accessible object, of which
  // Orca has read nothing. The focused block says it has the focus, which moves the screen
  // reader from the old object to the new one and reads the block with its new place; any
  // other is read afresh when the focus comes to it.
  if (QAccessibleInterface* old = QAccessible::queryAccessibleInterface(this))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
  if (!hasFocus()) return;
  QAccessibleEvent event(this, QAccessible::Focus);
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
    painter.fillRect(outer, bgrToColor(FocusFrameInk(colorToBgr(face_))));
  }
}

void BlockButton::keyPressEvent(QKeyEvent* event) {
  // With the press: a release may belong to a key that was pressed in a box closed since.
  if (GridFocus::IsClickKey(keyCodeOf(event->key()), shiftStateOf(event->modifiers()),
                            event->key() == Qt::Key_Enter)) {
    if (!event->isAutoRepeat()) click();
    return;
  }
  if (grid_->playKey(index_, *event)) return;
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

void BlockGrid::setBlockVisible(int k, bool visible) { setBlock(k, visible, &QWidget::setVisible); }
void BlockGrid::setBlockEnabled(int k, bool enabled) { setBlock(k, enabled, &QWidget::setEnabled); }

void BlockGrid::setBlock(int k, bool on, void (QWidget::*set)(bool)) {
  BlockButton* b = button(k);
  if (!on) parkIfFocused(b);
  (b->*set)(on);
  if (on && k == focusIndex()) restoreFocus();
}

void BlockGrid::parkIfFocused(BlockButton* b) {
  // Left alone, Qt would pass the focus on along the tab chain: to another block, or out of
  // the grid once no block can take it. The window's focus is asked rather
  // than the application's, so that a block hidden while a box is open is parked too.
  if (GridFocus::Parks(window()->focusWidget() == b)) setFocus(Qt::OtherFocusReason);
}

void BlockGrid::restoreFocus() {
  // An open menu has the keys; when it closes the grid gets the focus again, and with it the
  // block. With a box open, the block becomes the focus the window gets back.
  carryOut(focus_.Return(parked(), QApplication::activePopupWidget() != nullptr));
}

void BlockGrid::carryOut(const FocusStep& step) {
  switch (step.kind) {
    case FocusStep::Pass:
    case FocusStep::Stay: return;
    case FocusStep::Focus: button(step.block)->setFocus(Qt::OtherFocusReason); return;
    case FocusStep::Park: setFocus(Qt::OtherFocusReason); return;
    case FocusStep::Reread:
      // The block keeps its frame meanwhile, and a key pressed meanwhile moves on from it.
      if (!button(step.block)->hasFocus()) return focus_.EndReread();
      setFocus(Qt::OtherFocusReason);
      QTimer::singleShot(step.hold_ms, this, [this] {
        focus_.EndReread();
        restoreFocus();
      });
      return;
  }
}

bool BlockGrid::focusNextPrevChild(bool next) {
  if (focusIndex() < 0) return QWidget::focusNextPrevChild(next);
  const FocusStep step = focus_.Key(focusIndex(), keyCodeOf(Qt::Key_Tab), next ? 0 : 1);
  if (step.kind == FocusStep::Focus)
    button(step.block)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void BlockGrid::keyPressEvent(QKeyEvent* event) {
  // Keys a block leaves alone pass here on their way to the window; only the grid's own count.
  if (hasFocus() && focusIndex() >= 0 && playKey(focusIndex(), *event)) return;
  QWidget::keyPressEvent(event);
}

void BlockGrid::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // Back from a menu or a box: the block may be ready again by now. Not from inside this
  // event: the focus change that sends it is not over yet, and a screen reader would hear
  // the grid last.
  if (focus_.ReturnsOnGridFocus())
    QMetaObject::invokeMethod(this, [this] { restoreFocus(); }, Qt::QueuedConnection);
}

void BlockGrid::focusBlock(int k) {
  const BlockButton* b = available(k);
  carryOut(focus_.Deal(k, b && b->hasFocus()));
}

void BlockGrid::takeFocusBack() { carryOut(focus_.Back()); }

bool BlockGrid::playKey(int from, const QKeyEvent& key) {
  // Tab is the tab chain's, through focusNextPrevChild().
  if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) return false;
  const std::int16_t keyCode = keyCodeOf(key.key()), shift = shiftStateOf(key.modifiers());
  const FocusStep step = focus_.Key(from, keyCode, shift);
  if (step.kind == FocusStep::Pass)
    return events_ && events_->SurveyKey(keyCode, shift, static_cast<std::int16_t>(from));
  carryOut(step.kind == FocusStep::Reread ? focus_.Reread(step.hold_ms) : step);
  return true;
}
