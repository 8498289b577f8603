// The main window's logic without its widgets: the state of the whole run and every handler.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "form/kept_lines.h"
#include "form/window_events.h"
#include "game/engine.h"
#include "lang/language.h"
#include "lang/language_switch.h"
#include "scores/best_scores.h"
#include "ports/sound_ops.h"
#include "ports/speech_ops.h"
#include "ports/dialog_ops.h"
#include "ports/host_ops.h"
#include "ports/timer_ops.h"
#include "ports/window_ops.h"

struct FormPorts {
  WindowOps& window;
  TimerOps& timers;
  DialogOps& dialogs;
  HostOps& host;
  SpeechOps& speech;
  SoundOps& sound;
  Random& random;
};

inline constexpr std::int16_t kKeyEscape = 27;

inline constexpr Bilingual kWelcome{
    "Bienvenido a TOLVOS. Utilice el cursor de Jaws para jugar. Velmar.",
    "Welcome to Tolvos. Use the Jaws cursor to play. Velmar"};

class Form1 : public WindowEvents {
 public:
  explicit Form1(FormPorts ports);

  Language language;
  // Where the best-score and language files live, ending in a separator: the program's
  // folder, or the player's data folder when the program's folder cannot be written. Empty
  // when neither is there: the files are then neither read nor written.
  std::string AppFolder;
  // The window as the game writes to it; it keeps the two lines for the survey keys.
  KeptLines lines;
  BestScores scores;
  Engine engine;
  LanguageSwitch language_switch;

  // Start-up; runs before the window is shown and before any other event.
  void Form_Load();
  // Command1 is the control array of the 150 block buttons.
  void Command1_Click(std::int16_t Index) override { engine.Command1_Click(Index); }
  // Key preview: every key press of the window reaches this first and goes on afterwards.
  // Escape, whatever the shift state, offers to give up the game.
  void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift) override;
  // A survey key (survey.h) pressed on block Index: moves the keyboard focus where it says,
  // then speaks its text. During a fall it acts on the board as it will rest, after a game's
  // end on the board that was left. False, doing nothing, for any other key.
  bool SurveyKey(std::int16_t KeyCode, std::int16_t Shift, std::int16_t Index) override;
  // The game menu (MnuJuego): new game, which hands the keyboard to the first block; the
  // instructions; the language items (MnuJueIdiList, 0 Español, 1 English); exit; the best
  // scores.
  void MnuJueNue_Click();
  void MnuJueIns_Click();
  void MnuJueIdiList_Click(std::int16_t Index);
  void MnuJueSal_Click() { ports_.window.CloseWindow(); }
  void MnuJueMej_Click() { scores.ShowBestScores(); }
  // Every menu command and shortcut key, and every timer tick, come in here and go on to
  // their handler.
  void Menu(MenuId item) override;
  void Tick(TimerId id) override;
  // The three timers' ticks, handled by the engine.
  void TmrBajar_Timer() { engine.TmrBajar_Timer(); }
  void Timer1_Timer() { engine.Timer1_Timer(); }
  void TmrRecolocar_Timer() { engine.TmrRecolocar_Timer(); }

 private:
  void SetAppFolder();
  void LoadSounds();
  // Gives every block its place on the grid, in the current language, for a screen reader.
  void DescribeBlocks();

  FormPorts ports_;
};
