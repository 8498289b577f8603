// The current language: 0 Spanish, 1 English, never another value.
#pragma once

#include <cstdint>

#include "lang/bilingual.h"

class Language {
 public:
  std::int16_t LanguageIndex = 0;

  const char* Text(const Bilingual& text) const { return text.In(LanguageIndex); }
};
