// Each event of the main window becomes one call of Form1.
#include "frontend/win32/connect_form.h"

#include <cstdint>

#include "form/form1.h"
#include "frontend/win32/main_window.h"

void ConnectForm(MainWindow& window, Form1& form) {
  MainWindow::Events& events = window.events();
  events.blocks.clicked = [&form](int k) { form.Command1_Click(static_cast<std::int16_t>(k)); };
  events.blocks.key = [&form](int k, int key_code, int shift) {
    return form.SurveyKey(static_cast<std::int16_t>(key_code), static_cast<std::int16_t>(shift),
                          static_cast<std::int16_t>(k));
  };
  // The system's virtual key codes are the key codes the handler expects (27 Escape, 65 A).
  events.key_down = [&form](int key_code, int shift) {
    form.Form_KeyDown(static_cast<std::int16_t>(key_code), static_cast<std::int16_t>(shift));
  };
  events.command = [&form](MenuId item) { form.Menu(item); };
  events.tick = [&form](TimerId id) { form.Tick(id); };
}
