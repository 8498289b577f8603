// The game's real random source: a Mersenne Twister giving single-precision numbers in [0, 1).
#pragma once

#include <random>

#include "ports/random.h"

class StdRandom : public Random {
 public:
  void Randomize(float seed) override;
  float Rnd() override;

 private:
  std::mt19937 engine_;
};
