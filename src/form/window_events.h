// What a window hands on to the game, each event once, as the window's handlers take it; Form1
// is what takes them. A window translates its system's events into these and nothing more. Key
// codes and shift states as Form_KeyDown receives them: the desktop's virtual key codes (27
// Escape, 65 A, 112 F1) and 1 Shift, 2 Ctrl, 4 Alt, added together.
#pragma once

#include <cstdint>

#include "ports/timer_ops.h"
#include "ports/window_ops.h"

class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // Block Index was clicked; never a hidden or disabled one.
  virtual void Command1_Click(std::int16_t Index) = 0;
  // Every key pressed in the window, before the control that has the focus sees it.
  virtual void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift) = 0;
  // A key on block Index, or on the grid holding the focus for it, that moves no focus; true
  // when the game took it.
  virtual bool SurveyKey(std::int16_t KeyCode, std::int16_t Shift, std::int16_t Index) = 0;
  // A menu command or its shortcut key.
  virtual void Menu(MenuId item) = 0;
  virtual void Tick(TimerId id) = 0;
};
