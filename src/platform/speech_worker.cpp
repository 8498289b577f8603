// The queue of texts and the thread that hands them to a voice.
#include "platform/speech_worker.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace {

// How long the destructor waits for the worker before leaving it behind.
constexpr auto kStopWait = std::chrono::milliseconds(300);

struct Message {
  std::string text;
  std::int16_t language_index;
};

}  // namespace

struct SpeechWorker::Shared {
  std::function<void()> interrupt;
  std::mutex mutex;
  std::condition_variable wake;     // a text to say, or stop
  std::condition_variable stopped;  // the worker has let go of its voice
  std::deque<Message> waiting;
  bool stopping = false;
  bool finished = false;
};

namespace {

std::optional<Message> Next(SpeechWorker::Shared& shared) {
  std::unique_lock lock(shared.mutex);
  shared.wake.wait(lock, [&] { return shared.stopping || !shared.waiting.empty(); });
  if (shared.stopping) return std::nullopt;
  Message message = std::move(shared.waiting.front());
  shared.waiting.pop_front();
  return message;
}

void Work(const std::shared_ptr<SpeechWorker::Shared>& shared,
          const SpeechWorker::MakeVoice& make_voice) {
  if (std::unique_ptr<Voice> voice = make_voice()) {
    while (std::optional<Message> message = Next(*shared))
      voice->Say(message->text, message->language_index);
  }
  std::lock_guard lock(shared->mutex);
  shared->finished = true;
  shared->stopped.notify_all();
}

}  // namespace

SpeechWorker::SpeechWorker(MakeVoice make_voice, std::function<void()> interrupt)
    : shared_(std::make_shared<Shared>()) {
  shared_->interrupt = std::move(interrupt);
  std::thread([shared = shared_, make_voice = std::move(make_voice)] {
    Work(shared, make_voice);
  }).detach();
}

SpeechWorker::~SpeechWorker() {
  std::unique_lock lock(shared_->mutex);
  shared_->stopping = true;
  shared_->wake.notify_all();
  if (shared_->interrupt) shared_->interrupt();
  shared_->stopped.wait_for(lock, kStopWait, [&] { return shared_->finished; });
}

void SpeechWorker::Speak(const std::string& text, std::int16_t language_index) {
  std::lock_guard lock(shared_->mutex);
  if (shared_->waiting.size() == kMaxWaiting) shared_->waiting.pop_front();
  shared_->waiting.push_back({text, language_index});
  shared_->wake.notify_one();
}
