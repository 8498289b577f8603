// Reading a sound file within its bounds, and the chunks of a RIFF WAVE file.
#include "platform/windows/wave_file.h"

#include <windows.h>

#include "platform/windows/windows_text.h"

namespace {

constexpr std::uint32_t kPcm = 1;  // the format tag of plain integer samples

std::uint32_t Little(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

// The players' volume is half of full scale, as the game has always set it.
void HalveLoudness(WaveSound& sound) {
  if (sound.bits_per_sample == 8) {
    for (char& byte : sound.samples) {
      const int sample = static_cast<unsigned char>(byte) - 128;
      byte = static_cast<char>(128 + sample / 2);
    }
    return;
  }
  for (std::size_t i = 0; i + 1 < sound.samples.size(); i += 2) {
    const auto sample = static_cast<std::int16_t>(Little(sound.samples, i, 2));
    const auto half = static_cast<std::uint16_t>(sample / 2);
    sound.samples[i] = static_cast<char>(half & 0xFF);
    sound.samples[i + 1] = static_cast<char>(half >> 8);
  }
}

}  // namespace

std::optional<std::string> ReadSoundFile(const std::string& path) {
  const HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> bytes;
  LARGE_INTEGER size;
  if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
      static_cast<std::uint64_t>(size.QuadPart) <= kMaxSoundBytes) {
    // One byte more than the file holds tells a file that has grown since.
    std::string buffer(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t filled = 0;
    DWORD got = 0;
    while (filled < buffer.size() &&
           ReadFile(file, buffer.data() + filled, static_cast<DWORD>(buffer.size() - filled),
                    &got, nullptr) &&
           got > 0) {
      filled += got;
    }
    if (filled < buffer.size()) {
      buffer.resize(filled);
      bytes = std::move(buffer);
    }
  }
  CloseHandle(file);
  return bytes;
}

std::optional<WaveSound> ParseWave(std::string_view bytes) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
    return std::nullopt;
  std::optional<WaveSound> format;
  // Chunks follow one another, each padded to an even length; a short last one is cut.
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string_view id = bytes.substr(at, 4);
    const std::size_t size =
        std::min<std::size_t>(Little(bytes, at + 4, 4), bytes.size() - (at + 8));
    const std::string_view body = bytes.substr(at + 8, size);
    if (id == "fmt ") {
      if (size < 16 || Little(body, 0, 2) != kPcm) return std::nullopt;
      format.emplace();
      format->channels = static_cast<std::uint16_t>(Little(body, 2, 2));
      format->frames_per_second = Little(body, 4, 4);
      format->bits_per_sample = static_cast<std::uint16_t>(Little(body, 14, 2));
      if ((format->channels != 1 && format->channels != 2) ||
          (format->bits_per_sample != 8 && format->bits_per_sample != 16) ||
          format->frames_per_second < 1000 || format->frames_per_second > 192000) {
        return std::nullopt;
      }
    } else if (id == "data") {
      if (!format) return std::nullopt;
      const std::size_t frame = format->channels * format->bits_per_sample / 8u;
      const std::size_t frames = size / frame;
      if (frames == 0 || frames > kMaxSoundSeconds * format->frames_per_second)
        return std::nullopt;
      format->samples = std::string(body.substr(0, frames * frame));
      HalveLoudness(*format);
      return format;
    }
    at += 8 + size + (size & 1);
  }
  return std::nullopt;
}
