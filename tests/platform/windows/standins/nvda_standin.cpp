// A stand-in for NVDA's controller client (nvdaControllerClient64.dll): it answers that NVDA
// runs unless TOLVOS_STANDIN_NVDA_OFF is set, and writes down each text it is asked to speak,
// in UTF-8, after "nvda ", and each it is asked to show on braille after "nvda-braille ".
#include <windows.h>

#include <string>

#include "standin_record.h"

namespace {

constexpr unsigned long kServerUnavailable = 1722;  // what the client answers without NVDA

std::string ToUtf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the terminating zero
  return utf8;
}

}  // namespace

extern "C" {

__declspec(dllexport) unsigned long __stdcall nvdaController_testIfRunning() {
  return EnvironmentHas(L"TOLVOS_STANDIN_NVDA_OFF") ? kServerUnavailable : 0;
}

// Written down even while "off", so that a caller that speaks without asking is seen.
__declspec(dllexport) unsigned long __stdcall nvdaController_speakText(const wchar_t* text) {
  RecordLine("nvda ", text ? ToUtf8(text) : std::string("(null)"));
  return EnvironmentHas(L"TOLVOS_STANDIN_NVDA_OFF") ? kServerUnavailable : 0;
}

__declspec(dllexport) unsigned long __stdcall nvdaController_brailleMessage(const wchar_t* text) {
  RecordLine("nvda-braille ", text ? ToUtf8(text) : std::string("(null)"));
  return EnvironmentHas(L"TOLVOS_STANDIN_NVDA_OFF") ? kServerUnavailable : 0;
}

__declspec(dllexport) unsigned long __stdcall nvdaController_cancelSpeech() {
  return EnvironmentHas(L"TOLVOS_STANDIN_NVDA_OFF") ? kServerUnavailable : 0;
}

}  // extern "C"
