// Writing 16-bit PCM mono WAV files.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// Writes samples as a canonical RIFF/WAVE file (a "fmt " chunk, then "data"); false when the
// file cannot be written.
inline bool WriteWav(const std::string& path, int sample_rate,
                     const std::vector<std::int16_t>& samples) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  const std::uint32_t data_size = static_cast<std::uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  put(36 + data_size, 4);
  out.write("WAVEfmt ", 8);
  put(16, 4);                                         // size of the format chunk
  put(1, 2);                                          // PCM
  put(1, 2);                                          // mono
  put(static_cast<std::uint32_t>(sample_rate), 4);
  put(static_cast<std::uint32_t>(sample_rate) * 2, 4);  // bytes per second
  put(2, 2);                                          // bytes per frame
  put(16, 2);                                         // bits per sample
  out.write("data", 4);
  put(data_size, 4);
  for (std::int16_t sample : samples) put(static_cast<std::uint16_t>(sample), 2);
  out.close();
  return static_cast<bool>(out);
}
