// The speech server's voice: one connection, opened when there is something to say.
#include "platform/linux/speechd_speech.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <utility>

#include "platform/linux/ssip_client.h"

namespace {

// Priorities against a screen reader, which speaks at MESSAGE and cancels only its own speech.
// The first text of a run, the welcome, goes at MESSAGE: it waits for what the screen reader is
// saying and is then heard whole, the screen reader's next words waiting behind it. Every later
// text, a marking, goes at TEXT: it waits behind the echo of the key that caused it (the screen
// reader hears a key before the program does), and the player's next key cuts it off at once,
// as it cuts the screen reader's own speech.
constexpr char kFirstTextPriority[] = "message";
constexpr char kLaterTextPriority[] = "text";

// The name the server knows the game by, as speech-dispatcher's own library gave it:
// the user's login name, the program, the connection.
std::string ClientName() {
  passwd entry{}, *found = nullptr;
  char buffer[4096];
  const bool named = getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found;
  return std::string(named ? found->pw_name : "somebody") + ":tolvos:main";
}

// Written to when the owner goes: ends at once any wait of the voice for the server. Shared by
// the owner and the voice, as either may be the last to go.
struct StopPipe {
  StopPipe() {
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) fds[0] = fds[1] = -1;
  }
  ~StopPipe() {
    for (int fd : fds)
      if (fd >= 0) close(fd);
  }
  StopPipe(const StopPipe&) = delete;
  StopPipe& operator=(const StopPipe&) = delete;

  void Signal() const {
    if (fds[1] >= 0 && write(fds[1], "", 1) < 0) {
      // Full already: the voice has been told.
    }
  }

  int fds[2];
};

class ServerVoice : public Voice {
 public:
  ServerVoice(std::optional<SpeechServerAddress> address, std::shared_ptr<StopPipe> stop)
      : address_(std::move(address)), stop_(std::move(stop)), client_(stop_->fds[0]) {}
  ~ServerVoice() override { client_.Close(); }

  // One delivery; and when a connection kept from before fails, one more on a fresh one (the
  // server may have been restarted since the last text). A text that still cannot be
  // delivered is dropped.
  void Say(const std::string& text, std::int16_t language_index) override {
    if (text.empty() || !address_) return;
    const std::string language = language_index == 1 ? "en" : "es";
    const char* priority = said_first_ ? kLaterTextPriority : kFirstTextPriority;
    said_first_ = true;
    const bool kept = client_.IsOpen();
    if (!kept && !client_.Open(*address_, client_name_)) return;
    if (client_.Say(text, language, priority) || !kept) return;
    if (client_.Open(*address_, client_name_)) client_.Say(text, language, priority);
  }

 private:
  std::optional<SpeechServerAddress> address_;
  std::shared_ptr<StopPipe> stop_;
  std::string client_name_ = ClientName();
  SsipClient client_;
  bool said_first_ = false;
};

// The address is settled here, once; finding it only reads the environment.
std::optional<SpeechServerAddress> ServerAt(std::string socket_path) {
  if (socket_path.empty()) return SessionSpeechServer();
  return SpeechServerAddress{std::move(socket_path), "", 0};
}

SpeechWorker StartWorker(std::string socket_path) {
  auto stop = std::make_shared<StopPipe>();
  return SpeechWorker(
      [address = ServerAt(std::move(socket_path)), stop] {
        return std::make_unique<ServerVoice>(address, stop);
      },
      [stop] { stop->Signal(); });
}

}  // namespace

SpeechdSpeech::SpeechdSpeech(std::string socket_path)
    : worker_(StartWorker(std::move(socket_path))) {}

void SpeechdSpeech::Speak(const std::string& text, std::int16_t language_index) {
  worker_.Speak(text, language_index);
}
