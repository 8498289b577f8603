// Whether a screen reader runs, and the game's texts routed to it or to the game's own voice.
#include "frontend/qt/screen_reader.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QEvent>
#include <QWidget>

#include <utility>

#include "frontend/qt/convert.h"

namespace {

const QString kBusService = QStringLiteral("org.a11y.Bus");
const QString kBusPath = QStringLiteral("/org/a11y/bus");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kStatus = QStringLiteral("org.a11y.Status");
const QString kScreenReaderEnabled = QStringLiteral("ScreenReaderEnabled");
// The bus answers at once or not at all; the texts wait no longer than this for it.
constexpr int kReadTimeoutMs = 1000;

}  // namespace

ScreenReaderStatus::ScreenReaderStatus(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
  if (!bus_.isConnected()) {
    set(false);
    return;
  }
  bus_.connect(kBusService, kBusPath, kProperties, QStringLiteral("PropertiesChanged"), this,
               SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
  read();
}

void ScreenReaderStatus::read() {
  QDBusMessage get = QDBusMessage::createMethodCall(kBusService, kBusPath, kProperties,
                                                    QStringLiteral("Get"));
  get << kStatus << kScreenReaderEnabled;
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(get, kReadTimeoutMs), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this](QDBusPendingCallWatcher* call) {
            call->deleteLater();
            const QDBusPendingReply<QDBusVariant> reply = *call;
            set(!reply.isError() && reply.value().variant().toBool());
          });
}

void ScreenReaderStatus::propertiesChanged(const QString& interface, const QVariantMap& changed,
                                           const QStringList& invalidated) {
  if (interface != kStatus) return;
  if (auto value = changed.find(kScreenReaderEnabled); value != changed.end()) {
    set(value->toBool());
  } else if (invalidated.contains(kScreenReaderEnabled)) {
    read();
  }
}

void ScreenReaderStatus::set(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  emit changed();
}

Announcer::Announcer(QWidget* window, QWidget* status_bar)
    : window_(window), means_(Means::Make(window, status_bar)) {
  window_->installEventFilter(this);
}

Announcer::~Announcer() = default;

void Announcer::announce(const QString& text) {
  if (!activated_ && !window_->isActiveWindow()) {
    waiting_.append(text);
    return;
  }
  activated_ = true;
  means_->present(text, Means::Kind::Answer);
}

bool Announcer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::WindowActivate && !activated_) {
    activated_ = true;
    for (const QString& text : std::exchange(waiting_, {}))
      means_->present(text, Means::Kind::Greeting);
  }
  return QObject::eventFilter(watched, event);
}

ScreenReaderVoice::ScreenReaderVoice(SpeechOps& own_voice, Announcer& announcer,
                                     ScreenReaderStatus& status)
    : own_voice_(own_voice), announcer_(announcer), status_(status) {
  QObject::connect(&status_, &ScreenReaderStatus::changed, &status_, [this] {
    for (const auto& [text, language] : std::exchange(waiting_, {})) Deliver(text, language);
  });
}

void ScreenReaderVoice::Speak(const std::string& text, std::int16_t language_index) {
  if (!status_.enabled().has_value()) {
    waiting_.emplace_back(text, language_index);
    return;
  }
  Deliver(text, language_index);
}

void ScreenReaderVoice::Deliver(const std::string& text, std::int16_t language_index) {
  if (*status_.enabled()) {
    announcer_.announce(toQString(text));
  } else {
    own_voice_.Speak(text, language_index);
  }
}
