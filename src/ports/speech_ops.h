// The screen reader's speech, as the game uses it.
#pragma once

#include <cstdint>
#include <string>

class SpeechOps {
 public:
  virtual ~SpeechOps() = default;
  // Says text (UTF-8) in the language given by language_index (0 Spanish, 1 English), after
  // whatever the screen reader is saying. Returns at once and never waits for the speech;
  // silently does nothing without a speech channel.
  virtual void Speak(const std::string& text, std::int16_t language_index) = 0;
};
