// The two sound players on Windows: one waveOut device for each sound.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "ports/sound_ops.h"

// A worker thread reads the two files, opens a device for each sound and carries out the
// plays: a device can take its time to open, stop or close, and a file its time to read, and
// neither may hold the window. Each player restarts its own device, so sound 1 and sound 2
// overlap. Only a regular file of sensible size holding PCM WAV is played; anything else, or
// no device, is silence. The program's exit waits for none of it.
class WaveOutSound : public SoundOps {
 public:
  WaveOutSound();
  ~WaveOutSound() override;
  WaveOutSound(const WaveOutSound&) = delete;
  WaveOutSound& operator=(const WaveOutSound&) = delete;

  void LoadSounds(const std::string& sound1_path, const std::string& sound2_path) override;
  void PlaySound1() override;
  void PlaySound2() override;

  // For tests: once every call made so far has been carried out, the frames player 0 or 1
  // has played since its last start; nullopt when it has no sound or no device.
  std::optional<unsigned long> PlayedFrames(int player);

  struct Shared;

 private:
  void Play(int player);

  std::shared_ptr<Shared> shared_;
};
