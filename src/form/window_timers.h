// The game's three timers on a window's own. Starting a running timer keeps its schedule,
// where a system's timer would start its interval again; and a tick still on its way when its
// timer stopped is no tick: the window hands a tick on only while TimerRunning().
#pragma once

#include <array>

#include "ports/timer_ops.h"

class WindowTimers : public TimerOps {
 public:
  void StartTimer(TimerId id) final {
    if (running_[Slot(id)]) return;
    running_[Slot(id)] = true;
    StartSystemTimer(id);
  }
  void StopTimer(TimerId id) final {
    running_[Slot(id)] = false;
    StopSystemTimer(id);
  }
  bool TimerRunning(TimerId id) const { return running_[Slot(id)]; }

 protected:
  static int Slot(TimerId id) { return static_cast<int>(id); }
  // The system's timer of id, ticking every IntervalMs(id).
  virtual void StartSystemTimer(TimerId id) = 0;
  virtual void StopSystemTimer(TimerId id) = 0;

 private:
  std::array<bool, 3> running_{};  // in TimerId order
};
