// The two sound players on Windows: one waveOut device for each sound.
#pragma once

#include <memory>
#include <string>

#include "ports/sound_ops.h"

class WaveOutSound : public SoundOps {
 public:
  WaveOutSound();
  ~WaveOutSound() override;
  WaveOutSound(const WaveOutSound&) = delete;
  WaveOutSound& operator=(const WaveOutSound&) = delete;

  void LoadSounds(const std::string& sound1_path, const std::string& sound2_path) override;
  void PlaySound1() override;
  void PlaySound2() override;

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};
