// A stand-in for JAWS's jfwapi.dll: JFWSayString writes down each text it is given, as the
// bytes received (the caller's ANSI code page), after "jaws ". A second argument that is not a
// reference to a 32-bit 0 is written down too, as a line of its own before the text.
// With TOLVOS_STANDIN_HOLD naming an event, each call writes down "jaws-held", then waits until
// the event is set, as a screen reader that hangs would.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "standin_record.h"

extern "C" __declspec(dllexport) int __stdcall JFWSayString(const char* text,
                                                            std::int32_t* interrupt) {
  wchar_t hold[256];
  const DWORD length = GetEnvironmentVariableW(L"TOLVOS_STANDIN_HOLD", hold, 256);
  if (length > 0 && length < 256) {
    if (const HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, hold)) {
      RecordLine("jaws-held", "");
      WaitForSingleObject(event, INFINITE);
      CloseHandle(event);
    }
  }
  if (!interrupt) {
    RecordLine("jaws-argument ", "null");
  } else if (*interrupt != 0) {
    RecordLine("jaws-argument ", std::to_string(*interrupt));
  }
  RecordLine("jaws ", text ? std::string(text, std::strlen(text)) : std::string("(null)"));
  return 1;
}
