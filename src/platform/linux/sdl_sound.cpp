// Opening the audio device and loading the two sounds in the background, restarting them.
#include "platform/linux/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr int kPlayers = 2;  // player n plays on mixer channel n
constexpr int kRate = 44100;
constexpr int kChunkSize = 512;  // samples per mix: a play is heard within about 12 ms
// The game's sounds are a few kilobytes and under a second: anything past these bounds is
// not one of them, and is not read or kept.

enum class Device { kOpening, kOpen, kFailed };

using Paths = std::array<std::string, kPlayers>;
using Chunks = std::array<Mix_Chunk*, kPlayers>;

}  // namespace

struct SdlSound::Shared {
  std::mutex mutex;
  std::condition_variable changed;  // the device settled, sounds asked for or loaded, or stop
  Device device = Device::kOpening;
  std::optional<Paths> wanted;  // sounds asked for and not loaded yet
  bool loading = false;         // the worker reads and decodes, without the lock
  bool abandoned = false;       // the owner has gone
  bool closed = false;          // the owner closed the device itself
  Chunks chunks{};
};

namespace {

bool OpenDevice() {
  // The program's own signal handling stays as it is.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, kChunkSize) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(kPlayers);
  Mix_Volume(-1, MIX_MAX_VOLUME / 2);
  return true;
}

void FreeChunks(Chunks& chunks) {
  for (Mix_Chunk*& chunk : chunks) {
    if (chunk) Mix_FreeChunk(chunk);  // halts its channel first
    chunk = nullptr;
  }
}

void CloseDevice(Chunks& chunks) {
  Mix_HaltChannel(-1);
  FreeChunks(chunks);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SmallRegularFile(const struct stat& info) {
  return S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) <= kMaxSoundBytes;
}

// The whole of a regular file of at most kMaxSoundBytes; nothing for anything else (a device,
// FIFO or folder is not even opened, so it cannot block or run on without end).
std::vector<char> ReadSoundFile(const std::string& path) {
  struct stat info {};
  if (path.empty() || stat(path.c_str(), &info) != 0 || !SmallRegularFile(info)) return {};
  // O_NONBLOCK: should the file have become a FIFO meanwhile, the open must not wait.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return {};
  std::vector<char> bytes;
  if (fstat(fd, &info) == 0 && SmallRegularFile(info)) {
    // One byte more than the file holds tells a file that has grown since.
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t done = 0;
    for (;;) {
      const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
      if (done == bytes.size()) break;
    }
    bytes.resize(done < bytes.size() ? done : 0);
  }
  close(fd);
  return bytes;
}

// A WAV file's sound for the mixer, or nullptr when bytes hold none of sensible length. Only
// WAV, as the game's sounds are: SDL_mixer would also decode compressed formats, where a small
// file can hold hours of sound.
Mix_Chunk* DecodeSound(const std::vector<char>& bytes) {
  if (bytes.empty()) return nullptr;
  SDL_AudioSpec wav_format{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1, &wav_format,
                      &samples, &length))
    return nullptr;
  SDL_FreeWAV(samples);
  // Converted to the device's rate, a long or very slow sound would take without bound.
  const double frame_bytes = SDL_AUDIO_BITSIZE(wav_format.format) / 8.0 * wav_format.channels;
  if (wav_format.freq <= 0 || frame_bytes <= 0 || length / frame_bytes / wav_format.freq > kMaxSoundSeconds)
    return nullptr;
  return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
}

// The thread behind the players: opens the device, then loads each pair of sounds asked for,
// until the owner goes; it then closes the device unless the owner already has.
void Work(const std::shared_ptr<SdlSound::Shared>& shared) {
  const bool open = OpenDevice();
  std::unique_lock lock(shared->mutex);
  shared->device = open ? Device::kOpen : Device::kFailed;
  shared->changed.notify_all();
  while (open) {
    shared->changed.wait(lock, [&] { return shared->abandoned || shared->wanted; });
    if (shared->abandoned) break;
    const Paths paths = *std::exchange(shared->wanted, std::nullopt);
    shared->loading = true;
    lock.unlock();
    Chunks loaded{};
    for (int player = 0; player < kPlayers; ++player)
      loaded[player] = DecodeSound(ReadSoundFile(paths[player]));
    lock.lock();
    shared->loading = false;
    FreeChunks(shared->chunks);
    shared->chunks = loaded;
    shared->changed.notify_all();
  }
  if (open && !shared->closed) CloseDevice(shared->chunks);
  lock.unlock();
  // SDL keeps this thread's error text in storage that only SDL's own threads free.
  SDL_TLSCleanup();
}

}  // namespace

SdlSound::SdlSound() : shared_(std::make_shared<Shared>()) {
  std::thread([shared = shared_] { Work(shared); }).detach();
}

SdlSound::~SdlSound() {
  std::lock_guard lock(shared_->mutex);
  shared_->abandoned = true;
  shared_->changed.notify_all();
  // While the device opens or a file is read, the worker closes the device when it gets
  // there; the exit waits for neither.
  if (shared_->device != Device::kOpen || shared_->loading) return;
  CloseDevice(shared_->chunks);
  shared_->closed = true;
}

void SdlSound::LoadSounds(const std::string& sound1_path, const std::string& sound2_path) {
  std::lock_guard lock(shared_->mutex);
  shared_->wanted = Paths{sound1_path, sound2_path};
  shared_->changed.notify_all();
}

void SdlSound::PlaySound1() { Play(0); }

void SdlSound::PlaySound2() { Play(1); }

void SdlSound::Play(int player) {
  // The lock is only ever held briefly, but a play would rather be lost than wait.
  std::unique_lock lock(shared_->mutex, std::try_to_lock);
  if (!lock || shared_->device != Device::kOpen || !shared_->chunks[player]) return;
  // On a channel that is still playing, this halts the sound and starts it again.
  Mix_PlayChannel(player, shared_->chunks[player], 0);
}

bool SdlSound::WaitForDevice(std::chrono::milliseconds timeout) {
  std::unique_lock lock(shared_->mutex);
  shared_->changed.wait_for(lock, timeout, [&] { return shared_->device != Device::kOpening; });
  return shared_->device == Device::kOpen;
}

bool SdlSound::WaitForSounds(std::chrono::milliseconds timeout) {
  std::unique_lock lock(shared_->mutex);
  return shared_->changed.wait_for(lock, timeout, [&] {
    return shared_->device == Device::kFailed ||
           (shared_->device == Device::kOpen && !shared_->wanted && !shared_->loading);
  });
}
