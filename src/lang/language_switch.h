// Applying a language to the window's captions, and the file that keeps the choice between runs.
#pragma once

#include <cstdint>
#include <string>

#include "lang/language.h"
#include "ports/host_ops.h"
#include "ports/window_ops.h"

class LanguageSwitch {
 public:
  // score and app_folder are read when a language is applied; they may be bound before
  // their owners have set them. An empty app_folder means no file is read or written.
  LanguageSwitch(Language& language, WindowOps& window, HostOps& host, const std::int32_t& score,
                 const std::string& app_folder);

  // The two language items (0 Español, 1 English): sets LanguageIndex, the window's captions
  // and the score line, and writes the language file.
  void MnuJueIdiList_Click(std::int16_t Index);
  // At start-up: applies the language the file names; without a file nothing changes and no
  // file is made.
  void LoadLanguage();

 private:
  std::string FilePath() const { return app_folder_ + "Idioma.dat"; }

  Language& language_;
  WindowOps& window_;
  HostOps& host_;
  const std::int32_t& score_;
  const std::string& app_folder_;
};
