// The two sound players: sound 1, the landing of blocks; sound 2, the closing of a column.
#pragma once

#include <string>

// Every call returns at once; the sounds play on their own afterwards.
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
