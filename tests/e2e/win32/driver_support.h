// What the end-to-end driver needs to act on another program's windows under Wine: checks
// that count failures, waiting on conditions, texts read and written across processes, and
// the game's own arithmetic to know what the window must show.
#pragma once

#include <windows.h>

#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

inline int failures = 0;

#define CHECK(condition, ...)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      ++failures;                                                                        \
      std::fprintf(stderr, "%s:%d: check failed: %s: ", __FILE__, __LINE__, #condition); \
      std::fprintf(stderr, __VA_ARGS__);                                                 \
      std::fprintf(stderr, "\n");                                                        \
    }                                                                                    \
  } while (0)

// Polls condition every 10 ms until it holds or timeout_ms have passed.
inline bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms = 10000) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(10);
  }
}

inline std::wstring Widen(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  return wide;
}

inline std::string Encode(const std::wstring& wide, UINT code_page) {
  std::string bytes(wide.size() * 4, '\0');
  bytes.resize(static_cast<std::size_t>(
      WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                          static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

inline std::string Utf8(const std::wstring& wide) { return Encode(wide, CP_UTF8); }

// A window's text, asked of its own process (which answers even while a box of its is open).
inline std::wstring Text(HWND hwnd) {
  wchar_t text[2048] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      3000, &length);
  return text;
}

inline void SetText(HWND hwnd, const std::wstring& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                      3000, &result);
}

inline std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

inline std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    children.push_back(c);
  return children;
}

// The visible top-level windows of process pid whose class is class_name.
inline std::vector<HWND> TopWindows(DWORD pid, const std::wstring& class_name) {
  std::pair<DWORD, std::pair<const std::wstring*, std::vector<HWND>>> search{pid,
                                                                             {&class_name, {}}};
  EnumWindows(
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<decltype(search)*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->first && IsWindowVisible(hwnd) && ClassOf(hwnd) == *s->second.first)
          s->second.second.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second.second;
}

inline std::string ReadFile(const std::wstring& path) {
  std::string bytes;
  if (FILE* f = _wfopen(path.c_str(), L"rb")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

// The board as the driver works it out: 15 columns by 10 rows, 0 empty, 1 to 5 the colours
// ("A", "E", "i", "O", "U"), button k showing cell (k mod 15, k div 15).
using Board = std::array<int, 150>;

inline int CodeOf(const std::wstring& caption) {
  static const std::wstring letters[] = {L"A", L"E", L"i", L"O", L"U"};
  for (int code = 1; code <= 5; ++code)
    if (caption == letters[code - 1]) return code;
  return caption == L"." ? 0 : -1;
}

inline std::wstring CaptionOf(int code) {
  static const wchar_t* captions[] = {L".", L"A", L"E", L"i", L"O", L"U"};
  return captions[code];
}

// The group of block k: the cells of its colour joined to it left, right, up or down.
inline std::vector<int> GroupOf(const Board& board, int k) {
  std::vector<int> group{k};
  std::array<bool, 150> seen{};
  seen[static_cast<std::size_t>(k)] = true;
  for (std::size_t i = 0; i < group.size(); ++i) {
    const int c = group[i] % 15, r = group[i] / 15;
    const std::pair<int, int> next[] = {{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}};
    for (auto [nc, nr] : next) {
      const int n = nr * 15 + nc;
      if (nc < 0 || nc > 14 || nr < 0 || nr > 9 || seen[static_cast<std::size_t>(n)] ||
          board[static_cast<std::size_t>(n)] != board[static_cast<std::size_t>(k)])
        continue;
      seen[static_cast<std::size_t>(n)] = true;
      group.push_back(n);
    }
  }
  return group;
}

// The board once a group is gone and everything has fallen and closed up: blocks fall to the
// bottom of their column keeping their order, empty columns close up from the right.
inline Board AfterRemoval(const Board& board, const std::vector<int>& group) {
  Board emptied = board;
  for (int k : group) emptied[static_cast<std::size_t>(k)] = 0;
  Board result{};
  int to_column = 0;
  for (int c = 0; c < 15; ++c) {
    std::vector<int> column;
    for (int r = 0; r < 10; ++r)
      if (int code = emptied[static_cast<std::size_t>(r * 15 + c)]) column.push_back(code);
    if (column.empty()) continue;
    int r = 10 - static_cast<int>(column.size());
    for (int code : column) result[static_cast<std::size_t>(r++ * 15 + to_column)] = code;
    ++to_column;
  }
  return result;
}

// The best-score table as the game keeps it, lowest first, and its file: each name and its
// points followed by a backslash, every byte moved down by 17, then CR LF.
using Table = std::vector<std::pair<std::wstring, int>>;

inline Table DefaultTable() {
  return {{L"Olem", 1000},   {L"Terova", 1500},    {L"Bastiv", 2000}, {L"Ismara", 2500},
          {L"Dorneu", 3000}, {L"Velisanda", 3500}, {L"Ulmer", 4000}};
}

inline Table WithEntry(Table table, const std::wstring& name, int points) {
  std::size_t j = 0;
  while (j < table.size() && table[j].second < points) ++j;
  table.insert(table.begin() + static_cast<std::ptrdiff_t>(j), {name, points});
  table.erase(table.begin());
  return table;
}

inline std::string ScoreFile(const Table& table) {
  std::wstring record;
  for (const auto& [name, points] : table) record += name + L"\\" + std::to_wstring(points) + L"\\";
  std::string bytes = Encode(record, 1252);
  for (char& b : bytes) b = static_cast<char>(static_cast<unsigned char>(b) - 17);
  return bytes + "\r\n";
}

inline std::wstring ScoreLines(const Table& table) {
  std::wstring text;
  for (auto it = table.rbegin(); it != table.rend(); ++it)
    text += it->first + L": " + std::to_wstring(it->second) + L"\r\n";
  return text;
}
