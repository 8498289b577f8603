// The real window with the game logic behind it, and fakes for speech, sound, files, the deal
// and the boxes: what the window tests start from.
#pragma once

#include <memory>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_speech.h"
#include "fakes/mem_host.h"
#include "fakes/scripted_random.h"
#include "form/form1.h"
#include "frontend/qt/connect_form.h"
#include "frontend/qt/main_window.h"

// Resets the fakes, wires a new Form1 to the window, runs its start-up and shows the window.
inline std::unique_ptr<Form1> StartForm(MainWindow& window, FakeDialogs& dialogs, MemHost& host,
                                        FakeSpeech& speech, FakeSound& sound,
                                        ScriptedRandom& random) {
  random = ScriptedRandom();
  random.SetCodes({1, 2, 3, 4, 5, 3, 3});
  speech = FakeSpeech();
  sound = FakeSound();
  dialogs = FakeDialogs();
  host = MemHost();
  auto form = std::make_unique<Form1>(FormPorts{window, window, dialogs, host, speech, sound, random});
  connectForm(window, *form);
  form->Form_Load();
  window.show();
  return form;
}
