// The three timers of the main window, as the game logic drives them.
#pragma once

// Listed in the order the window creates them; a test clock fires ticks that fall due at the
// same moment in this order.
enum class TimerId {
  TmrRecolocar,  // the redraw that follows the start of a fall
  TmrBajar,      // the slide of a fall step, ten ticks to a step
  Timer1,        // the landing sounds, then the redraw that closes a fall
};

constexpr long IntervalMs(TimerId id) {
  switch (id) {
    case TimerId::TmrRecolocar: return 1050;
    case TimerId::TmrBajar: return 100;
    case TimerId::Timer1: return 75;
  }
  return 0;
}

// Contract: every timer is stopped when the window is created. Starting a stopped timer brings
// its first tick one interval later; starting a running timer changes nothing (its next tick
// comes when it would have come anyway); a stopped timer gives no tick. Ticks are delivered to
// the handler of the timer on the user-interface thread, never during another event.
class TimerOps {
 public:
  virtual ~TimerOps() = default;
  virtual void StartTimer(TimerId id) = 0;
  virtual void StopTimer(TimerId id) = 0;
};
