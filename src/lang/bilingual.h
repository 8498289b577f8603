// A text of the game in its two languages.
#pragma once

#include <cstdint>

struct Bilingual {
  const char* es;
  const char* en;

  const char* In(std::int16_t language_index) const { return language_index == 1 ? en : es; }
};
