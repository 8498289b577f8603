// The queue of texts and the worker that hands them to JAWS and NVDA.
#include "platform/windows/windows_speech.h"

#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "platform/windows/win_host.h"
#include "platform/windows/windows_text.h"

namespace {

// Texts waiting while a screen reader is slow; older ones go first when more pile up.
constexpr std::size_t kMaxWaiting = 32;
// How long the destructor waits for the worker before leaving it behind.
constexpr auto kStopWait = std::chrono::milliseconds(300);

// JAWS: the text in the ANSI code page, and a reference to a 32-bit number holding 0.
using JawsSayString = int(__stdcall*)(const char* text, std::int32_t* interrupt);
// NVDA's controller client: 0 when NVDA runs, and the text in UTF-16.
using NvdaTestIfRunning = unsigned long(__stdcall*)();
using NvdaSpeakText = unsigned long(__stdcall*)(const wchar_t* text);

template <typename Function>
Function Find(HMODULE library, const char* name) {
  if (!library) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

struct WindowsSpeech::Shared {
  std::wstring jaws_library, nvda_library;
  std::mutex mutex;
  std::condition_variable wake;     // a text to say, or stop
  std::condition_variable stopped;  // the worker has left its loop
  std::deque<std::string> waiting;
  bool stopping = false;
  bool finished = false;
};

namespace {

class Worker {
 public:
  explicit Worker(std::shared_ptr<WindowsSpeech::Shared> shared) : shared_(std::move(shared)) {}

  void Run() {
    // The screen readers' libraries were made for the single-threaded apartment of a
    // window's thread; this thread gives them one.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool bound = false;
    while (std::optional<std::string> text = Next()) {
      if (!bound) Bind();
      bound = true;
      Say(*text);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    std::lock_guard lock(shared_->mutex);
    shared_->finished = true;
    shared_->stopped.notify_all();
  }

 private:
  std::optional<std::string> Next() {
    std::unique_lock lock(shared_->mutex);
    shared_->wake.wait(lock, [&] { return shared_->stopping || !shared_->waiting.empty(); });
    if (shared_->stopping) return std::nullopt;
    std::string text = std::move(shared_->waiting.front());
    shared_->waiting.pop_front();
    return text;
  }

  // The libraries stay loaded for the rest of the run: a call may still be inside one when
  // the program ends.
  void Bind() {
    const HMODULE jaws = LoadLibraryW(shared_->jaws_library.c_str());
    jaws_say_ = Find<JawsSayString>(jaws, "JFWSayString");
    const HMODULE nvda = shared_->nvda_library.empty()
                             ? nullptr
                             : LoadLibraryExW(shared_->nvda_library.c_str(), nullptr,
                                              LOAD_WITH_ALTERED_SEARCH_PATH);
    nvda_running_ = Find<NvdaTestIfRunning>(nvda, "nvdaController_testIfRunning");
    nvda_speak_ = Find<NvdaSpeakText>(nvda, "nvdaController_speakText");
  }

  void Say(const std::string& text) {
    if (jaws_say_) {
      const std::string ansi = ToAnsiCodePage(text);
      std::int32_t interrupt = 0;
      jaws_say_(ansi.c_str(), &interrupt);  // its answer changes nothing
    }
    // Asked each time: NVDA may start or stop while the game runs.
    if (nvda_running_ && nvda_speak_ && nvda_running_() == 0) nvda_speak_(Widen(text).c_str());
  }

  std::shared_ptr<WindowsSpeech::Shared> shared_;
  JawsSayString jaws_say_ = nullptr;
  NvdaTestIfRunning nvda_running_ = nullptr;
  NvdaSpeakText nvda_speak_ = nullptr;
};

std::string BesideProgram(const char* name) {
  return WinHost().ProgramFolder() + kPathSeparator + name;
}

}  // namespace

WindowsSpeech::WindowsSpeech()
    : WindowsSpeech("jfwapi.dll", BesideProgram("nvdaControllerClient64.dll")) {}

WindowsSpeech::WindowsSpeech(const std::string& jaws_library, const std::string& nvda_library)
    : shared_(std::make_shared<Shared>()) {
  shared_->jaws_library = Widen(jaws_library);
  shared_->nvda_library = Widen(nvda_library);
  std::thread([shared = shared_] { Worker(shared).Run(); }).detach();
}

WindowsSpeech::~WindowsSpeech() {
  std::unique_lock lock(shared_->mutex);
  shared_->stopping = true;
  shared_->wake.notify_all();
  // A worker stuck in a screen reader keeps its own share of the state and ends with the
  // process; the program does not wait for it.
  shared_->stopped.wait_for(lock, kStopWait, [&] { return shared_->finished; });
}

void WindowsSpeech::Speak(const std::string& text, std::int16_t /*language_index*/) {
  std::lock_guard lock(shared_->mutex);
  if (shared_->waiting.size() == kMaxWaiting) shared_->waiting.pop_front();
  shared_->waiting.push_back(text);
  shared_->wake.notify_one();
}
