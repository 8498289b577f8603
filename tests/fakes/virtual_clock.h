// Exact timers on a virtual time line: ticks fall due at start + n * interval and are fired in
// time order; ticks due at the same moment fire in TimerId order (TmrRecolocar, TmrBajar, Timer1).
#pragma once

#include <array>
#include <cassert>
#include <functional>

#include "ports/timer_ops.h"

class VirtualClock : public TimerOps {
 public:
  using TickHandler = std::function<void(TimerId)>;

  void SetTickHandler(TickHandler handler) { tick_ = std::move(handler); }

  // A running timer keeps its schedule when started again.
  void StartTimer(TimerId id) override {
    Slot& s = slot(id);
    if (!s.running) {
      s.running = true;
      s.due = now_ + IntervalMs(id);
    }
    ++s.starts;
  }
  void StopTimer(TimerId id) override { slot(id).running = false; }

  // Fires every tick due up to now + ms, earliest first; a handler may start or stop timers.
  void AdvanceBy(long ms) {
    assert(ms >= 0);
    const long end = now_ + ms;
    while (Slot* s = NextDueBy(end)) {
      now_ = s->due;
      s->due += s->interval;
      assert(tick_);
      tick_(s->id);
    }
    now_ = end;
  }
  // Advances until no timer runs; false if they still run after limit_ms.
  bool RunUntilIdle(long limit_ms = 600000) {
    const long end = now_ + limit_ms;
    while (AnyRunning()) {
      Slot* s = NextDueBy(end);
      if (!s) return false;
      AdvanceBy(s->due - now_);
    }
    return true;
  }

  long now() const { return now_; }
  bool IsRunning(TimerId id) const { return slots_[static_cast<int>(id)].running; }
  bool AnyRunning() const {
    for (const Slot& s : slots_)
      if (s.running) return true;
    return false;
  }
  int Starts(TimerId id) const { return slots_[static_cast<int>(id)].starts; }

 private:
  struct Slot {
    TimerId id;
    long interval;
    bool running = false;
    long due = 0;
    int starts = 0;
  };
  Slot& slot(TimerId id) { return slots_[static_cast<int>(id)]; }
  Slot* NextDueBy(long end) {
    Slot* next = nullptr;
    for (Slot& s : slots_)
      if (s.running && s.due <= end && (!next || s.due < next->due)) next = &s;
    return next;
  }

  std::array<Slot, 3> slots_{{{TimerId::TmrRecolocar, IntervalMs(TimerId::TmrRecolocar)},
                              {TimerId::TmrBajar, IntervalMs(TimerId::TmrBajar)},
                              {TimerId::Timer1, IntervalMs(TimerId::Timer1)}}};
  long now_ = 0;
  TickHandler tick_;
};
