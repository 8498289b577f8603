// What the engine's benchmarks start from: an engine rig whose journal records nothing, dealt
// by the game's own random source from a fixed seed, so that every run plays the same games.
#pragma once

#include "fakes/engine_rig.h"
#include "platform/std_random.h"

struct SeededDeal {
  explicit SeededDeal(float seed) { deal.Randomize(seed); }
  StdRandom deal;
};

struct BenchRig : SeededDeal, EngineRig {
  explicit BenchRig(float seed) : SeededDeal(seed), EngineRig(&deal) { journal.recording = false; }
};
