// Hands the virtual clock's ticks to the engine's timer handlers, as the window does.
#pragma once

#include "fakes/virtual_clock.h"
#include "game/engine.h"

inline void DeliverTicks(VirtualClock& clock, Engine& engine) {
  clock.SetTickHandler([&engine](TimerId id) {
    switch (id) {
      case TimerId::TmrRecolocar: engine.TmrRecolocar_Timer(); break;
      case TimerId::TmrBajar: engine.TmrBajar_Timer(); break;
      case TimerId::Timer1: engine.Timer1_Timer(); break;
    }
  });
}
