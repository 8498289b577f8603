// Each Qt event of the main window becomes one call of its handler in Form1.
#include "frontend/qt/connect_form.h"

#include <QAction>
#include <QTimer>

#include "form/form1.h"
#include "frontend/qt/main_window.h"

void connectForm(MainWindow& window, Form1& form) {
  QObject::connect(&window, &MainWindow::buttonClicked, &window,
                   [&form](int k) { form.Command1_Click(static_cast<std::int16_t>(k)); });

  QObject::connect(window.timer(TimerId::TmrRecolocar), &QTimer::timeout, &window,
                   [&form] { form.TmrRecolocar_Timer(); });
  QObject::connect(window.timer(TimerId::TmrBajar), &QTimer::timeout, &window,
                   [&form] { form.TmrBajar_Timer(); });
  QObject::connect(window.timer(TimerId::Timer1), &QTimer::timeout, &window,
                   [&form] { form.Timer1_Timer(); });

  QObject::connect(&window, &MainWindow::keyDown, &window, [&form](int keyCode, int shift) {
    form.Form_KeyDown(static_cast<std::int16_t>(keyCode), static_cast<std::int16_t>(shift));
  });

  QObject::connect(window.menuAction(MenuId::MnuJueNue), &QAction::triggered, &window,
                   [&form] { form.MnuJueNue_Click(); });
  QObject::connect(window.menuAction(MenuId::MnuJueMej), &QAction::triggered, &window,
                   [&form] { form.MnuJueMej_Click(); });
  QObject::connect(window.menuAction(MenuId::MnuJueIns), &QAction::triggered, &window,
                   [&form] { form.MnuJueIns_Click(); });
  QObject::connect(window.languageAction(0), &QAction::triggered, &window,
                   [&form] { form.MnuJueIdiList_Click(0); });
  QObject::connect(window.languageAction(1), &QAction::triggered, &window,
                   [&form] { form.MnuJueIdiList_Click(1); });
  QObject::connect(window.menuAction(MenuId::MnuJueSal), &QAction::triggered, &window,
                   [&form] { form.MnuJueSal_Click(); });
}
