// An engine wired to fakes that record what it does, its timers on a virtual clock: what the
// engine's tests and benchmarks start from.
#pragma once

#include <string>

#include "fakes/engine_ticks.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_speech.h"
#include "fakes/fake_window.h"
#include "fakes/journal.h"
#include "fakes/mem_host.h"
#include "fakes/scripted_random.h"
#include "fakes/virtual_clock.h"
#include "game/engine.h"

struct EngineRig {
  // The deal comes from `random`, scripted, unless another source is given.
  explicit EngineRig(Random* deal = nullptr)
      : engine({window, clock, dialogs, speech, sound, deal ? *deal : random}, language, scores) {
    engine.FillColourTables();
    DeliverTicks(clock, engine);
  }

  Journal journal;
  FakeWindow window{&journal};
  VirtualClock clock;
  FakeDialogs dialogs{&journal};
  FakeSpeech speech{&journal};
  FakeSound sound{&journal};
  ScriptedRandom random;
  Language language;
  MemHost host;
  std::string app_folder = host.program_folder_with_separator();
  BestScores scores{host, dialogs, language, app_folder};
  Engine engine;
};
