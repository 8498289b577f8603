// Speech and braille through the screen reader the player runs on Windows: JAWS, NVDA, or both.
#pragma once

#include <cstdint>
#include <string>

#include "platform/speech_worker.h"
#include "ports/speech_ops.h"

// Speak only queues the text; a worker thread binds the screen readers' libraries when there
// is first something to say, then hands each text to them in order, first to their speech,
// then to their braille:
// - JAWS: JFWSayString of jfwapi.dll, found by the system's ordinary DLL search (the
//   program's folder first); every text goes to it, in the ANSI code page. Braille goes
//   through JAWS's COM object (see jaws_braille.h), in UTF-16, when JAWS is installed.
// - NVDA: nvdaControllerClient64.dll beside the program; a text goes to its speech and to its
//   braille, in UTF-16, when it answers that NVDA is running.
// Without either, nothing is said. A screen reader that hangs holds the worker, never the
// window, nor the program's exit. The screen reader speaks in its own language, so the
// language index is not used.
class WindowsSpeech : public SpeechOps {
 public:
  WindowsSpeech();
  // The two libraries named otherwise: jaws_library as LoadLibrary takes a name or a path,
  // nvda_library a path.
  WindowsSpeech(const std::string& jaws_library, const std::string& nvda_library);

  void Speak(const std::string& text, std::int16_t language_index) override;

 private:
  SpeechWorker worker_;
};
