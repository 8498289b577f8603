// Speech through the desktop's speech server (speech-dispatcher), sent from a thread of its own.
#pragma once

#include <cstdint>
#include <string>

#include "platform/speech_worker.h"
#include "ports/speech_ops.h"

// Speak only queues the text: a worker thread owns the one connection, opens it when there is
// something to say (never starting a server itself), and drops the texts it cannot deliver,
// so the game goes on silently without a server and speaks again once one answers. The
// worker speaks the server's protocol itself (ssip_client.h) rather than through
// speech-dispatcher's library, which ends the process on a reply it does not understand: no
// reply, late, endless or malformed, can hold the caller, end the game or keep it from
// exiting.
class SpeechdSpeech : public SpeechOps {
 public:
  // socket_path: the server's Unix socket; empty for the session's own (SPEECHD_ADDRESS, or
  // the default socket in the user's runtime folder).
  explicit SpeechdSpeech(std::string socket_path = {});

  void Speak(const std::string& text, std::int16_t language_index) override;

 private:
  SpeechWorker worker_;
};
