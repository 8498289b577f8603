// The Linux program: the Qt window, the desktop's speech server and SDL sound, and the game
// logic, put together.
#include <QApplication>

#include <csignal>

#include "form/form1.h"
#include "frontend/qt/connect_form.h"
#include "frontend/qt/main_window.h"
#include "frontend/qt/qt_dialogs.h"
#include "frontend/qt/qt_host.h"
#include "platform/linux/sdl_sound.h"
#include "platform/linux/speechd_speech.h"
#include "platform/std_random.h"

int main(int argc, char* argv[]) {
  // A file-size limit then makes a save fail, as a full disk does, instead of ending the game.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tolvos"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tolvos.Tolvos"));

  MainWindow window;
  QtDialogs dialogs(&window);
  QtHost host;
  SpeechdSpeech speech;
  SdlSound sound;
  StdRandom random;
  Form1 form({window, window, dialogs, host, speech, sound, random});
  dialogs.follow(form.language);
  connectForm(window, form);

  form.Form_Load();
  window.show();
  // Closing the window, however it is done, ends the program here: nothing is asked or saved.
  return QApplication::exec();
}
