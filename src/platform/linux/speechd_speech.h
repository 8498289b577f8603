// Speech through the desktop's speech server (speech-dispatcher), sent from a thread of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ports/speech_ops.h"

// Speak only queues the text: a worker thread owns the connection, opens it when there is
// something to say (never starting a server itself), and drops the texts it cannot deliver,
// so the game goes on silently without a server and speaks again once one answers. A frozen
// server can hold the worker, never the caller, nor the program's exit.
class SpeechdSpeech : public SpeechOps {
 public:
  // socket_path: the server's Unix socket; empty for the session's own (SPEECHD_ADDRESS, or
  // the library's default).
  explicit SpeechdSpeech(std::string socket_path = {});
  ~SpeechdSpeech() override;
  SpeechdSpeech(const SpeechdSpeech&) = delete;
  SpeechdSpeech& operator=(const SpeechdSpeech&) = delete;

  void Speak(const std::string& text, std::int16_t language_index) override;

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};
