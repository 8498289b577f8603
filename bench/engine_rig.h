// An engine wired to recording fakes, its timers on a virtual clock, for the benchmarks.
#pragma once

#include <string>

#include "fakes/engine_ticks.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_speech.h"
#include "fakes/fake_window.h"
#include "fakes/mem_host.h"
#include "fakes/virtual_clock.h"
#include "game/engine.h"

struct Rig {
  FakeWindow window;
  VirtualClock clock;
  FakeDialogs dialogs;
  FakeSpeech speech;
  FakeSound sound;
  Language language;
  MemHost host;
  std::string app_folder = host.program_folder_with_separator();
  BestScores scores{host, dialogs, language, app_folder};
  Engine engine;

  explicit Rig(Random& random)
      : engine({window, clock, dialogs, speech, sound, random}, language, scores) {
    engine.FillColourTables();
    DeliverTicks(clock, engine);
  }
};
