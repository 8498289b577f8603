// Texts for the screen reader with Qt before 6.8, which has no announcements: a notification
// inside the status bar, whose label holds the text, is said to appear once for each text. The
// screen reader speaks a notification that appears and puts its label on braille; inside a
// status bar it says no role name first, and reads the label whether it shows or not.
#include <QAccessible>
#include <QLabel>
#include <QTimer>

#include <utility>

#include "frontend/qt/accessibility.h"
#include "frontend/qt/screen_reader.h"

namespace {

// The screen reader reads the label some 25 to 60 ms after the notification appears: a text
// sooner after the last would replace it unheard, so texts that close are joined.
constexpr int kSpacingMs = 150;

class NoticeMeans : public Announcer::Means {
 public:
  // The notification is never shown: the screen reader's status bar command and its review of
  // the window read only what shows, so they find the two lines alone.
  explicit NoticeMeans(QWidget* status_bar)
      : notice_(new Notice(status_bar)), label_(new QLabel(notice_)) {
    notice_->hide();
    label_->setTextFormat(Qt::PlainText);
    spacing_.setSingleShot(true);
    spacing_.setInterval(kSpacingMs);
    QObject::connect(&spacing_, &QTimer::timeout, notice_, [this] {
      if (!joined_.isEmpty()) appear(std::exchange(joined_, {}));
    });
  }

  // Both kinds alike: the screen reader says a notification after its own words, and a key
  // the player presses cuts it.
  void present(const QString& text, Kind) override {
    if (spacing_.isActive()) {
      joined_ = joined_.isEmpty() ? text : joined_ + QLatin1Char(' ') + text;
      return;
    }
    appear(text);
  }

 private:
  void appear(const QString& text) {
    label_->setText(text);
    QAccessibleEvent event(notice_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&event);
    spacing_.start();
  }

  Notice* notice_;  // owned by the status bar
  QLabel* label_;
  QTimer spacing_;
  QString joined_;  // the texts that came too soon after the last, for its next appearance
};

}  // namespace

std::unique_ptr<Announcer::Means> Announcer::Means::Make(QWidget*, QWidget* status_bar) {
  return std::make_unique<NoticeMeans>(status_bar);
}
