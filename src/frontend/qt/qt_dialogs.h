// The game's modal boxes as Qt dialogs, with their buttons in the game's current language.
#pragma once

#include <QString>

#include <memory>

#include "lang/language.h"
#include "ports/dialog_ops.h"

class QTranslator;
class QWidget;

class QtDialogs : public DialogOps {
 public:
  // Boxes open over parent. Until follow() names the language, Qt's own English is used.
  explicit QtDialogs(QWidget* parent);
  ~QtDialogs() override;

  // The boxes' buttons follow language.LanguageIndex from now on.
  void follow(const Language& language) { language_ = &language; }

  BoxAnswer MessageBox(const std::string& text, const std::string& title,
                       BoxButtons buttons) override;
  std::string InputBox(const std::string& prompt, const std::string& title) override;

 private:
  // Loads or drops Qt's Spanish texts when the language has changed since the last box.
  void useLanguage();
  // Hands the keys back to the window the boxes belong to.
  void giveKeysBack();

  QWidget* parent_;
  const Language* language_ = nullptr;
  std::unique_ptr<QTranslator> spanish_;
  bool spanishInstalled_ = false;
};
