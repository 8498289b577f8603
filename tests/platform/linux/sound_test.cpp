// The two sound players, heard through SDL's disk driver: the mixed output is captured and
// measured.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/scratch_folder.h"
#include "platform/linux/sdl_sound.h"
#include "wav_writer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(10);

// Every frame the mixer hands to the device, left channel only (both carry the same).
class Capture {
 public:
  void Start() { Mix_SetPostMix(&Capture::Take, this); }
  void Stop() { Mix_SetPostMix(nullptr, nullptr); }

  std::vector<std::int16_t> Frames() {
    std::lock_guard lock(mutex_);
    return frames_;
  }
  // Waits until `holds` is true of the frames captured so far.
  template <typename Condition>
  bool WaitUntil(Condition holds) {
    const auto deadline = Clock::now() + kPatience;
    while (!holds(Frames())) {
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }

 private:
  static void Take(void* self, Uint8* stream, int length) {
    auto* capture = static_cast<Capture*>(self);
    const auto* samples = reinterpret_cast<const std::int16_t*>(stream);
    std::lock_guard lock(capture->mutex_);
    for (int i = 0; i < length / 2; i += 2) capture->frames_.push_back(samples[i]);
  }

  std::mutex mutex_;
  std::vector<std::int16_t> frames_;
};

std::size_t Loud(const std::vector<std::int16_t>& frames) {
  return std::count_if(frames.begin(), frames.end(), [](std::int16_t s) { return s != 0; });
}
int Peak(const std::vector<std::int16_t>& frames) {
  int peak = 0;
  for (std::int16_t s : frames) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

class SoundTest : public testing::Test {
 protected:
  ~SoundTest() override {
    if (open_) capture_.Stop();
    sound_.reset();
  }

  // Opens the players on the disk driver, which mixes in real time into a file.
  void OpenPlayers() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (scratch_.path() + "/out.raw").c_str(), 1);
    sound_ = std::make_unique<SdlSound>();
    open_ = sound_->WaitForDevice(kPatience);
    ASSERT_TRUE(open_);
    Uint16 format = 0;
    int channels = 0;
    ASSERT_TRUE(Mix_QuerySpec(&rate_, &format, &channels));
    ASSERT_EQ(AUDIO_S16SYS, format);
    ASSERT_EQ(2, channels);
    capture_.Start();
  }

  // A file at the device's rate holding `level` for 300 ms: a copy of it is easy to tell
  // from two copies, and its length from a restarted one.
  std::string Level(const std::string& name, std::int16_t level) {
    const std::string path = scratch_.path() + "/" + name;
    EXPECT_TRUE(WriteWav(path, rate_, std::vector<std::int16_t>(Frames(300), level)));
    return path;
  }
  std::size_t Frames(int ms) const { return static_cast<std::size_t>(rate_) * ms / 1000; }

  // What the mixer puts out from now on, until a sound has been heard and died away for 100 ms.
  std::vector<std::int16_t> UntilQuiet() {
    const std::size_t mark = capture_.Frames().size(), quiet = Frames(100);
    capture_.WaitUntil([&](const std::vector<std::int16_t>& frames) {
      const auto last_loud = std::find_if(frames.rbegin(), frames.rend(), [](auto s) { return s != 0; });
      return last_loud.base() > frames.begin() + mark &&
             static_cast<std::size_t>(last_loud - frames.rbegin()) >= quiet;
    });
    return After(mark);
  }
  // What the mixer puts out in the next `ms`.
  std::vector<std::int16_t> For(int ms) {
    const std::size_t mark = capture_.Frames().size();
    capture_.WaitUntil([&](const auto& frames) { return frames.size() >= mark + Frames(ms); });
    return After(mark);
  }
  std::vector<std::int16_t> After(std::size_t mark) {
    std::vector<std::int16_t> frames = capture_.Frames();
    frames.erase(frames.begin(), frames.begin() + std::min(mark, frames.size()));
    return frames;
  }

  ScratchFolder scratch_;
  int rate_ = 0;
  bool open_ = false;
  Capture capture_;
  std::unique_ptr<SdlSound> sound_;
};

TEST_F(SoundTest, APlayWhileTheSoundLastsRestartsItInsteadOfAddingACopy) {
  OpenPlayers();
  sound_->LoadSounds(Level("one.wav", 8000), Level("two.wav", 4000));
  ASSERT_TRUE(sound_->WaitForSounds(kPatience));
  const std::size_t mark = capture_.Frames().size();
  sound_->PlaySound1();
  ASSERT_TRUE(capture_.WaitUntil([&](const auto& frames) { return Loud(frames) >= Frames(100); }));
  sound_->PlaySound1();
  UntilQuiet();
  const std::vector<std::int16_t> frames = After(mark);
  EXPECT_EQ(4000, Peak(frames)) << "one copy at half volume";
  // Restarted 100 ms or more into its 300 ms, the sound lasts at least 400 ms.
  EXPECT_GE(Loud(frames), Frames(395));
  EXPECT_LE(Loud(frames), Frames(300) * 2);
}

TEST_F(SoundTest, TheTwoSoundsOverlap) {
  OpenPlayers();
  sound_->LoadSounds(Level("one.wav", 8000), Level("two.wav", 4000));
  ASSERT_TRUE(sound_->WaitForSounds(kPatience));
  sound_->PlaySound1();
  sound_->PlaySound2();
  const std::vector<std::int16_t> frames = UntilQuiet();
  EXPECT_EQ(4000 + 2000, Peak(frames));
  EXPECT_GE(std::count(frames.begin(), frames.end(), 6000), Frames(250));
}

TEST_F(SoundTest, LoadingIsSilentAndAMissingFileSilencesOnlyItsPlayer) {
  OpenPlayers();
  sound_->LoadSounds(scratch_.path() + "/missing.wav", Level("two.wav", 4000));
  ASSERT_TRUE(sound_->WaitForSounds(kPatience));
  EXPECT_EQ(0u, Loud(For(200)));
  sound_->PlaySound1();
  EXPECT_EQ(0u, Loud(For(200)));
  sound_->PlaySound2();
  EXPECT_EQ(2000, Peak(UntilQuiet()));
}

TEST_F(SoundTest, TheGameSoundsPlayAtHalfTheirLevel) {
  OpenPlayers();
  sound_->LoadSounds(GAME_SOUNDS_DIR "/snd.wav", GAME_SOUNDS_DIR "/snd2.wav");
  ASSERT_TRUE(sound_->WaitForSounds(kPatience));
  sound_->PlaySound1();
  const int knock = Peak(UntilQuiet());
  sound_->PlaySound2();
  const int swoosh = Peak(UntilQuiet());
  // Both are made at about half of full scale; the resampling may overshoot a little.
  EXPECT_NEAR(32767 / 4, knock, 32767 / 20);
  EXPECT_NEAR(32767 / 4, swoosh, 32767 / 20);
}

// What the process holds in memory, in KiB.
long ResidentKiB() {
  long pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Files that are no sound to play: each one is silence, is never read whole, and holds up
// neither the caller nor the exit.
TEST_F(SoundTest, WhatIsNoSoundFileIsSilenceAndHoldsNothingUp) {
  OpenPlayers();
  const std::string at = scratch_.path() + "/";
  ASSERT_EQ(0, symlink("/dev/zero", (at + "zero.wav").c_str()));
  ASSERT_EQ(0, symlink("/dev/urandom", (at + "urandom.wav").c_str()));
  ASSERT_EQ(0, mkfifo((at + "fifo.wav").c_str(), 0600));
  ASSERT_EQ(0, mkdir((at + "folder.wav").c_str(), 0700));
  std::ofstream(at + "huge.wav").put('R');
  ASSERT_EQ(0, truncate((at + "huge.wav").c_str(), 1L << 30));  // a gigabyte, all but one hole
  // A sound at one sample a second: the device's rate would make it millions of times longer.
  ASSERT_TRUE(WriteWav(at + "slow.wav", 1, std::vector<std::int16_t>(100000, 8000)));
  std::int16_t level = 2000;
  for (const char* name : {"zero.wav", "urandom.wav", "fifo.wav", "folder.wav", "huge.wav",
                           "slow.wav"}) {
    SCOPED_TRACE(name);
    // Sound 2 is a good one, new each time: the player goes on after a bad file.
    level += 500;
    const std::string good = Level("good" + std::to_string(level) + ".wav", level);
    const long before = ResidentKiB();
    const auto start = Clock::now();
    sound_->LoadSounds(at + name, good);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
    ASSERT_TRUE(sound_->WaitForSounds(kPatience));
    EXPECT_LT(ResidentKiB() - before, 16 * 1024);
    sound_->PlaySound1();
    EXPECT_EQ(0u, Loud(For(200)));
    sound_->PlaySound2();
    EXPECT_EQ(level / 2, Peak(UntilQuiet()));
  }

  // The exit waits for no read either.
  sound_->LoadSounds(at + "fifo.wav", at + "huge.wav");
  const auto start = Clock::now();
  capture_.Stop();
  open_ = false;
  sound_.reset();
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
}

TEST(SoundWithoutDevice, EveryPlayIsSilentAndNothingWaits) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  const auto start = Clock::now();
  auto sound = std::make_unique<SdlSound>();
  sound->LoadSounds(GAME_SOUNDS_DIR "/snd.wav", GAME_SOUNDS_DIR "/snd2.wav");
  sound->PlaySound1();
  EXPECT_FALSE(sound->WaitForDevice(kPatience));
  sound->PlaySound1();
  sound->PlaySound2();
  sound.reset();
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
