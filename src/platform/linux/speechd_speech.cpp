// The speech server's client: a queue of texts and the worker that says them.
#include "platform/linux/speechd_speech.h"

#include <libspeechd.h>
#include <pthread.h>
#include <signal.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace {

// Texts waiting while the server is slow; older ones go first when more pile up.
constexpr std::size_t kMaxWaiting = 32;
// How long the destructor waits for the worker before leaving it behind.
constexpr auto kStopWait = std::chrono::milliseconds(300);

// Priorities against a screen reader, which speaks at MESSAGE and cancels only its own speech.
// The first text of a run, the welcome, goes at MESSAGE: it waits for what the screen reader is
// saying and is then heard whole, the screen reader's next words waiting behind it. Every later
// text, a marking, goes at TEXT: it waits behind the echo of the key that caused it (the screen
// reader hears a key before the program does), and the player's next key cuts it off at once,
// as it cuts the screen reader's own speech.
constexpr SPDPriority kFirstTextPriority = SPD_MESSAGE;
constexpr SPDPriority kLaterTextPriority = SPD_TEXT;

struct Message {
  std::string text;
  std::int16_t language_index;
};

}  // namespace

struct SpeechdSpeech::Shared {
  // The server's address; its strings point into the two below.
  std::optional<SPDConnectionAddress> address;
  std::string socket_name, host;
  std::mutex mutex;
  std::condition_variable wake;     // a text to say, or stop
  std::condition_variable stopped;  // the worker has closed its connection
  std::deque<Message> waiting;
  bool stopping = false;
  bool finished = false;
};

namespace {

class Worker {
 public:
  explicit Worker(std::shared_ptr<SpeechdSpeech::Shared> shared) : shared_(std::move(shared)) {}

  void Run() {
    // A write to a server that has gone away must fail with EPIPE, not end the program.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);

    while (auto message = Next()) Say(*message);
    Close();
    std::lock_guard lock(shared_->mutex);
    shared_->finished = true;
    shared_->stopped.notify_all();
  }

 private:
  std::optional<Message> Next() {
    std::unique_lock lock(shared_->mutex);
    shared_->wake.wait(lock, [&] { return shared_->stopping || !shared_->waiting.empty(); });
    if (shared_->stopping) return std::nullopt;
    Message message = std::move(shared_->waiting.front());
    shared_->waiting.pop_front();
    return message;
  }

  // One delivery, and one more on a fresh connection when the old one has died (the server
  // was restarted since the last text).
  void Say(const Message& message) {
    const char* language = message.language_index == 1 ? "en" : "es";
    const SPDPriority priority = said_first_ ? kLaterTextPriority : kFirstTextPriority;
    said_first_ = true;
    for (int attempt = 0; attempt < 2; ++attempt) {
      if (!connection_ && !Open()) return;
      if (language_ != language) {
        if (spd_set_language(connection_, language) != 0) {
          Close();
          continue;
        }
        language_ = language;
      }
      if (spd_say(connection_, priority, message.text.c_str()) >= 0) return;
      Close();
    }
  }

  bool Open() {
    if (!shared_->address) return false;
    char* error = nullptr;
    connection_ = spd_open2("tolvos", "main", nullptr, SPD_MODE_SINGLE, &*shared_->address,
                            /*autospawn=*/0, &error);
    std::free(error);
    language_.clear();
    return connection_ != nullptr;
  }

  void Close() {
    if (connection_) spd_close(connection_);
    connection_ = nullptr;
  }

  std::shared_ptr<SpeechdSpeech::Shared> shared_;
  SPDConnection* connection_ = nullptr;
  std::string language_;
  bool said_first_ = false;
};

}  // namespace

SpeechdSpeech::SpeechdSpeech(std::string socket_path) : shared_(std::make_shared<Shared>()) {
  // The address is settled here, once; finding it only reads the environment.
  SPDConnectionAddress address{};
  if (!socket_path.empty()) {
    address.method = SPD_METHOD_UNIX_SOCKET;
    shared_->socket_name = std::move(socket_path);
  } else {
    char* error = nullptr;
    SPDConnectionAddress* session = spd_get_default_address(&error);
    std::free(error);
    if (session) {
      address.method = session->method;
      if (session->unix_socket_name) shared_->socket_name = session->unix_socket_name;
      if (session->inet_socket_host) shared_->host = session->inet_socket_host;
      address.inet_socket_port = session->inet_socket_port;
      SPDConnectionAddress__free(session);
    }
  }
  if (!shared_->socket_name.empty() || !shared_->host.empty()) {
    address.unix_socket_name = shared_->socket_name.data();
    address.inet_socket_host = shared_->host.data();
    shared_->address = address;
  }
  std::thread([shared = shared_] { Worker(shared).Run(); }).detach();
}

SpeechdSpeech::~SpeechdSpeech() {
  std::unique_lock lock(shared_->mutex);
  shared_->stopping = true;
  shared_->wake.notify_all();
  // A worker stuck on a frozen server keeps its own share of the state and ends with the
  // process; the program does not wait for it.
  shared_->stopped.wait_for(lock, kStopWait, [&] { return shared_->finished; });
}

void SpeechdSpeech::Speak(const std::string& text, std::int16_t language_index) {
  std::lock_guard lock(shared_->mutex);
  if (shared_->waiting.size() == kMaxWaiting) shared_->waiting.pop_front();
  shared_->waiting.push_back({text, language_index});
  shared_->wake.notify_one();
}
