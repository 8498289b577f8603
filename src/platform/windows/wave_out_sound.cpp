// The players' worker: loading the sounds onto their devices, restarting them, closing them.
#include "platform/windows/wave_out_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/windows/wave_file.h"

namespace {

constexpr int kPlayers = 2;
// How long the destructor waits for the worker to close the devices before leaving it.
constexpr auto kStopWait = std::chrono::milliseconds(300);
// How long a test's question waits for the worker to catch up.
constexpr auto kCatchUpWait = std::chrono::seconds(10);

using Paths = std::array<std::string, kPlayers>;

// One sound on a device of its own. The header points into the sound's samples, so the two
// live and die together.
struct Player {
  std::optional<WaveSound> sound;
  HWAVEOUT device = nullptr;
  WAVEHDR header{};

  void Open(std::optional<WaveSound> loaded) {
    sound = std::move(loaded);
    if (!sound) return;
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = sound->channels;
    format.nSamplesPerSec = sound->frames_per_second;
    format.wBitsPerSample = sound->bits_per_sample;
    format.nBlockAlign = static_cast<WORD>(sound->channels * sound->bits_per_sample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
      device = nullptr;
      return;
    }
    header = WAVEHDR{};
    header.lpData = sound->samples.data();
    header.dwBufferLength = static_cast<DWORD>(sound->samples.size());
    if (waveOutPrepareHeader(device, &header, sizeof header) != MMSYSERR_NOERROR) Close();
  }

  // Stopping hands the header back, so it can be played again from its first frame.
  void Restart() {
    if (!device) return;
    waveOutReset(device);
    waveOutWrite(device, &header, sizeof header);
  }

  void Close() {
    if (device) {
      waveOutReset(device);
      if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device, &header, sizeof header);
      waveOutClose(device);
    }
    device = nullptr;
    sound.reset();
  }
};

}  // namespace

struct WaveOutSound::Shared {
  std::mutex mutex;
  std::condition_variable wake;     // work to do, or stop
  std::condition_variable settled;  // the worker has done all it was asked, or has ended
  std::optional<Paths> wanted;      // sounds asked for and not loaded yet
  std::array<bool, kPlayers> restart{};
  bool busy = false;  // the worker is at its devices, without the lock
  bool stopping = false;
  bool finished = false;
  // The worker's own; a test reads them only while the worker has nothing to do.
  std::array<Player, kPlayers> players;

  bool Idle() const { return !busy && !wanted && !restart[0] && !restart[1]; }
};

namespace {

void Work(const std::shared_ptr<WaveOutSound::Shared>& shared) {
  std::unique_lock lock(shared->mutex);
  for (;;) {
    shared->wake.wait(lock, [&] { return shared->stopping || !shared->Idle(); });
    if (shared->stopping) break;
    std::optional<Paths> wanted = std::exchange(shared->wanted, std::nullopt);
    const std::array<bool, kPlayers> restart = std::exchange(shared->restart, {});
    shared->busy = true;
    lock.unlock();
    for (int player = 0; player < kPlayers; ++player) {
      Player& it = shared->players[player];
      if (wanted) {
        it.Close();
        const std::optional<std::string> bytes = ReadSoundFile((*wanted)[player]);
        it.Open(bytes ? ParseWave(*bytes) : std::nullopt);
      }
      if (restart[player]) it.Restart();
    }
    lock.lock();
    shared->busy = false;
    shared->settled.notify_all();
  }
  lock.unlock();
  for (Player& player : shared->players) player.Close();
  lock.lock();
  shared->finished = true;
  shared->settled.notify_all();
}

}  // namespace

WaveOutSound::WaveOutSound() : shared_(std::make_shared<Shared>()) {
  std::thread([shared = shared_] { Work(shared); }).detach();
}

WaveOutSound::~WaveOutSound() {
  std::unique_lock lock(shared_->mutex);
  shared_->stopping = true;
  shared_->wake.notify_all();
  // A worker held by a device or a file keeps its own share of the state, closes its devices
  // when it gets there, or ends with the process.
  shared_->settled.wait_for(lock, kStopWait, [&] { return shared_->finished; });
}

void WaveOutSound::LoadSounds(const std::string& sound1_path, const std::string& sound2_path) {
  std::lock_guard lock(shared_->mutex);
  shared_->wanted = Paths{sound1_path, sound2_path};
  shared_->wake.notify_one();
}

void WaveOutSound::PlaySound1() { Play(0); }

void WaveOutSound::PlaySound2() { Play(1); }

void WaveOutSound::Play(int player) {
  // The worker holds the lock only briefly, never while at a device or a file.
  std::lock_guard lock(shared_->mutex);
  shared_->restart[player] = true;
  shared_->wake.notify_one();
}

std::optional<unsigned long> WaveOutSound::PlayedFrames(int player) {
  std::unique_lock lock(shared_->mutex);
  if (!shared_->settled.wait_for(lock, kCatchUpWait, [&] { return shared_->Idle(); }))
    return std::nullopt;
  const Player& it = shared_->players[player];
  if (!it.device) return std::nullopt;
  MMTIME time{};
  time.wType = TIME_SAMPLES;
  if (waveOutGetPosition(it.device, &time, sizeof time) != MMSYSERR_NOERROR ||
      time.wType != TIME_SAMPLES)
    return std::nullopt;
  return time.u.sample;
}
