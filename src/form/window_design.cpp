// The shortcut keys' texts.
#include "form/window_design.h"

std::string ShortcutText(Shortcut shortcut) {
  if (shortcut.key_code == 0) return "";
  const std::string ctrl = (shortcut.shift & kCtrl) ? "Ctrl+" : "";
  if (shortcut.key_code >= 112 && shortcut.key_code < 124)
    return ctrl + "F" + std::to_string(shortcut.key_code - 111);
  return ctrl + static_cast<char>(shortcut.key_code);
}
