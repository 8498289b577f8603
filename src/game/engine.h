// The game in progress: the board and its selection, and the procedures that act on them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/grid.h"
#include "ports/random.h"
#include "game/vb.h"
#include "lang/language.h"
#include "scores/best_scores.h"
#include "ports/sound_ops.h"
#include "ports/speech_ops.h"
#include "ports/dialog_ops.h"
#include "ports/timer_ops.h"
#include "ports/window_ops.h"

// The outside world as the engine reaches it.
struct EnginePorts {
  WindowOps& window;
  TimerOps& timers;
  DialogOps& dialogs;
  SpeechOps& speech;
  SoundOps& sound;
  Random& random;
};

inline constexpr int kColourCodes = 6;  // 0 empty, 1 to 5 the colours
inline constexpr std::uint32_t kMarkedColour = 0xFFFFFF;

class Engine {
 public:
  Engine(EnginePorts ports, const Language& language, BestScores& best_scores);

  Grid Board, Marked;
  std::int16_t SelectedIndex = -1;
  std::int16_t MarkedCount = 0;
  std::int32_t Score = 0;
  std::int16_t ColumnsInUse = kColumns;
  std::int16_t GameEnded = kVbFalse;
  // The motion of a fall: the buttons moving in the current step ("000;" per block, in the
  // order the step found them), the animation ticks left in it, and landing sounds owed.
  std::string FallingList;
  std::int16_t FallTicksLeft = 0;
  std::int16_t LandedCount = 0;
  std::array<std::uint32_t, kColourCodes> ColourValues{};
  std::array<std::string, kColourCodes> ColourLetters;

  // Fills the two colour tables; start-up calls it once, before the first NewGame.
  void FillColourTables();
  // Deals a fresh board of 150 blocks, creating the missing buttons on the first call.
  void NewGame();
  void Command1_Click(std::int16_t Index);
  void MarkGroup(int column, int row, std::int16_t colour);
  void RemoveMarked();
  // Moves every block with an empty cell below it down one cell in Board and animates the
  // step; when nothing moves, brings the window in line instead.
  void FallStep();
  // Closes the empty columns, redraws every button from Board, and ends the game when no
  // block is left. Nests once per closed column.
  void RefreshBoard();
  void CloseEmptyColumns();
  void ShiftColumnsLeft(std::int16_t column);
  // Tick handlers of the three timers.
  void TmrBajar_Timer();
  void Timer1_Timer();
  void TmrRecolocar_Timer();
  // Ends the game once: every later request is ignored until the next NewGame. A score above
  // the lowest of the best scores is entered by name, saved and shown.
  void EndGame();

 private:
  void FirstMarking(std::int16_t index);
  void Remarking(std::int16_t index);
  void MarkFrom(std::int16_t index);
  void Announce(bool remarking);
  void ShowScore();
  void RemoveSelectedGroup();
  bool MoveBlocksDownOneCell();
  void AppendFallEntry(int button);
  int FallEntryCount() const;
  int FallEntry(int k) const;
  bool BlockLanded(int button) const;
  void CompleteFall();
  void StopMotion();

  WindowOps& window_;
  TimerOps& timers_;
  DialogOps& dialogs_;
  SpeechOps& speech_;
  SoundOps& sound_;
  Random& random_;
  const Language& language_;
  BestScores& best_;
};
