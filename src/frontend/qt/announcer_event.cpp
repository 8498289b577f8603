// Texts for the screen reader with Qt 6.8 and later: an announcement event from the window,
// which the screen reader speaks and flashes on braille.
#include <QAccessible>
#include <QWidget>

#include "frontend/qt/screen_reader.h"

namespace {

class AnnouncementMeans : public Announcer::Means {
 public:
  explicit AnnouncementMeans(QWidget* window) : window_(window) {}

  // The greeting waits for what the screen reader says of the window and the focused block;
  // an answer replaces whatever is still being said, as the block an arrow reaches does: the
  // echo of the key, or the count of the group marked before.
  void present(const QString& text, Kind kind) override {
    QAccessibleAnnouncementEvent event(window_, text);
    event.setPoliteness(kind == Kind::Greeting ? QAccessible::AnnouncementPoliteness::Polite
                                               : QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&event);
  }

 private:
  QWidget* window_;
};

}  // namespace

std::unique_ptr<Announcer::Means> Announcer::Means::Make(QWidget* window, QWidget*) {
  return std::make_unique<AnnouncementMeans>(window);
}
