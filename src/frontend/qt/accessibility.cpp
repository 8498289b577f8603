// The accessible faces of the blocks and of the status lines.
#include "frontend/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

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

QAccessibleInterface* Factory(const QString&, QObject* object) {
  if (auto* block = dynamic_cast<BlockButton*>(object)) return new BlockAccessible(block);
  if (auto* lines = dynamic_cast<StatusLines*>(object))
    return new QAccessibleWidget(lines, QAccessible::StatusBar);
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
