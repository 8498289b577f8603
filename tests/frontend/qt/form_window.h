// The real window with the game logic behind it, and fakes for speech, sound, files, the deal
// and the boxes: what the window tests start from.
#pragma once

#include <QObject>
#include <QTest>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_speech.h"
#include "fakes/mem_host.h"
#include "fakes/scripted_random.h"
#include "form/form1.h"
#include "frontend/qt/connect_form.h"
#include "frontend/qt/main_window.h"

// A test class's base: startWindow() in its init(), stopWindow() in its cleanup().
class FormWindowTest : public QObject {
 protected:
  // Resets the fakes, wires a new Form1 to a new window, runs its start-up and shows it.
  void startWindow() {
    random = ScriptedRandom();
    random.SetCodes({1, 2, 3, 4, 5, 3, 3});
    speech = FakeSpeech();
    sound = FakeSound();
    dialogs = FakeDialogs();
    host = MemHost();
    window = new MainWindow;
    form = new Form1({*window, *window, dialogs, host, speech, sound, random});
    connectForm(*window, *form);
    form->Form_Load();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
  }

  void stopWindow() {
    delete window;
    delete form;
  }

  MainWindow* window = nullptr;
  FakeDialogs dialogs;
  MemHost host;
  FakeSpeech speech;
  FakeSound sound;
  ScriptedRandom random;
  Form1* form = nullptr;
};
