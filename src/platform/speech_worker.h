// The worker thread behind each system's speech: a bounded queue of texts and one thread that
// says them in order, whatever the voice beneath it does.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// A system's way of saying a text. It is made, used and destroyed on the worker thread only,
// so whatever it binds (a connection, a library, COM) belongs to that thread.
class Voice {
 public:
  virtual ~Voice() = default;
  // Says text (UTF-8) in the language given by language_index (0 Spanish, 1 English); may
  // take as long as the system takes, but should give up once told to stop.
  virtual void Say(const std::string& text, std::int16_t language_index) = 0;
};

// Speak only queues the text and returns; the worker takes the texts one at a time. When more
// than kMaxWaiting pile up behind a slow voice, the oldest are dropped. The destructor asks the
// worker to stop (calling interrupt, which should end any wait of the voice's) and waits for it
// at most kStopWait; a worker still held by its voice then keeps its own share of the state and
// ends with the process, which does not wait for it.
class SpeechWorker {
 public:
  static constexpr std::size_t kMaxWaiting = 32;

  using MakeVoice = std::function<std::unique_ptr<Voice>()>;
  explicit SpeechWorker(MakeVoice make_voice, std::function<void()> interrupt = {});
  ~SpeechWorker();
  SpeechWorker(const SpeechWorker&) = delete;
  SpeechWorker& operator=(const SpeechWorker&) = delete;

  void Speak(const std::string& text, std::int16_t language_index);

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};
