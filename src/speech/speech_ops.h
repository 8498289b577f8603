// The two outputs beside the window: the screen reader's speech and the two sound players.
// Every call returns at once; speech and sound run on their own afterwards.
#pragma once

#include <cstdint>
#include <string>

class SpeechOps {
 public:
  virtual ~SpeechOps() = default;
  // Says text (UTF-8) in the language given by language_index (0 Spanish, 1 English),
  // after whatever the screen reader is saying. Silently does nothing without a speech channel.
  virtual void Speak(const std::string& text, std::int16_t language_index) = 0;
};

class SoundOps {
 public:
  virtual ~SoundOps() = default;
  // Assigns the two sound files to their players; nothing is heard.
  virtual void LoadSounds(const std::string& sound1_path, const std::string& sound2_path) = 0;
  // Stops the player and starts it again, so its sound restarts from the beginning. The two
  // players may overlap. A missing file or device means silence.
  virtual void PlaySound1() = 0;
  virtual void PlaySound2() = 0;
};
