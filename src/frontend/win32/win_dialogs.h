// The game's modal boxes on Windows: the system's message box, and a name box of our own.
#pragma once

#include "frontend/win32/windows_api.h"

#include <string>

#include "lang/language.h"
#include "ports/dialog_ops.h"

class WinDialogs : public DialogOps {
 public:
  // Boxes open over owner, which they disable while open. Until Follow() names the
  // language, their buttons are English.
  explicit WinDialogs(HWND owner) : owner_(owner) {}

  // The boxes' buttons follow language.LanguageIndex from now on.
  void Follow(const Language& language) { language_ = &language; }

  BoxAnswer MessageBox(const std::string& text, const std::string& title,
                       BoxButtons buttons) override;
  std::string InputBox(const std::string& prompt, const std::string& title) override;

 private:
  bool Spanish() const { return language_ && language_->LanguageIndex == 0; }

  HWND owner_;
  const Language* language_ = nullptr;
};
