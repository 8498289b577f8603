// The two sound players, on SDL_mixer: one fixed mixer channel for each sound.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "ports/sound_ops.h"

// The audio device opens, and the sounds load, on a thread of its own: a frozen sound server
// can hold the open for a long time, and a file on a stalled disk its read. Plays before then
// are skipped. Only a regular file of sensible size holding a WAV sound of sensible length is
// loaded; without it, or without a device, a play is silent. Plays never wait for the sound,
// and the exit waits for neither the device nor a file.
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
  // Waits at most timeout until the sounds last given to LoadSounds are loaded, or found to
  // be none, or there is no device; false when the time ran out.
  bool WaitForSounds(std::chrono::milliseconds timeout);

  struct Shared;

 private:
  void Play(int player);

  std::shared_ptr<Shared> shared_;
};
