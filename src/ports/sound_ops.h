// The two sound players: sound 1, the landing of blocks; sound 2, the closing of a column.
#pragma once

#include <cstdint>
#include <string>

// What a player takes for a sound: a regular file of at most this size holding a WAV sound of
// at most this length, far above the game's own (a few kilobytes); anything else is silence.
inline constexpr std::uint64_t kMaxSoundBytes = 8 << 20;
inline constexpr double kMaxSoundSeconds = 60;

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
