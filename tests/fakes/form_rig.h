// A Form1 wired to fakes that record what it does: what the form's tests start from, its
// window a fake and its timers on a virtual clock. A front end's tests and benchmarks put a
// real window (its own timers too) in front of the same fakes.
#pragma once

#include "fakes/fake_dialogs.h"
#include "fakes/fake_speech.h"
#include "fakes/fake_window.h"
#include "fakes/mem_host.h"
#include "fakes/scripted_random.h"
#include "fakes/virtual_clock.h"
#include "form/form1.h"

// Everything behind a Form1 but its window and timers.
struct FormFakes {
  FormPorts PortsWith(WindowOps& window, TimerOps& timers) {
    return {window, timers, dialogs, host, speech, sound, random};
  }

  FakeDialogs dialogs;
  MemHost host;
  FakeSpeech speech;
  FakeSound sound;
  ScriptedRandom random;
};

struct FormRig : FormFakes {
  FakeWindow window;
  VirtualClock clock;
  Form1 form{PortsWith(window, clock)};
};
