// The screen readers' voice and braille: JAWS and NVDA, bound when there is first something
// to say.
#include "platform/windows/windows_speech.h"

#include <windows.h>
#include <objbase.h>

#include <memory>
#include <utility>

#include "platform/windows/jaws_braille.h"
#include "platform/windows/win_host.h"
#include "platform/windows/windows_text.h"

namespace {

// JAWS: the text in the ANSI code page, and a reference to a 32-bit number holding 0.
using JawsSayString = int(__stdcall*)(const char* text, std::int32_t* interrupt);
// NVDA's controller client: 0 when NVDA runs, and the text in UTF-16.
using NvdaTestIfRunning = unsigned long(__stdcall*)();
using NvdaText = unsigned long(__stdcall*)(const wchar_t* text);

template <typename Function>
Function Find(HMODULE library, const char* name) {
  if (!library) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The worker has no message loop, so it belongs in the multithreaded apartment: a
// single-threaded one would have to pump messages for calls back into it. Declared first among
// a voice's members, it outlives every COM object the voice holds.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }

 private:
  const HRESULT result_;
};

class ScreenReaderVoice : public Voice {
 public:
  ScreenReaderVoice(std::wstring jaws_library, std::wstring nvda_library)
      : jaws_library_(std::move(jaws_library)), nvda_library_(std::move(nvda_library)) {}

  // Both screen readers' speech comes before either's braille: the count is heard as soon as
  // it can be, and a slow braille call of one screen reader never delays the other's voice.
  void Say(const std::string& text, std::int16_t /*language_index*/) override {
    if (!bound_) Bind();
    if (jaws_say_) {
      const std::string ansi = ToAnsiCodePage(text);
      std::int32_t interrupt = 0;
      jaws_say_(ansi.c_str(), &interrupt);  // its answer changes nothing
    }
    // Asked each time: NVDA may start or stop while the game runs.
    const bool nvda = nvda_running_ && nvda_running_() == 0;
    const std::wstring wide = Widen(text);
    if (nvda && nvda_speak_) nvda_speak_(wide.c_str());
    if (jaws_braille_) jaws_braille_->Show(text);
    if (nvda && nvda_braille_) nvda_braille_(wide.c_str());
  }

 private:
  // The libraries stay loaded for the rest of the run: a call may still be inside one when
  // the program ends.
  void Bind() {
    bound_ = true;
    const HMODULE jaws = LoadLibraryW(jaws_library_.c_str());
    jaws_say_ = Find<JawsSayString>(jaws, "JFWSayString");
    jaws_braille_ = std::make_unique<JawsBraille>();
    const HMODULE nvda = nvda_library_.empty()
                             ? nullptr
                             : LoadLibraryExW(nvda_library_.c_str(), nullptr,
                                              LOAD_WITH_ALTERED_SEARCH_PATH);
    nvda_running_ = Find<NvdaTestIfRunning>(nvda, "nvdaController_testIfRunning");
    nvda_speak_ = Find<NvdaText>(nvda, "nvdaController_speakText");
    nvda_braille_ = Find<NvdaText>(nvda, "nvdaController_brailleMessage");
  }

  const ComApartment com_;
  std::wstring jaws_library_, nvda_library_;
  bool bound_ = false;
  JawsSayString jaws_say_ = nullptr;
  std::unique_ptr<JawsBraille> jaws_braille_;
  NvdaTestIfRunning nvda_running_ = nullptr;
  NvdaText nvda_speak_ = nullptr;
  NvdaText nvda_braille_ = nullptr;
};

std::string BesideProgram(const char* name) {
  return WinHost().ProgramFolder() + kPathSeparator + name;
}

}  // namespace

WindowsSpeech::WindowsSpeech()
    : WindowsSpeech("jfwapi.dll", BesideProgram("nvdaControllerClient64.dll")) {}

// A screen reader that hangs holds the worker, never the window, nor the program's exit.
WindowsSpeech::WindowsSpeech(const std::string& jaws_library, const std::string& nvda_library)
    : worker_([jaws = Widen(jaws_library), nvda = Widen(nvda_library)] {
        return std::make_unique<ScreenReaderVoice>(jaws, nvda);
      }) {}

void WindowsSpeech::Speak(const std::string& text, std::int16_t language_index) {
  worker_.Speak(text, language_index);
}
