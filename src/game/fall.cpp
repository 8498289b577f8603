// Blocks falling into emptied cells, one cell per step, each step slid over ten ticks.
#include <cassert>
#include <cstdio>

#include "game/engine.h"

namespace {
constexpr int kEntryLength = 4;  // "000;"
constexpr int kSlideTicks = 10;
constexpr float kSlideTwips = 50;
}  // namespace

void Engine::AppendFallEntry(int button) {
  assert(button >= 0 && button < kCells - kColumns);
  char entry[kEntryLength + 1];
  std::snprintf(entry, sizeof entry, "%03d;", button);
  FallingList += entry;
}

int Engine::FallEntryCount() const { return static_cast<int>(FallingList.size()) / kEntryLength; }

int Engine::FallEntry(int k) const {
  return std::stoi(FallingList.substr(static_cast<std::size_t>(k) * kEntryLength, 3));
}

// Rows are scanned bottom-up, so the block that has just left row r makes room for the one in
// row r - 1: a whole stack above a gap moves down one cell in the same step.
bool Engine::MoveBlocksDownOneCell() {
  bool moved = false;
  for (int r = kRows - 2; r >= 0; --r) {
    for (int c = 0; c < kColumns; ++c) {
      if (Board(c, r + 1) == 0 && Board(c, r) > 0) {
        moved = true;
        Board(c, r + 1) = Board(c, r);
        Board(c, r) = 0;
        AppendFallEntry(ButtonOf(c, r));
      }
    }
  }
  return moved;
}

void Engine::FallStep() {
  FallingList.clear();
  if (!MoveBlocksDownOneCell()) {
    RefreshBoard();
    return;
  }
  FallTicksLeft = kSlideTicks;
  timers_.StartTimer(TimerId::TmrBajar);
  timers_.StartTimer(TimerId::TmrRecolocar);
}

// A block has landed when it rests on another block, even one that falls on in the next
// step, or on the bottom row (9). The entry names the cell the block left, so t is the row it
// has reached: a block that has just left the top row (t == 1) counts as landed whatever lies
// below it. That only adds a landing sound to the step, and it is kept as the game has always
// counted, so that a fall sounds as it always has.
bool Engine::BlockLanded(int button) const {
  const int t = RowOf(button) + 1;
  const int c = ColumnOf(button);
  return t == 1 || t == kRows - 1 || Board(c, t + 1) > 0;
}

void Engine::TmrBajar_Timer() {
  for (int k = 0; k < FallEntryCount(); ++k) {
    const int button = FallEntry(k);
    window_.SetButtonTop(button, window_.ButtonTop(button) + kSlideTwips);
  }
  if (--FallTicksLeft > 0) return;

  timers_.StopTimer(TimerId::TmrBajar);
  LandedCount = 0;
  for (int k = 0; k < FallEntryCount(); ++k) {
    if (BlockLanded(FallEntry(k))) {
      ++LandedCount;
      timers_.StartTimer(TimerId::Timer1);
    }
  }
  FallingList.clear();
  FallStep();
}

void Engine::Timer1_Timer() {
  if (LandedCount <= 0) {
    RefreshBoard();
    timers_.StopTimer(TimerId::Timer1);
  } else {
    sound_.PlaySound1();
    --LandedCount;
  }
}

void Engine::SettleFall() {
  if (!FallingList.empty()) CompleteFall();
}

// Applies the rest of a fall to Board at once and shows the board at rest. Landing sounds
// already owed may still play out.
void Engine::CompleteFall() {
  timers_.StopTimer(TimerId::TmrBajar);
  do {
    FallingList.clear();
  } while (MoveBlocksDownOneCell());
  FallingList.clear();
  RefreshBoard();
}

void Engine::StopMotion() {
  timers_.StopTimer(TimerId::TmrBajar);
  timers_.StopTimer(TimerId::TmrRecolocar);
  timers_.StopTimer(TimerId::Timer1);
  FallingList.clear();
  LandedCount = 0;
}
