// Each event of the main window becomes one call of its handler in Form1.
#include "frontend/win32/connect_form.h"

#include <cstdint>

#include "form/form1.h"
#include "frontend/win32/main_window.h"

void ConnectForm(MainWindow& window, Form1& form) {
  MainWindow::Events& events = window.events();
  events.blocks.clicked = [&form](int k) { form.Command1_Click(static_cast<std::int16_t>(k)); };
  // The system's virtual key codes are the key codes the handler expects (27 Escape, 65 A).
  events.key_down = [&form](int key_code, int shift) {
    form.Form_KeyDown(static_cast<std::int16_t>(key_code), static_cast<std::int16_t>(shift));
  };
  events.command = [&form](MenuCommand command) {
    switch (command) {
      case MenuCommand::MnuJueNue: form.MnuJueNue_Click(); break;
      case MenuCommand::MnuJueMej: form.MnuJueMej_Click(); break;
      case MenuCommand::MnuJueIns: form.MnuJueIns_Click(); break;
      case MenuCommand::Spanish: form.MnuJueIdiList_Click(0); break;
      case MenuCommand::English: form.MnuJueIdiList_Click(1); break;
      case MenuCommand::MnuJueSal: form.MnuJueSal_Click(); break;
    }
  };
  events.tick = [&form](TimerId id) {
    switch (id) {
      case TimerId::TmrRecolocar: form.TmrRecolocar_Timer(); break;
      case TimerId::TmrBajar: form.TmrBajar_Timer(); break;
      case TimerId::Timer1: form.Timer1_Timer(); break;
    }
  };
}
