// A Form1 wired to fakes that record what it does: what the form's tests start from, its
// window a fake and its timers on a virtual clock. A front end's tests and benchmarks put a
// real window (its own timers too) in front of the same fakes.
#pragma once

#include <functional>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_speech.h"
#include "fakes/fake_window.h"
#include "fakes/mem_host.h"
#include "fakes/scripted_random.h"
#include "fakes/virtual_clock.h"
#include "form/form1.h"
#include "form/window_events.h"

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

// A window's events on their way to the game (next, when there is one), for a test to watch.
struct EventTap : WindowEvents {
  void Command1_Click(std::int16_t k) override {
    if (on_click) on_click(k);
    if (next) next->Command1_Click(k);
  }
  void Form_KeyDown(std::int16_t key_code, std::int16_t shift) override {
    if (on_key_down) on_key_down(key_code, shift);
    if (next) next->Form_KeyDown(key_code, shift);
  }
  bool SurveyKey(std::int16_t key_code, std::int16_t shift, std::int16_t k) override {
    return next && next->SurveyKey(key_code, shift, k);
  }
  void Menu(MenuId item) override {
    if (next) next->Menu(item);
  }
  void Tick(TimerId id) override {
    if (on_tick) on_tick(id);
    if (next) next->Tick(id);
  }

  WindowEvents* next = nullptr;
  std::function<void(int k)> on_click;
  std::function<void(int key_code, int shift)> on_key_down;
  std::function<void(TimerId)> on_tick;
};
