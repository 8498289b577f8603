// The flag convention of the game state: 0 is false, -1 is true.
#pragma once

#include <cstdint>

inline constexpr std::int16_t kVbFalse = 0;
inline constexpr std::int16_t kVbTrue = -1;
