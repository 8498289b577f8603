// A random source whose deal is known: it yields the numbers that draw the given codes.
#pragma once

#include <cassert>
#include <vector>

#include "ports/random.h"

class ScriptedRandom : public Random {
 public:
  // Each draw gives the next code of the list, from the first again after the last.
  void SetCodes(std::vector<int> codes) {
    codes_ = std::move(codes);
    next_ = 0;
  }
  void Randomize(float seed) override {
    seeds.push_back(seed);
  }
  float Rnd() override {
    assert(!codes_.empty());
    const int code = codes_[next_++ % codes_.size()];
    assert(code >= 1 && code <= 5);
    ++draws;
    return (static_cast<float>(code) - 0.5f) / 5.0f;  // the middle of the code's fifth of [0, 1)
  }
  std::vector<float> seeds;
  int draws = 0;

 private:
  std::vector<int> codes_{1};
  std::size_t next_ = 0;
};
