// Each Qt event of the main window becomes one call of its handler in Form1.
#include "ui/qt/connect_form.h"

#include <QTimer>

#include "ui/form1.h"
#include "ui/qt/main_window.h"

void connectForm(MainWindow& window, Form1& form) {
  QObject::connect(&window, &MainWindow::buttonClicked, &window,
                   [&form](int k) { form.Command1_Click(static_cast<std::int16_t>(k)); });
  QObject::connect(&window, &MainWindow::buttonFocused, &window,
                   [&form](int k) { form.Command1_GotFocus(static_cast<std::int16_t>(k)); });

  QObject::connect(window.timer(TimerId::TmrRecolocar), &QTimer::timeout, &window,
                   [&form] { form.TmrRecolocar_Timer(); });
  QObject::connect(window.timer(TimerId::TmrBajar), &QTimer::timeout, &window,
                   [&form] { form.TmrBajar_Timer(); });
  QObject::connect(window.timer(TimerId::Timer1), &QTimer::timeout, &window,
                   [&form] { form.Timer1_Timer(); });

  // The key handler and the menu commands join here, one connection each:
  // MainWindow::keyDown, menuAction(MenuId::...)->triggered and languageAction(0 or 1).
}
