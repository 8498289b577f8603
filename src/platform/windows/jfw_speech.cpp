// Binding JFWSayString and handing it the text in the ANSI code page.
#include "platform/windows/jfw_speech.h"

#include <windows.h>

namespace {

// UTF-8 to the system's ANSI code page, through UTF-16; characters it lacks become '?'.
std::string ToAnsi(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int wide_size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                            static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(wide_size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                      wide_size);
  const int ansi_size =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
  std::string ansi(ansi_size, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_size, ansi.data(), ansi_size, nullptr,
                      nullptr);
  return ansi;
}

}  // namespace

void JfwSpeech::Speak(const std::string& text, std::int16_t /*language_index*/) {
  if (!bound_) {
    bound_ = true;
    if (HMODULE library = LoadLibraryA("jfwapi.dll")) {
      say_string_ =
          reinterpret_cast<SayString>(GetProcAddress(library, "JFWSayString"));
    }
  }
  if (!say_string_) return;
  const std::string ansi = ToAnsi(text);
  // The second argument is passed by reference and holds 0; the result is not used.
  std::int32_t zero = 0;
  say_string_(ansi.c_str(), &zero);
}
