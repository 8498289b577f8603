// The main window's logic without its widgets: the state of the whole run and every handler.
#pragma once

#include <cstdint>
#include <string>

#include "game/engine.h"
#include "lang/language.h"
#include "scores/best_scores.h"
#include "speech/speech_ops.h"
#include "ui/dialog_ops.h"
#include "ui/host_ops.h"
#include "ui/timer_ops.h"
#include "ui/window_ops.h"

struct FormPorts {
  WindowOps& window;
  TimerOps& timers;
  DialogOps& dialogs;
  HostOps& host;
  SpeechOps& speech;
  SoundOps& sound;
  Random& random;
};

inline constexpr Bilingual kWelcome{
    "Bienvenido a TOLVOS. Utilice el cursor de Jaws para jugar. Velmar.",
    "Welcome to Tolvos. Use the Jaws cursor to play. Velmar"};

class Form1 {
 public:
  explicit Form1(FormPorts ports);

  Language language;
  std::string AppFolder;
  BestScores scores;
  Engine engine;

  // Start-up; runs before the window is shown and before any other event.
  void Form_Load();
  void Command1_Click(std::int16_t Index) { engine.Command1_Click(Index); }
  void Command1_GotFocus(std::int16_t /*Index*/) {}
  void TmrBajar_Timer() { engine.TmrBajar_Timer(); }
  void Timer1_Timer() { engine.Timer1_Timer(); }
  void TmrRecolocar_Timer() { engine.TmrRecolocar_Timer(); }
  void MnuJueMej_Click() { scores.ShowBestScores(); }

 private:
  void SetAppFolder();

  FormPorts ports_;
};
