// The program: the window, the platform's services and the game logic, put together.
#include <QApplication>

#include "game/std_random.h"
#include "speech/backends.h"
#include "ui/form1.h"
#include "ui/qt/connect_form.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/qt_host.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tolvos"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tolvos.Tolvos"));

  MainWindow window;
  QtDialogs dialogs(&window);
  QtHost host;
  const auto speech = MakeSystemSpeech();
  const auto sound = MakeSystemSound();
  StdRandom random;
  Form1 form({window, window, dialogs, host, *speech, *sound, random});
  dialogs.follow(form.language);
  connectForm(window, form);

  form.Form_Load();
  window.show();
  // Closing the window, however it is done, ends the program here: nothing is asked or saved.
  return QApplication::exec();
}
