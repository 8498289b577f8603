// The two players on waveOut, under Wine with a silent audio device (ctest gives Wine one): what
// a sound file must be to be played, that loading is silent, that a replay starts over, and
// that the two players overlap. Also the WAV reader on its own.
#include "platform/windows/wave_out_sound.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <string>

#include "platform/windows/scratch_folder.h"
#include "platform/windows/wave_file.h"
#include "platform/windows/win_host.h"

namespace {

std::string Little(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::string Chunk(const std::string& id, const std::string& body) {
  return id + Little(static_cast<std::uint32_t>(body.size()), 4) + body +
         (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string Format(int tag, int channels, int rate, int bits) {
  const int frame = channels * bits / 8;
  return Chunk("fmt ", Little(tag, 2) + Little(channels, 2) + Little(rate, 4) +
                           Little(rate * frame, 4) + Little(frame, 2) + Little(bits, 2));
}

std::string Riff(const std::string& chunks) {
  return "RIFF" + Little(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

// Mono 16-bit silence at 22050 frames a second.
std::string Silence(double seconds) {
  const auto frames = static_cast<std::size_t>(seconds * 22050);
  return Riff(Format(1, 1, 22050, 16) + Chunk("data", std::string(2 * frames, '\0')));
}

TEST(WaveFileTest, TakesPcmWavOfSensibleLengthOnly) {
  const std::string pcm = Format(1, 1, 22050, 16);
  const std::string four_frames = Little(1000, 2) + Little(0xFC18, 2) + Little(0, 2) +
                                  Little(0x7FFF, 2);  // 1000, -1000, 0, 32767
  struct Case {
    const char* what;
    std::string bytes;
    std::string samples;  // empty: not a sound
  };
  const std::string halved = Little(500, 2) + Little(0xFE0C, 2) + Little(0, 2) + Little(16383, 2);
  const Case cases[] = {
      {"16-bit mono", Riff(pcm + Chunk("data", four_frames)), halved},
      {"odd chunk before the data", Riff(pcm + Chunk("LIST", "abc") + Chunk("data", four_frames)),
       halved},
      {"8-bit stereo", Riff(Format(1, 2, 8000, 8) + Chunk("data", std::string("\xFF\x00\x80\x81", 4))),
       "\xBF\x40\x80\x80"},
      {"data cut short", Riff(pcm).append("data").append(Little(100, 4)).append("\x01\x02\x03"),
       Little(256, 2)},
      {"floating point", Riff(Format(3, 1, 22050, 32) + Chunk("data", four_frames)), ""},
      {"24 bits", Riff(Format(1, 1, 22050, 24) + Chunk("data", "abcdef")), ""},
      {"data before its format", Riff(Chunk("data", four_frames) + pcm), ""},
      {"no data", Riff(pcm), ""},
      {"no frame", Riff(pcm + Chunk("data", "")), ""},
      {"past a minute", Silence(60.1), ""},
      {"not RIFF", "RIFX" + Riff(pcm).substr(4), ""},
      {"nothing", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<WaveSound> sound = ParseWave(c.bytes);
    ASSERT_EQ(!c.samples.empty(), sound.has_value());
    if (sound) {
      EXPECT_EQ(c.samples, sound->samples);
    }
  }
  const std::optional<WaveSound> game = ParseWave(*ReadSoundFile(
      WinHost().ProgramFolder() + "\\snd.wav"));
  ASSERT_TRUE(game);
  EXPECT_EQ(1, game->channels);
  EXPECT_EQ(16, game->bits_per_sample);
}

TEST(WaveFileTest, ReadsOnlyRegularFilesOfSensibleSize) {
  ScratchFolder scratch;
  const std::string small = scratch.path() + "\\small.wav";
  WriteBytes(small, "RIFF");
  EXPECT_EQ(std::optional<std::string>("RIFF"), ReadSoundFile(small));
  const std::string big = scratch.path() + "\\big.wav";
  WriteBytes(big, "");
  const HANDLE file = CreateFileW(FsPath(big).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  0, nullptr);
  LARGE_INTEGER size;
  size.QuadPart = kMaxSoundBytes + 1;
  SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);
  for (const std::string& path :
       {big, scratch.path(), scratch.path() + "\\missing.wav", std::string("NUL"),
        std::string("Z:\\dev\\zero")}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(std::nullopt, ReadSoundFile(path));
  }
}

class WaveOutSoundTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(waveOutGetNumDevs(), 0u) << "no audio device: run through ctest, which gives "
                                          "Wine a silent one";
  }

  // The frames player has played, once at least frames or 10 s have passed.
  unsigned long PlayedAtLeast(int player, unsigned long frames) {
    unsigned long played = 0;
    for (int waited = 0; waited < 1000; ++waited) {
      played = sound.PlayedFrames(player).value_or(0);
      if (played >= frames) break;
      Sleep(10);
    }
    return played;
  }

  ScratchFolder scratch;
  WaveOutSound sound;
};

TEST_F(WaveOutSoundTest, LoadingIsSilentAReplayStartsOverAndTheTwoOverlap) {
  const std::string first = scratch.path() + "\\first.wav";
  const std::string second = scratch.path() + "\\second.wav";
  WriteBytes(first, Silence(4));
  WriteBytes(second, Silence(4));
  sound.LoadSounds(first, second);
  EXPECT_EQ(0u, sound.PlayedFrames(0));
  EXPECT_EQ(0u, sound.PlayedFrames(1));

  sound.PlaySound1();
  const unsigned long before = PlayedAtLeast(0, 22050);
  ASSERT_GE(before, 22050u);
  sound.PlaySound1();
  const unsigned long after = sound.PlayedFrames(0).value_or(0);
  EXPECT_LT(after, before);
  EXPECT_EQ(0u, sound.PlayedFrames(1));

  sound.PlaySound2();
  EXPECT_GT(PlayedAtLeast(1, 1), 0u);
  EXPECT_GE(sound.PlayedFrames(0).value_or(0), after);  // sound 1 plays on
}

TEST_F(WaveOutSoundTest, NoSoundFileIsSilence) {
  WriteBytes(scratch.path() + "\\text.wav", "not a sound");
  sound.LoadSounds(scratch.path() + "\\missing.wav", scratch.path() + "\\text.wav");
  sound.PlaySound1();
  sound.PlaySound2();
  EXPECT_EQ(std::nullopt, sound.PlayedFrames(0));
  EXPECT_EQ(std::nullopt, sound.PlayedFrames(1));
}

}  // namespace
