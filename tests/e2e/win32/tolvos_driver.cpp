// Plays the real tolvos.exe under Wine as a player would through the window system: reads the
// 150 blocks and the two lines, clicks blocks, answers the boxes, gives up a game that earned a
// place and enters a name, switches the language and starts again; then checks the two files
// byte for byte and what the stand-in screen reader libraries were asked to say. Last, a new
// game read from outside through MSAA, as a screen reader reads it, in either language.
//   tolvos_driver --game FILE --sounds FOLDER --jaws FILE --nvda FILE --work FOLDER [--starts N]
// With --starts it only times N starts (until the window is shown) and prints their median.
#include <objbase.h>
#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "driver_support.h"

namespace {

constexpr wchar_t kWindowClass[] = L"TolvosMainWindow";
constexpr wchar_t kGridClass[] = L"TolvosBlockGrid";
constexpr wchar_t kBandClass[] = L"TolvosStatusLines";
constexpr WORD kEnglishCommand = 105;  // the menu's English item

struct Paths {
  std::wstring game, sounds, jaws, nvda, work;
  std::wstring folder() const { return work + L"\\game"; }
  std::wstring record() const { return work + L"\\said.txt"; }
};

// A Unix path as Wine names it.
std::wstring WindowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return Widen(path.rfind('\\', 0) == 0 ? "Z:" + path : path);
}

// A fresh folder with the program, its sounds and the two stand-in libraries.
void PrepareFolder(const Paths& p) {
  const std::wstring folder = p.folder();
  SHFILEOPSTRUCTW remove{};
  const std::wstring doomed = folder + L'\0';
  remove.wFunc = FO_DELETE;
  remove.pFrom = doomed.c_str();
  remove.fFlags = FOF_NO_UI;
  SHFileOperationW(&remove);
  CreateDirectoryW(p.work.c_str(), nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::pair<std::wstring, std::wstring> copies[] = {{p.game, L"tolvos.exe"},
                                                          {p.sounds + L"\\snd.wav", L"snd.wav"},
                                                          {p.sounds + L"\\snd2.wav", L"snd2.wav"},
                                                          {p.jaws, L"jfwapi.dll"},
                                                          {p.nvda, L"nvdaControllerClient64.dll"}};
  for (const auto& [from, name] : copies)
    CHECK(CopyFileW(from.c_str(), (folder + L"\\" + name).c_str(), FALSE), "copy %ls",
          name.c_str());
}

class Game {
 public:
  // Starts the program from another folder than its own, and waits for its window.
  explicit Game(const Paths& p) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + p.folder() + L"\\tolvos.exe\"";
    started_ = GetTickCount64();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        p.work.c_str(), &startup, &process_)) {
      CHECK(false, "tolvos.exe does not start (%lu)", GetLastError());
      return;
    }
    WaitFor(
        [&] {
          auto windows = TopWindows(process_.dwProcessId, kWindowClass);
          if (!windows.empty()) window = windows[0];
          return window != nullptr;
        },
        30000);
    shown_ms = GetTickCount64() - started_;
    CHECK(window, "no window shown");
  }
  ~Game() {
    if (!process_.hProcess) return;
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
      CHECK(false, "the program does not end when its window is closed");
      TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }

  // The blocks in index order, and the two lines in their band: Label1, then Label2.
  std::vector<HWND> Blocks() const {
    return Children(FindWindowExW(window, nullptr, kGridClass, nullptr));
  }
  HWND Label(int number) const {
    const std::vector<HWND> lines = Children(FindWindowExW(window, nullptr, kBandClass, nullptr));
    return lines.size() == 2 ? lines[static_cast<std::size_t>(number - 1)] : nullptr;
  }
  // The next box of the program whose title is title.
  HWND WaitForBox(const std::wstring& title) const {
    HWND found = nullptr;
    WaitFor([&] {
      for (HWND box : TopWindows(process_.dwProcessId, L"#32770"))
        if (Text(box) == title) found = box;
      return found != nullptr;
    });
    CHECK(found, "no box \"%ls\"", title.c_str());
    return found;
  }
  // The box's text: its longest static.
  static std::wstring BoxText(HWND box) {
    std::wstring text;
    for (HWND c : Children(box))
      if (ClassOf(c) == L"Static" && Text(c).size() > text.size()) text = Text(c);
    return text;
  }
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
  }

  HWND window = nullptr;
  ULONGLONG shown_ms = 0;

 private:
  PROCESS_INFORMATION process_{};
  ULONGLONG started_ = 0;
};

// Whether every block shows the board in its own cell, visible.
bool Shows(const Game& game, const Board& board) {
  const std::vector<HWND> blocks = game.Blocks();
  if (blocks.size() != 150) return false;
  HWND grid = GetParent(blocks[0]);
  const UINT dpi = GetDpiForWindow(game.window);
  auto pixels = [dpi](int twips) { return static_cast<LONG>(std::lround(twips * dpi / 1440.0)); };
  for (int k = 0; k < 150; ++k) {
    HWND block = blocks[static_cast<std::size_t>(k)];
    RECT r;
    GetWindowRect(block, &r);
    MapWindowPoints(nullptr, grid, reinterpret_cast<POINT*>(&r), 2);
    if (r.left != pixels(k % 15 * 500) || r.top != pixels(k / 15 * 500) ||
        !IsWindowVisible(block) || Text(block) != CaptionOf(board[static_cast<std::size_t>(k)]))
      return false;
  }
  return true;
}

// The texts said through each library, in order: "jaws" in the ANSI code page, "nvda" UTF-8.
std::vector<std::string> Said(const Paths& p, const std::string& library) {
  std::vector<std::string> lines;
  const std::string record = ReadFile(p.record());
  std::size_t start = 0;
  while (start < record.size()) {
    std::size_t end = record.find('\n', start);
    if (end == std::string::npos) end = record.size();
    std::string line = record.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(library + " ", 0) == 0) lines.push_back(line.substr(library.size() + 1));
    start = end + 1;
  }
  return lines;
}

void PlayToTheNameBox(const Paths& p, std::vector<std::wstring>& spoken) {
  Game game(p);
  if (!game.window) return;
  spoken.push_back(L"Bienvenido a TOLVOS. Utilice el cursor de Jaws para jugar. Velmar.");
  CHECK(Text(game.window) == L"TOLVOS", "caption %ls", Text(game.window).c_str());
  // The program's manifest makes it follow each monitor's DPI.
  CHECK(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(game.window)) ==
            DPI_AWARENESS_PER_MONITOR_AWARE,
        "the window is not per-monitor DPI aware");
  CHECK(ReadFile(p.folder() + L"\\punt.dat") == ScoreFile(DefaultTable()), "default punt.dat");
  CHECK(GetFileAttributesW((p.folder() + L"\\Idioma.dat").c_str()) == INVALID_FILE_ATTRIBUTES,
        "a first start writes no language file");

  const std::vector<HWND> blocks = game.Blocks();
  CHECK(blocks.size() == 150, "%zu blocks", blocks.size());
  if (blocks.size() != 150) return;
  Board board{};
  for (int k = 0; k < 150; ++k) {
    const std::wstring caption = Text(blocks[static_cast<std::size_t>(k)]);
    board[static_cast<std::size_t>(k)] = CodeOf(caption);
    CHECK(board[static_cast<std::size_t>(k)] >= 1, "block %d reads \"%ls\"", k, caption.c_str());
  }
  CHECK(Text(game.Label(1)).empty() && Text(game.Label(2)) == L"0 puntos", "the two lines");
  // Real push buttons, which a screen reader names by their caption.
  CHECK(ClassOf(blocks[7]) == L"Button", "a block is a %ls", ClassOf(blocks[7]).c_str());
  IAccessible* a11y = nullptr;
  if (SUCCEEDED(AccessibleObjectFromWindow(blocks[7], OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&a11y)))) {
    VARIANT self{};
    self.vt = VT_I4;
    BSTR name = nullptr;
    a11y->get_accName(self, &name);
    CHECK(name && std::wstring(name) == CaptionOf(board[7]), "accessible name of block 7");
    SysFreeString(name);
    a11y->Release();
  }

  // The largest group each time, until the score earns a place in the table.
  int score = 0;
  while (score <= 1000) {
    std::vector<int> best;
    for (int k = 0; k < 150; ++k)
      if (board[static_cast<std::size_t>(k)]) {
        std::vector<int> group = GroupOf(board, k);
        if (group.size() > best.size()) best = group;
      }
    const int k = *std::min_element(best.begin(), best.end());
    const int n = static_cast<int>(best.size());
    PostMessageW(blocks[static_cast<std::size_t>(k)], BM_CLICK, 0, 0);
    const std::wstring marked =
        std::to_wstring(n) + L" Tolvos marcados, vuelva a pulsar para eliminarlos";
    CHECK(WaitFor([&] { return Text(game.Label(1)) == marked; }), "block %d: \"%ls\"", k,
          Text(game.Label(1)).c_str());
    spoken.push_back(std::to_wstring(n) + L" tolvos marcados. Vuelva a pulsar para eliminarlos");
    PostMessageW(blocks[static_cast<std::size_t>(k)], BM_CLICK, 0, 0);
    score += 5 * n * (n + 1);
    const std::wstring points = std::to_wstring(score) + L" puntos";
    CHECK(WaitFor([&] { return Text(game.Label(2)) == points; }), "score \"%ls\"",
          Text(game.Label(2)).c_str());
    board = AfterRemoval(board, best);
    // Fallen and closed up, and still so a moment later.
    CHECK(WaitFor([&] { return Shows(game, board) && (Sleep(250), Shows(game, board)); }, 20000),
          "the board after removing the group of block %d", k);
    if (failures) return;
  }

  // Escape, sent to the block that has the keyboard, reaches the window first.
  PostMessageW(game.Focus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  HWND question = game.WaitForBox(L"Terminar juego");
  if (!question) return;
  CHECK(Game::BoxText(question) == L"\u00BFRealmente desea dar la partida por terminada?",
        "question");
  HWND yes = GetDlgItem(question, IDYES);
  CHECK((GetWindowLongW(yes, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON, "Yes is the default");
  PostMessageW(yes, BM_CLICK, 0, 0);

  HWND name_box = game.WaitForBox(L"Game over");
  if (!name_box) return;
  const std::vector<HWND> parts = Children(name_box);
  CHECK(Text(parts.at(0)) ==
            L"La partida ha terminado. Ha conseguido " + std::to_wstring(score) +
                L" Puntos. Introduzca su nombre para la tabla de mejores puntuaciones.",
        "name prompt \"%ls\"", Text(parts.at(0)).c_str());
  CHECK(Text(parts.at(1)).empty(), "the name box starts empty");
  const std::wstring name = L"\u00D1and\u00FA";
  SetText(parts.at(1), L"  " + name + L" ");
  PostMessageW(name_box, WM_COMMAND, IDOK, 0);

  const Table table = WithEntry(DefaultTable(), name, score);
  HWND shown = game.WaitForBox(L"Mejores puntuaciones");
  if (!shown) return;
  CHECK(Game::BoxText(shown) == ScoreLines(table), "best scores \"%ls\"",
        Game::BoxText(shown).c_str());
  PostMessageW(shown, WM_COMMAND, IDOK, 0);
  CHECK(WaitFor([&] { return ReadFile(p.folder() + L"\\punt.dat") == ScoreFile(table); }),
        "punt.dat after the game");

  PostMessageW(game.window, WM_COMMAND, kEnglishCommand, 0);
  CHECK(WaitFor([&] { return Text(game.window) == L"Tolvos"; }), "English caption");
  CHECK(Text(game.Label(2)) == std::to_wstring(score) + L" points", "score line in English");
  CHECK(ReadFile(p.folder() + L"\\Idioma.dat") == "1=Idioma\r\n", "Idioma.dat");
}

// Started again in English, with NVDA not running: JAWS alone says the English welcome.
void StartInEnglish(const Paths& p, std::vector<std::wstring>& spoken) {
  SetEnvironmentVariableW(L"TOLVOS_STANDIN_NVDA_OFF", L"1");
  Game game(p);
  SetEnvironmentVariableW(L"TOLVOS_STANDIN_NVDA_OFF", nullptr);
  if (!game.window) return;
  spoken.push_back(L"Welcome to Tolvos. Use the Jaws cursor to play. Velmar");
  CHECK(Text(game.window) == L"Tolvos", "caption after a start in English");
  CHECK(WaitFor([&] { return Text(game.Label(2)) == L"0 points"; }),
        "score line after a start in English");
}

void CheckSpeech(const Paths& p, const std::vector<std::wstring>& spoken) {
  std::vector<std::string> jaws, nvda;
  for (const std::wstring& text : spoken) jaws.push_back(Encode(text, CP_ACP));
  for (std::size_t i = 0; i + 1 < spoken.size(); ++i) nvda.push_back(Utf8(spoken[i]));
  CHECK(WaitFor([&] { return Said(p, "jaws") == jaws && Said(p, "nvda") == nvda; }, 5000),
        "JAWS said %zu of %zu texts, NVDA %zu of %zu", Said(p, "jaws").size(), jaws.size(),
        Said(p, "nvda").size(), nvda.size());
}

void TimeStarts(const Paths& p, int starts) {
  std::vector<ULONGLONG> times;
  for (int i = 0; i < starts; ++i) {
    PrepareFolder(p);
    Game game(p);
    times.push_back(game.shown_ms);
    std::printf("start %d: window shown after %llu ms\n", i + 1, game.shown_ms);
  }
  std::sort(times.begin(), times.end());
  std::printf("median of %d starts: %llu ms\n", starts, times[times.size() / 2]);
}


// A screen reader's view of the window from this process: the objects through oleacc, from a
// window, a point or an event, and the events through an out-of-context hook, which this
// thread's message loop delivers.
struct Read {
  LONG role = -1, state = 0;
  std::wstring name, description, action;
};

Read ReadObject(IAccessible* object, VARIANT child) {
  Read read;
  VARIANT role{}, state{};
  BSTR texts[3] = {};
  if (!object) return read;
  object->get_accRole(child, &role);
  object->get_accState(child, &state);
  object->get_accName(child, &texts[0]);
  object->get_accDescription(child, &texts[1]);
  object->get_accDefaultAction(child, &texts[2]);
  read.role = role.vt == VT_I4 ? role.lVal : -1;
  read.state = state.vt == VT_I4 ? state.lVal : 0;
  std::wstring* fields[] = {&read.name, &read.description, &read.action};
  for (int i = 0; i < 3; ++i) *fields[i] = texts[i] ? texts[i] : L"", SysFreeString(texts[i]);
  return read;
}

VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;  // CHILDID_SELF
  return self;
}

IAccessible* ObjectOf(HWND hwnd) {
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                             reinterpret_cast<void**>(&object));
  return object;
}

Read ReadWindow(HWND hwnd) {
  IAccessible* object = ObjectOf(hwnd);
  const Read read = ReadObject(object, Self());
  if (object) object->Release();
  return read;
}

std::vector<std::pair<DWORD, HWND>> heard;  // the events of windows' own objects

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) heard.emplace_back(event, hwnd);
}

// The windows that sent event since heard was last cleared, once the hook has delivered
// at least `count` of them.
std::vector<HWND> Heard(DWORD event, std::size_t count) {
  std::vector<HWND> from;
  WaitFor([&] {
    for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
    from.clear();
    for (const auto& [e, hwnd] : heard)
      if (e == event && std::find(from.begin(), from.end(), hwnd) == from.end())
        from.push_back(hwnd);
    return from.size() >= count;
  });
  std::sort(from.begin(), from.end());
  return from;
}

// The status bar as NVDA finds it: the object at the bottom left corner of the client area,
// or the first of its ancestors that is a status bar.
std::wstring StatusBarText(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  POINT corner{0, client.bottom - 1};
  ClientToScreen(window, &corner);
  IAccessible* object = nullptr;
  VARIANT child{};
  if (FAILED(AccessibleObjectFromPoint(corner, &object, &child))) return L"(nothing there)";
  while (object && ReadObject(object, child).role != ROLE_SYSTEM_STATUSBAR) {
    IDispatch* parent = nullptr;
    object->get_accParent(&parent);
    object->Release();
    object = nullptr;
    if (!parent) break;
    parent->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object));
    parent->Release();
    child = Self();
  }
  if (!object) return L"(no status bar)";
  LONG count = 0;
  object->get_accChildCount(&count);
  const std::wstring name = ReadObject(object, child).name;
  object->Release();
  // NVDA reads a status bar's children after its name: one whose name says it all has none.
  return count ? name + L" and " + std::to_wstring(count) + L" children" : name;
}

// Every block a push button named by its caption and described by its place, whose action
// presses it; the marked group expanded, each block telling when it joins or leaves it; the
// arrow keys' focus event read as NVDA reads it; the status bar from the corner. In Spanish,
// then again after a switch to English.
void ReadAsAScreenReader(const Paths& p) {
  Game game(p);
  if (!game.window) return;
  DWORD pid = 0;
  GetWindowThreadProcessId(game.window, &pid);
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_DESCRIPTIONCHANGE,
                                       nullptr, Hear, pid, 0, WINEVENT_OUTOFCONTEXT);
  struct Words {
    const wchar_t *row, *column, *action, *points;
  };
  int score = 0;
  for (const Words& words : {Words{L"fila ", L", columna ", L"Pulsar", L" puntos"},
                             Words{L"row ", L", column ", L"Press", L" points"}}) {
    std::vector<HWND> blocks = game.Blocks();
    if (words.row[0] == L'r') {
      heard.clear();
      PostMessageW(game.window, WM_COMMAND, kEnglishCommand, 0);
      std::sort(blocks.begin(), blocks.end());
      CHECK(Heard(EVENT_OBJECT_DESCRIPTIONCHANGE, 150) == blocks, "new places' words");
      blocks = game.Blocks();
    }
    auto place = [&](int k) {
      return words.row + std::to_wstring(k / 15 + 1) + words.column + std::to_wstring(k % 15 + 1);
    };
    Board board{};
    for (int k = 0; k < 150; ++k) {
      HWND block = blocks[static_cast<std::size_t>(k)];
      const Read read = ReadWindow(block);
      board[static_cast<std::size_t>(k)] = CodeOf(Text(block));
      CHECK(read.role == ROLE_SYSTEM_PUSHBUTTON && read.name == Text(block) &&
                read.description == place(k) && read.action == words.action &&
                !(read.state & STATE_SYSTEM_EXPANDED),
            "block %d reads %ld \"%ls\" \"%ls\" \"%ls\" %lx", k, read.role, read.name.c_str(),
            read.description.c_str(), read.action.c_str(), read.state);
    }
    int k = 135;  // the bottom left block, there while the game lasts
    for (int j = 0; j < 150; ++j)
      if (board[static_cast<std::size_t>(j)] && GroupOf(board, j).size() > GroupOf(board, k).size())
        k = j;
    std::vector<int> group = GroupOf(board, k);
    std::vector<HWND> group_blocks;
    for (int j : group) group_blocks.push_back(blocks[static_cast<std::size_t>(j)]);
    std::sort(group_blocks.begin(), group_blocks.end());
    for (bool marking : {true, false}) {
      heard.clear();
      IAccessible* object = ObjectOf(blocks[static_cast<std::size_t>(k)]);
      CHECK(object && SUCCEEDED(object->accDoDefaultAction(Self())), "block %d pressed", k);
      if (object) object->Release();
      CHECK(Heard(EVENT_OBJECT_STATECHANGE, group.size()) == group_blocks,
            "state changes of the group of block %d", k);
      for (int j = 0; j < 150; ++j) {
        const bool in_group = marking && std::count(group.begin(), group.end(), j);
        CHECK(!(ReadWindow(blocks[static_cast<std::size_t>(j)]).state & STATE_SYSTEM_EXPANDED) ==
                  !in_group, "block %d %s", j, in_group ? "not expanded" : "expanded");
      }
      if (!marking) continue;
      // The arrow key a player presses next: the focus goes to the block beside.
      const int next = k % 15 < 14 ? k + 1 : k - 1;
      heard.clear();
      PostMessageW(game.Focus(), WM_KEYDOWN, next > k ? VK_RIGHT : VK_LEFT, 1);
      const std::vector<HWND> focused = Heard(EVENT_OBJECT_FOCUS, 1);
      IAccessible* said = nullptr;
      VARIANT child{};
      if (!focused.empty())
        AccessibleObjectFromEvent(focused[0], OBJID_CLIENT, CHILDID_SELF, &said, &child);
      const Read read = ReadObject(said, child);
      CHECK(focused.size() == 1 && focused[0] == blocks[static_cast<std::size_t>(next)] &&
                read.name == Text(focused[0]) && read.description == place(next),
            "focus on block %d reads \"%ls\" \"%ls\"", next, read.name.c_str(),
            read.description.c_str());
      if (said) said->Release();
    }
    score += 5 * static_cast<int>(group.size() * (group.size() + 1));
    const std::wstring points = std::to_wstring(score) + words.points;
    CHECK(WaitFor([&] { return StatusBarText(game.window) == points; }),
          "the status bar reads \"%ls\"", StatusBarText(game.window).c_str());
    const Board before = board;
    board = AfterRemoval(board, group);
    CHECK(WaitFor([&] { return Shows(game, board) && (Sleep(250), Shows(game, board)); }, 20000),
          "the board after removing the group of block %d", k);
    const std::vector<HWND> renamed = Heard(EVENT_OBJECT_NAMECHANGE, 0);
    for (int j = 0; j < 150; ++j)
      CHECK(before[static_cast<std::size_t>(j)] == board[static_cast<std::size_t>(j)] ||
                std::count(renamed.begin(), renamed.end(), blocks[static_cast<std::size_t>(j)]),
            "block %d has a new caption and says nothing", j);
    if (failures) break;
  }
  UnhookWinEvent(hook);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::map<std::wstring, std::wstring> options;
  for (int i = 1; i + 1 < argc; i += 2) options[argv[i]] = argv[i + 1];
  auto path = [&](const wchar_t* key) { return WindowsPath(Utf8(options[key])); };
  const Paths p{path(L"--game"), path(L"--sounds"), path(L"--jaws"), path(L"--nvda"),
                path(L"--work")};
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (options.count(L"--starts")) {
    TimeStarts(p, std::stoi(options[L"--starts"]));
    return failures ? 1 : 0;
  }
  SetEnvironmentVariableW(L"TOLVOS_STANDIN_RECORD", p.record().c_str());
  DeleteFileW(p.record().c_str());  // the libraries append to what an earlier run left
  PrepareFolder(p);
  std::vector<std::wstring> spoken;
  PlayToTheNameBox(p, spoken);
  if (!failures) StartInEnglish(p, spoken);
  if (!failures) CheckSpeech(p, spoken);
  if (!failures) PrepareFolder(p), ReadAsAScreenReader(p);
  std::printf(failures ? "%d checks failed\n" : "all checks passed\n", failures);
  return failures ? 1 : 0;
}
