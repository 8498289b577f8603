// Texts of the language layer, and the score line every part of the game writes alike.
#pragma once

#include <cstdint>
#include <string>

#include "lang/bilingual.h"

// The score's digits without blanks or separators, then the word.
inline std::string ScoreText(std::int32_t score, std::int16_t language_index) {
  static constexpr Bilingual kPointsWord{" puntos", " points"};
  return std::to_string(score) + kPointsWord.In(language_index);
}
