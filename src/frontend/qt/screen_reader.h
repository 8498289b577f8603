// The player's screen reader as the game's voice. While one runs, the game's texts (the
// welcome, a marking's count, the answers about the board) go to it through the accessibility
// bus, and it speaks them in the voice the player chose and shows them on braille; without
// one they go to the game's own speech as before. Never both: a text is heard once.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ports/speech_ops.h"

class QWidget;

// Whether a screen reader runs, as the desktop says it: the accessibility bus's
// ScreenReaderEnabled, which the desktop's screen-reader switch sets. It is read once at start
// without waiting for the answer, and followed as it changes.
class ScreenReaderStatus : public QObject {
  Q_OBJECT

 public:
  explicit ScreenReaderStatus(QDBusConnection bus, QObject* parent = nullptr);
  // Empty until the bus has answered, or failed to (then false).
  std::optional<bool> enabled() const { return enabled_; }

 signals:
  void changed();

 private slots:
  void propertiesChanged(const QString& interface, const QVariantMap& changed,
                         const QStringList& invalidated);

 private:
  void read();
  void set(bool enabled);

  QDBusConnection bus_;
  std::optional<bool> enabled_;
};

// Texts for the screen reader to present itself, by the means this build's Qt has. A text
// given before the window was first active waits for it: until then the screen reader may not
// know the window and would drop the text.
class Announcer : public QObject {
 public:
  class Means;  // one for each Qt version, chosen when the program is built

  Announcer(QWidget* window, QWidget* status_bar);
  ~Announcer() override;

  void announce(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::unique_ptr<Means> means_;
  QStringList waiting_;  // the texts given before the window was first active
  bool activated_ = false;
};

// How this build's Qt gets a text to the screen reader; made by the one file of the two that
// fits the Qt version.
class Announcer::Means {
 public:
  // A greeting is what was waiting for the window; an answer, what a key of the player's did.
  enum class Kind { Greeting, Answer };

  static std::unique_ptr<Means> Make(QWidget* window, QWidget* status_bar);
  virtual ~Means() = default;
  virtual void present(const QString& text, Kind kind) = 0;
};

// The game's speech: the screen reader's while it runs, own_voice otherwise. Texts given
// before the status is known wait for it, in order.
class ScreenReaderVoice : public SpeechOps {
 public:
  ScreenReaderVoice(SpeechOps& own_voice, Announcer& announcer, ScreenReaderStatus& status);

  void Speak(const std::string& text, std::int16_t language_index) override;

 private:
  void Deliver(const std::string& text, std::int16_t language_index);

  SpeechOps& own_voice_;
  Announcer& announcer_;
  ScreenReaderStatus& status_;
  std::vector<std::pair<std::string, std::int16_t>> waiting_;
};
