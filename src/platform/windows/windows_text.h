// Text at the boundary with Windows: the program's UTF-8 against the system's UTF-16 and its
// ANSI code page, and the system's own words for an error code.
#pragma once

#include <string>

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
// A character the code page lacks becomes its nearest likeness there (Ω as O), else '?'.
std::string ToAnsiCodePage(const std::string& utf8);
// The system's message for a GetLastError code, in the user's language, without a line end.
std::string SystemMessage(unsigned long error);
