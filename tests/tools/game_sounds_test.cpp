// The two sounds the build makes: their format, their length, and how the knock dies away.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Wav {
  int format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<std::int16_t> samples;
  double Ms(std::size_t samples_count) const { return 1000.0 * samples_count / rate; }
};

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Little(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

// The generator writes the canonical layout: the format chunk, then the samples, 44 bytes in.
Wav ReadWav(const std::string& path) {
  const std::string bytes = ReadBytes(path);
  Wav wav;
  if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") || bytes.compare(8, 8, "WAVEfmt ") ||
      bytes.compare(36, 4, "data")) {
    ADD_FAILURE() << path << " is not a canonical WAV file";
    return wav;
  }
  EXPECT_EQ(bytes.size() - 8, Little(bytes, 4, 4));
  EXPECT_EQ(bytes.size() - 44, Little(bytes, 40, 4));
  wav.format = Little(bytes, 20, 2);
  wav.channels = Little(bytes, 22, 2);
  wav.rate = Little(bytes, 24, 4);
  wav.bits = Little(bytes, 34, 2);
  for (std::size_t at = 44; at + 1 < bytes.size(); at += 2)
    wav.samples.push_back(static_cast<std::int16_t>(Little(bytes, at, 2)));
  return wav;
}

int Peak(std::vector<std::int16_t>::const_iterator from,
         std::vector<std::int16_t>::const_iterator to) {
  int peak = 0;
  for (; from != to; ++from) peak = std::max(peak, std::abs(static_cast<int>(*from)));
  return peak;
}

TEST(GameSoundsTest, ShortMonoPcmAtAQuietLevelWithoutClicks) {
  struct Case {
    const char* name;
    double min_ms, max_ms;
  };
  for (const Case& c : {Case{"snd.wav", 100, 140}, Case{"snd2.wav", 200, 400}}) {
    SCOPED_TRACE(c.name);
    const Wav wav = ReadWav(std::string(GAME_SOUNDS_DIR "/") + c.name);
    EXPECT_EQ(1, wav.format) << "PCM";
    EXPECT_EQ(1, wav.channels);
    EXPECT_EQ(16, wav.bits);
    EXPECT_TRUE(wav.rate == 22050 || wav.rate == 44100) << wav.rate;
    if (wav.rate == 0 || wav.samples.empty()) continue;
    EXPECT_GE(wav.Ms(wav.samples.size()), c.min_ms);
    EXPECT_LE(wav.Ms(wav.samples.size()), c.max_ms);
    // Clearly heard, yet soft beside the screen reader's voice, and never clipped.
    const int peak = Peak(wav.samples.begin(), wav.samples.end());
    EXPECT_GE(peak, 32767 * 3 / 10);
    EXPECT_LE(peak, 32767 * 6 / 10);
    // Starting and ending near zero: no click at either edge.
    EXPECT_LT(std::abs(wav.samples.front()), 330);
    EXPECT_LT(std::abs(wav.samples.back()), 330);
  }
}

TEST(GameSoundsTest, TheKnockIsNearlySilentBy75MsSoQuickRepeatsStayClean) {
  const Wav wav = ReadWav(GAME_SOUNDS_DIR "/snd.wav");
  ASSERT_GT(wav.rate, 0);
  const std::size_t at_75_ms = static_cast<std::size_t>(wav.rate) * 75 / 1000;
  ASSERT_GT(wav.samples.size(), at_75_ms);
  const auto split = wav.samples.begin() + at_75_ms;
  // 40 dB below the attack at least.
  EXPECT_LT(Peak(split, wav.samples.end()) * 100, Peak(wav.samples.begin(), split));
}

TEST(GameSoundsTest, TheGeneratorWritesTheSameFilesEveryTime) {
  std::string pattern = testing::TempDir() + "sounds_XXXXXX";
  const std::string folder = mkdtemp(pattern.data());
  ASSERT_EQ(0, std::system((std::string(MAKE_SOUNDS) + " " + folder).c_str()));
  for (const char* name : {"snd.wav", "snd2.wav"}) {
    SCOPED_TRACE(name);
    const std::string again = ReadBytes(folder + "/" + name);
    EXPECT_FALSE(again.empty());
    EXPECT_TRUE(again == ReadBytes(std::string(GAME_SOUNDS_DIR "/") + name));
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
