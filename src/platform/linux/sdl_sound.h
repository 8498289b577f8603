// The two sound players, on SDL_mixer: one fixed mixer channel for each sound.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "ports/sound_ops.h"

// The audio device opens on a thread of its own, because a frozen sound server can hold the
// open for a long time; plays before it is open are skipped. Without a device, or without the
// file, a play is silent. Plays never wait for the sound.
class SdlSound : public SoundOps {
 public:
  SdlSound();
  ~SdlSound() override;
  SdlSound(const SdlSound&) = delete;
  SdlSound& operator=(const SdlSound&) = delete;

  void LoadSounds(const std::string& sound1_path, const std::string& sound2_path) override;
  void PlaySound1() override;
  void PlaySound2() override;

  // Waits at most timeout for the device's opening to end; true when the device is open.
  bool WaitForDevice(std::chrono::milliseconds timeout);

  struct Shared;

 private:
  void Play(int player);

  std::shared_ptr<Shared> shared_;
};
