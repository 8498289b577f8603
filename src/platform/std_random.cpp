// Seeding from the time of day, and draws in [0, 1).
#include "platform/std_random.h"

#include <bit>
#include <cstdint>

void StdRandom::Randomize(float seed) {
  // The seed's bits, fraction included, so two starts within one second still differ.
  engine_.seed(std::bit_cast<std::uint32_t>(seed));
}

float StdRandom::Rnd() {
  // 24 random bits fill a float's mantissa exactly: the result can never round up to 1.
  return static_cast<float>(engine_() >> 8) * 0x1p-24f;
}
