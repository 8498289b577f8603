// The game in progress: the board and its selection, and the procedures that act on them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/grid.h"
#include "game/vb.h"
#include "lang/language.h"
#include "ports/dialog_ops.h"
#include "ports/random.h"
#include "ports/sound_ops.h"
#include "ports/speech_ops.h"
#include "ports/timer_ops.h"
#include "ports/window_ops.h"
#include "scores/best_scores.h"

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

// The state keeps the game's historic names; the handlers are named after the control and the
// event: Command1 is the control array of the 150 block buttons (button k shows cell
// (k mod 15, k div 15)), and each timer has its own tick handler.
class Engine {
 public:
  Engine(EnginePorts ports, const Language& language, BestScores& best_scores);

  // The board: a cell code for each cell, 0 empty, 1 to 5 a colour. It runs ahead of the
  // window: a fall step is in Board from its start while the buttons catch up.
  Grid Board;
  // The game's score and its course: the points so far, the columns from the left not yet
  // closed away, and the end flag (-1 once EndGame has run for this game; 0 until then).
  std::int32_t Score = 0;
  std::int16_t ColumnsInUse = kColumns;
  std::int16_t GameEnded = kVbFalse;

  // The selection: the mark flags (-1) of the group last marked, its size, and the button
  // whose next click removes it (-1 when no group is selected). Marked and MarkedCount
  // describe a group on the board only while SelectedIndex is not -1.
  Grid Marked;
  std::int16_t MarkedCount = 0;
  std::int16_t SelectedIndex = -1;

  // The motion of a fall: the buttons moving in the current step ("000;" per block, in the
  // order the step found them), the slide ticks left in it, and landing sounds still owed.
  std::string FallingList;
  std::int16_t FallTicksLeft = 0;
  std::int16_t LandedCount = 0;

  // The colour tables, by cell code: the back colour (0x00BBGGRR) and the caption of a block.
  std::array<std::uint32_t, kColourCodes> ColourValues{};
  std::array<std::string, kColourCodes> ColourLetters;

  // Fills the two colour tables; start-up calls it once, before the first NewGame.
  void FillColourTables();
  // Deals a fresh board of 150 blocks, creating the missing buttons on the first call.
  void NewGame();
  // A click on block button Index: marks its group, or removes the group it belongs to when
  // it is the selected block.
  void Command1_Click(std::int16_t Index);
  // While blocks slide, Board is already a step ahead of what the player sees and heard:
  // finishes the fall at once, so that what follows acts on the board the window shows.
  void SettleFall();
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
  // TmrBajar (100 ms): one tick of a fall step's slide, ten to a step; the last one counts
  // the blocks that have landed and works out the next step.
  void TmrBajar_Timer();
  // Timer1 (75 ms): one landing sound per tick while any are owed, then the redraw.
  void Timer1_Timer();
  // TmrRecolocar (1050 ms): the single redraw that follows the start of a fall.
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
  // Whether the redraw shows cell (c, r) as a block of the selected group.
  bool ShowsMarked(int c, int r) const;

  WindowOps& window_;
  TimerOps& timers_;
  DialogOps& dialogs_;
  SpeechOps& speech_;
  SoundOps& sound_;
  Random& random_;
  const Language& language_;
  BestScores& best_;
  // True while a selected group is being removed: its flags still stand in Marked, over
  // cells that blocks may already be falling or sliding into.
  bool removing_ = false;
};
