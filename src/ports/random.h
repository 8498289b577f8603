// The pseudo-random source of the deal.
#pragma once

class Random {
 public:
  virtual ~Random() = default;
  // Seeds the generator; start-up calls this once.
  virtual void Randomize(float seed) = 0;
  // The next number, uniform in [0, 1).
  virtual float Rnd() = 0;
};
