// Opening the audio device in the background, loading the two sounds, restarting them.
#include "platform/linux/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

constexpr int kPlayers = 2;  // player n plays on mixer channel n
constexpr int kRate = 44100;
constexpr int kChunkSize = 512;  // samples per mix: a play is heard within about 12 ms

enum class Device { kOpening, kOpen, kFailed };

}  // namespace

struct SdlSound::Shared {
  std::mutex mutex;
  std::condition_variable opened;
  Device device = Device::kOpening;
  bool abandoned = false;  // the owner went away while the device was opening
  std::array<std::string, kPlayers> paths;
  std::array<Mix_Chunk*, kPlayers> chunks{};

  // Called with the mutex held and the device open.
  void LoadChunks() {
    for (int player = 0; player < kPlayers; ++player) {
      if (chunks[player]) Mix_FreeChunk(chunks[player]);  // halts its channel first
      chunks[player] = paths[player].empty() ? nullptr : Mix_LoadWAV(paths[player].c_str());
    }
  }
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

void CloseDevice() {
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void OpenInBackground(const std::shared_ptr<SdlSound::Shared>& shared) {
  const bool open = OpenDevice();
  {
    std::lock_guard lock(shared->mutex);
    if (shared->abandoned) {
      if (open) CloseDevice();
    } else {
      shared->device = open ? Device::kOpen : Device::kFailed;
      if (open) shared->LoadChunks();
      shared->opened.notify_all();
    }
  }
  // SDL keeps this thread's error text in storage that only SDL's own threads free.
  SDL_TLSCleanup();
}

}  // namespace

SdlSound::SdlSound() : shared_(std::make_shared<Shared>()) {
  std::thread([shared = shared_] { OpenInBackground(shared); }).detach();
}

SdlSound::~SdlSound() {
  std::lock_guard lock(shared_->mutex);
  if (shared_->device == Device::kOpening) {
    // The opening thread closes what it opens, whenever it gets there.
    shared_->abandoned = true;
    return;
  }
  if (shared_->device != Device::kOpen) return;
  Mix_HaltChannel(-1);
  for (Mix_Chunk*& chunk : shared_->chunks) {
    if (chunk) Mix_FreeChunk(chunk);
    chunk = nullptr;
  }
  CloseDevice();
}

void SdlSound::LoadSounds(const std::string& sound1_path, const std::string& sound2_path) {
  std::lock_guard lock(shared_->mutex);
  shared_->paths = {sound1_path, sound2_path};
  if (shared_->device == Device::kOpen) shared_->LoadChunks();
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
  shared_->opened.wait_for(lock, timeout, [&] { return shared_->device != Device::kOpening; });
  return shared_->device == Device::kOpen;
}
