// The client side of speech-dispatcher's text protocol (SSIP), written so that no server can
// hold or end its caller: every exchange has a deadline, every reply a bound, and anything but
// the expected reply closes the connection.
#pragma once

#include <optional>
#include <string>

// Where a speech server listens: a Unix socket, or a host and port.
struct SpeechServerAddress {
  std::string socket_path;  // empty for TCP
  std::string host;
  int port = 0;
};

// The session's speech server, found as speech-dispatcher's own client library finds it:
// SPEECHD_ADDRESS ("unix_socket[:path]" or "inet_socket[:host[:port]]"), else the socket
// speech-dispatcher/speechd.sock in the user's runtime folder. nullopt for an address of
// another kind.
std::optional<SpeechServerAddress> SessionSpeechServer();

class SsipClient {
 public:
  // Any wait for the server ends at once, and fails, when stop_fd becomes readable.
  explicit SsipClient(int stop_fd) : stop_fd_(stop_fd) {}
  ~SsipClient() { Close(); }
  SsipClient(const SsipClient&) = delete;
  SsipClient& operator=(const SsipClient&) = delete;

  // Connects and gives the server the client's name; false, and closed, when the server
  // cannot be reached or answers late or wrongly. Never starts a server.
  bool Open(const SpeechServerAddress& address, const std::string& client_name);
  // Hands text (UTF-8) to the server to be spoken in language ("es", "en") at priority
  // ("message"...), setting either only when it changes; returns once the server has queued
  // it. false, and closed, on any late, wrong or missing reply.
  bool Say(const std::string& text, const std::string& language, const std::string& priority);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

 private:
  // Sends request and reads the reply; true when its code is expected_code, or any success
  // (2xx) for 0. Closes the connection otherwise.
  bool Exchange(const std::string& request, int expected_code);

  int stop_fd_;
  int fd_ = -1;
  std::string unread_;  // bytes received past the last reply
  std::string language_, priority_;
};
