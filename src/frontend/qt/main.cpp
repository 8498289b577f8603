// The Linux program: the Qt window, the player's screen reader or else the desktop's speech
// server, SDL sound, and the game logic, put together.
#include <QApplication>
#include <QByteArray>
#include <QDBusConnection>
#include <QMutex>
#include <QString>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "form/form1.h"
#include "frontend/qt/main_window.h"
#include "frontend/qt/qt_dialogs.h"
#include "frontend/qt/screen_reader.h"
#include "platform/linux/linux_host.h"
#include "platform/linux/sdl_sound.h"
#include "platform/linux/speechd_speech.h"
#include "platform/std_random.h"

namespace {

// Qt's messages while the application is made, held back until it is known whether there is
// a display at all: without one Qt gives up with a fatal message and aborts, which would
// leave a core file behind and several lines meant for its own developers.
class StartMessages {
 public:
  StartMessages() { previous_ = qInstallMessageHandler(&StartMessages::Hold); }
  // The messages held, now passed on as Qt would have shown them.
  ~StartMessages() {
    qInstallMessageHandler(previous_);
    QMutexLocker lock(&mutex_);
    for (const Message& message : held_) {
      const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
      previous_(message.type, context, message.text);
    }
    held_.clear();
  }

 private:
  struct Message {
    QtMsgType type;
    QByteArray category;
    QString text;
  };

  static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
      const QByteArray display = qgetenv("DISPLAY");
      std::fprintf(stderr, "tolvos: no usable display to show the window on (%s%s)\n",
                   display.isEmpty() ? "DISPLAY is not set" : "DISPLAY=", display.constData());
      std::fflush(stderr);
      std::_Exit(1);
    }
    QMutexLocker lock(&mutex_);
    held_.push_back({type, context.category, text});
  }

  static inline QtMessageHandler previous_ = nullptr;
  static inline QMutex mutex_;
  static inline std::vector<Message> held_;
};

}  // namespace

int main(int argc, char* argv[]) {
  // A file-size limit then makes a save fail, as a full disk does, instead of ending the game.
  std::signal(SIGXFSZ, SIG_IGN);
  auto messages = std::make_unique<StartMessages>();
  QApplication app(argc, argv);
  messages.reset();
  QApplication::setApplicationName(QStringLiteral("tolvos"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tolvos.Tolvos"));

  MainWindow window;
  QtDialogs dialogs(&window);
  LinuxHost host;
  SpeechdSpeech own_voice;
  ScreenReaderStatus screen_reader(QDBusConnection::sessionBus());
  Announcer announcer(&window, window.statusLines());
  ScreenReaderVoice speech(own_voice, announcer, screen_reader);
  SdlSound sound;
  StdRandom random;
  Form1 form({window, window, dialogs, host, speech, sound, random});
  dialogs.follow(form.language);
  window.setEvents(&form);

  form.Form_Load();
  window.show();
  // Closing the window, however it is done, ends the program here: nothing is asked or saved.
  return QApplication::exec();
}
