// A sound file as a waveOut device plays it: reading the file, and the PCM inside a WAV.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ports/sound_ops.h"  // the bounds of a sound

struct WaveSound {
  std::uint16_t channels = 0;
  std::uint32_t frames_per_second = 0;
  std::uint16_t bits_per_sample = 0;  // 8 (unsigned) or 16 (signed)
  std::string samples;                // whole frames, as the data chunk holds them
};

// The whole of a regular file on a disk of at most kMaxSoundBytes; nullopt for anything else
// (a folder, a device or a pipe is not read).
std::optional<std::string> ReadSoundFile(const std::string& path);

// The sound of a PCM WAV file (8 or 16 bits, 1 or 2 channels, at most kMaxSoundSeconds), at
// half its loudness, as the game's players play it; nullopt when bytes hold no such sound.
std::optional<WaveSound> ParseWave(std::string_view bytes);
