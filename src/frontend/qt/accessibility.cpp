// The accessible faces of the blocks and of the status lines.
#include "frontend/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include "frontend/qt/block_grid.h"

namespace {

// A block: a push button named by its caption, described by its place on the grid. A block of
// the selected group is expandable and expanded: for a push button, screen readers speak that
// state (and not checked or selected), so the player hears which blocks are marked. An unmarked
// block is not expandable at all, so nothing ("collapsed") is said of it.
class BlockAccessible : public QAccessibleWidget {
 public:
  explicit BlockAccessible(BlockButton* block) : QAccessibleWidget(block, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    // Captions are a vowel or "."; they carry no access key to strip.
    if (t == QAccessible::Name && block()->accessibleName().isEmpty()) return block()->text();
    if (t == QAccessible::Description) return block()->description();
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = block()->isDown();
    s.expandable = s.expanded = block()->marked();
    return s;
  }

  // The same actions as any push button's, so a screen reader presses a block as it would one.
  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (block()->isEnabled()) names.prepend(pressAction());
    return names;
  }

  void doAction(const QString& action) override {
    if (action == pressAction() && block()->isEnabled()) {
      block()->animateClick();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  BlockButton* block() const { return static_cast<BlockButton*>(widget()); }
};

// A line of the status bar: a label whose text is offered as text too. Orca 48 reads only the
// parts of a status bar that have text to offer, and Qt 6.8's labels offer only a name. A line
// has no selection and no caret.
class LineAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit LineAccessible(QLabel* line) : QAccessibleWidget(line, QAccessible::StaticText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? line()->text() : QAccessibleWidget::text(t);
  }

  QString text(int start, int end) const override { return line()->text().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(line()->text().size()); }
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

 private:
  QLabel* line() const { return static_cast<QLabel*>(widget()); }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  if (auto* block = dynamic_cast<BlockButton*>(object)) return new BlockAccessible(block);
  if (auto* notice = dynamic_cast<Notice*>(object))
    return new QAccessibleWidget(notice, QAccessible::Notification);
  if (auto* lines = dynamic_cast<StatusLines*>(object))
    return new QAccessibleWidget(lines, QAccessible::StatusBar);
  if (auto* line = qobject_cast<QLabel*>(object);
      line && dynamic_cast<StatusLines*>(line->parentWidget()))
    return new LineAccessible(line);
  return nullptr;
}

}  // namespace

void installAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}
