// Modal boxes. Each call returns when the player has closed the box; the window may deliver
// timer ticks meanwhile, so the caller must tolerate being re-entered from a tick.
#pragma once

#include <string>

enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

class DialogOps {
 public:
  virtual ~DialogOps() = default;
  // Plain text, no icon. With YesNo, Yes is the default button.
  virtual BoxAnswer MessageBox(const std::string& text, const std::string& title,
                               BoxButtons buttons) = 0;
  // Empty default text, OK and Cancel; the line typed, or "" on Cancel.
  virtual std::string InputBox(const std::string& prompt, const std::string& title) = 0;
};
