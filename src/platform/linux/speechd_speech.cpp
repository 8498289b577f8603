// The speech server's client: a queue of texts and the worker that says them.
#include "platform/linux/speechd_speech.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "platform/linux/ssip_client.h"

namespace {

// The priority of the game's texts. MESSAGE waits for the screen reader's own speech instead
// of cutting it off.
constexpr char kSpeechPriority[] = "message";

// Texts waiting while the server is slow; older ones go first when more pile up.
constexpr std::size_t kMaxWaiting = 32;
// How long the destructor waits for the worker before leaving it behind.
constexpr auto kStopWait = std::chrono::milliseconds(300);

struct Message {
  std::string text;
  std::int16_t language_index;
};

// The name the server knows the game by, as speech-dispatcher's own library gave it:
// the user's login name, the program, the connection.
std::string ClientName() {
  passwd entry{}, *found = nullptr;
  char buffer[4096];
  const bool named = getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found;
  return std::string(named ? found->pw_name : "somebody") + ":tolvos:main";
}

}  // namespace

struct SpeechdSpeech::Shared {
  Shared() {
    if (pipe2(stop_pipe, O_CLOEXEC | O_NONBLOCK) != 0) stop_pipe[0] = stop_pipe[1] = -1;
  }
  ~Shared() {
    for (int fd : stop_pipe)
      if (fd >= 0) close(fd);
  }

  std::optional<SpeechServerAddress> address;
  std::string client_name = ClientName();
  // Written to when the owner goes: ends at once any wait of the worker for the server.
  int stop_pipe[2];
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
  explicit Worker(std::shared_ptr<SpeechdSpeech::Shared> shared)
      : shared_(std::move(shared)), client_(shared_->stop_pipe[0]) {}

  void Run() {
    while (auto message = Next()) Say(*message);
    client_.Close();
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

  // One delivery; and when a connection kept from before fails, one more on a fresh one (the
  // server may have been restarted since the last text). A text that still cannot be
  // delivered is dropped.
  void Say(const Message& message) {
    if (message.text.empty() || !shared_->address) return;
    const std::string language = message.language_index == 1 ? "en" : "es";
    const bool kept = client_.IsOpen();
    if (!kept && !client_.Open(*shared_->address, shared_->client_name)) return;
    if (client_.Say(message.text, language, kSpeechPriority) || !kept) return;
    if (client_.Open(*shared_->address, shared_->client_name))
      client_.Say(message.text, language, kSpeechPriority);
  }

  std::shared_ptr<SpeechdSpeech::Shared> shared_;
  SsipClient client_;
};

}  // namespace

SpeechdSpeech::SpeechdSpeech(std::string socket_path) : shared_(std::make_shared<Shared>()) {
  // The address is settled here, once; finding it only reads the environment.
  if (socket_path.empty())
    shared_->address = SessionSpeechServer();
  else
    shared_->address = SpeechServerAddress{std::move(socket_path), "", 0};
  std::thread([shared = shared_] { Worker(shared).Run(); }).detach();
}

SpeechdSpeech::~SpeechdSpeech() {
  std::unique_lock lock(shared_->mutex);
  shared_->stopping = true;
  shared_->wake.notify_all();
  if (shared_->stop_pipe[1] >= 0 && write(shared_->stop_pipe[1], "", 1) < 0) {
    // Full already: the worker has been told.
  }
  // Only a server that takes long to resolve can still hold the worker here; it keeps its own
  // share of the state and ends with the process, which does not wait for it.
  shared_->stopped.wait_for(lock, kStopWait, [&] { return shared_->finished; });
}

void SpeechdSpeech::Speak(const std::string& text, std::int16_t language_index) {
  std::lock_guard lock(shared_->mutex);
  if (shared_->waiting.size() == kMaxWaiting) shared_->waiting.pop_front();
  shared_->waiting.push_back({text, language_index});
  shared_->wake.notify_one();
}
