// The queue behind every system's speech, with a voice the test holds: order, the drop of the
// oldest texts behind a slow voice, and an exit that does not wait for a voice that hangs.
#include "platform/speech_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// What the voice was given, and a gate that holds it inside Say until opened.
struct Heard {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::string> texts;
  bool open = false;

  bool WaitFor(std::size_t count) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, 10s, [&] { return texts.size() >= count; });
  }
  void Open() {
    std::lock_guard lock(mutex);
    open = true;
    changed.notify_all();
  }
};

class HeldVoice : public Voice {
 public:
  explicit HeldVoice(std::shared_ptr<Heard> heard) : heard_(std::move(heard)) {}
  void Say(const std::string& text, std::int16_t language_index) override {
    std::unique_lock lock(heard_->mutex);
    heard_->texts.push_back(text + "/" + std::to_string(language_index));
    heard_->changed.notify_all();
    heard_->changed.wait(lock, [&] { return heard_->open; });
  }

 private:
  std::shared_ptr<Heard> heard_;
};

SpeechWorker::MakeVoice VoiceFor(const std::shared_ptr<Heard>& heard) {
  return [heard] { return std::make_unique<HeldVoice>(heard); };
}

TEST(SpeechWorkerTest, TextsBehindASlowVoiceKeepTheirOrderAndTheOldestAreDropped) {
  auto heard = std::make_shared<Heard>();
  {
    SpeechWorker worker(VoiceFor(heard));
    worker.Speak("first", 1);
    ASSERT_TRUE(heard->WaitFor(1));  // the voice is held inside the first text
    const std::size_t queued = SpeechWorker::kMaxWaiting + 5;
    for (std::size_t i = 0; i < queued; ++i) worker.Speak(std::to_string(i), 0);
    heard->Open();
    ASSERT_TRUE(heard->WaitFor(1 + SpeechWorker::kMaxWaiting));
    std::vector<std::string> expected{"first/1"};
    for (std::size_t i = queued - SpeechWorker::kMaxWaiting; i < queued; ++i)
      expected.push_back(std::to_string(i) + "/0");
    std::lock_guard lock(heard->mutex);
    EXPECT_EQ(expected, heard->texts);
  }
}

TEST(SpeechWorkerTest, AVoiceThatHangsHoldsNeitherSpeakNorTheExitButIsTold) {
  auto heard = std::make_shared<Heard>();
  bool interrupted = false;
  {
    SpeechWorker worker(VoiceFor(heard), [&] { interrupted = true; });
    worker.Speak("held", 0);
    ASSERT_TRUE(heard->WaitFor(1));
    for (std::size_t i = 0; i < 2 * SpeechWorker::kMaxWaiting; ++i) worker.Speak("more", 0);
  }  // leaves the worker behind, still inside Say
  EXPECT_TRUE(interrupted);
  heard->Open();  // lets it finish, so that the test ends clean
}

}  // namespace
