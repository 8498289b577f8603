// The real window with the game logic behind it, and fakes for speech, sound, files, the deal
// and the boxes: what the window tests start from.
#pragma once

#include <QObject>
#include <QTest>

#include "fakes/form_rig.h"
#include "frontend/qt/main_window.h"

// A test class's base: startWindow() in its init(), stopWindow() in its cleanup().
class FormWindowTest : public QObject, protected FormFakes {
 protected:
  // Resets the fakes, wires a new Form1 to a new window, runs its start-up and shows it.
  void startWindow() {
    static_cast<FormFakes&>(*this) = FormFakes();
    random.SetCodes({1, 2, 3, 4, 5, 3, 3});
    window = new MainWindow;
    form = new Form1(PortsWith(*window, *window));
    events = EventTap();
    events.next = form;
    window->setEvents(&events);
    form->Form_Load();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
  }

  void stopWindow() {
    delete window;
    delete form;
  }

  MainWindow* window = nullptr;
  Form1* form = nullptr;
  // What the window hands the form, for a test to watch.
  EventTap events;
};
