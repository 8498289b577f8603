// Speech through the screen reader's API library on Windows (jfwapi.dll).
#pragma once

#include <cstdint>
#include <string>

#include "ports/speech_ops.h"

// The library is bound by name at the first Speak; when it is absent, every Speak is silent.
// The screen reader speaks in its own language, so language_index is not used.
class JfwSpeech : public SpeechOps {
 public:
  void Speak(const std::string& text, std::int16_t language_index) override;

 private:
  using SayString = int(__stdcall*)(const char* text, std::int32_t* interrupt);

  bool bound_ = false;
  SayString say_string_ = nullptr;
};
