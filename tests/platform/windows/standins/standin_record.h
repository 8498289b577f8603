// What the stand-in screen reader libraries share: the record of what they were asked to say.
// Each text becomes one line, its prefix and the bytes as received, appended to the file named
// by TOLVOS_STANDIN_RECORD (nothing is written without it). The file is opened for each line
// and the line written in one call, so a reader sees it whole as soon as the call returns.
#pragma once

#include <windows.h>

#include <string>

inline void RecordLine(const std::string& prefix, const std::string& bytes) {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetEnvironmentVariableW(L"TOLVOS_STANDIN_RECORD", path, MAX_PATH * 4);
  if (length == 0 || length >= MAX_PATH * 4) return;
  const HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string line = prefix + bytes + "\n";
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

inline bool EnvironmentHas(const wchar_t* name) {
  return GetEnvironmentVariableW(name, nullptr, 0) != 0;
}
