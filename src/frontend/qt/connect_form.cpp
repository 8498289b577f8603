// Each Qt event of the main window becomes one call of Form1.
#include "frontend/qt/connect_form.h"

#include <QAction>
#include <QTimer>

#include "form/form1.h"
#include "form/window_design.h"
#include "frontend/qt/block_grid.h"
#include "frontend/qt/main_window.h"

void connectForm(MainWindow& window, Form1& form) {
  QObject::connect(&window, &MainWindow::buttonClicked, &window,
                   [&form](int k) { form.Command1_Click(static_cast<std::int16_t>(k)); });
  for (TimerId id : {TimerId::TmrRecolocar, TimerId::TmrBajar, TimerId::Timer1})
    QObject::connect(window.timer(id), &QTimer::timeout, &window, [&form, id] { form.Tick(id); });
  window.grid()->onKey = [&form](int k, int keyCode, int shift) {
    return form.SurveyKey(static_cast<std::int16_t>(keyCode), static_cast<std::int16_t>(shift),
                          static_cast<std::int16_t>(k));
  };
  QObject::connect(&window, &MainWindow::keyDown, &window, [&form](int keyCode, int shift) {
    form.Form_KeyDown(static_cast<std::int16_t>(keyCode), static_cast<std::int16_t>(shift));
  });
  for (const MenuDesign& design : kMenuTree) {
    QObject::connect(window.menuAction(design.item), &QAction::triggered, &window,
                     [&form, item = design.item] { form.Menu(item); });
  }
}
