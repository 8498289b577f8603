// The real window under Wine after start-up: the grid edge to edge at every DPI, the menu and
// its keys, the key preview, keyboard play and focus keeping, and the timers' rule.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "frontend/win32/form_window.h"
#include "frontend/win32/win_units.h"

namespace {

class WindowTest : public FormWindowTest {
 protected:
  // Block k's rectangle in the window's client coordinates.
  RECT BlockRect(int k) {
    RECT r;
    GetWindowRect(block(k), &r);
    MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  RECT ControlRect(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // The state a screen reader reads of the window's own object.
  static LONG StateOf(HWND hwnd) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
      return -1;
    VARIANT self{}, state{};
    self.vt = VT_I4;
    object->get_accState(self, &state);
    object->Release();
    return state.vt == VT_I4 ? state.lVal : -1;
  }
  bool FocusIs(HWND hwnd) {
    return Pump([&] { return GetFocus() == hwnd; });
  }
  // The control as it paints itself now, row by row from the top.
  static std::vector<COLORREF> Snapshot(HWND control, int& width, int& height) {
    RECT r;
    GetClientRect(control, &r);
    width = r.right;
    height = r.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::uint32_t* bits = nullptr;  // 0x00RRGGBB, top row first
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS,
                                      reinterpret_cast<void**>(&bits), nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    std::vector<COLORREF> pixels;
    for (int i = 0; i < width * height; ++i)
      pixels.push_back(RGB(bits[i] >> 16 & 0xFF, bits[i] >> 8 & 0xFF, bits[i] & 0xFF));
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
  }
  // Whether block k shows the focus frame, in the middle of its left side.
  bool ShowsFocusFrame(int k) {
    int width = 0, height = 0;
    const std::vector<COLORREF> pixels = Snapshot(block(k), width, height);
    const int x = MulDiv(3, static_cast<int>(window->dpi()), 96);
    return pixels[static_cast<std::size_t>(height / 2 * width + x)] ==
           FocusFrameInk(window->grid().face(k));
  }
};

std::tuple<LONG, LONG, LONG, LONG> Edges(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

TEST_F(WindowTest, FillsItsClientAreaEdgeToEdgeAtEveryDpi) {
  for (UINT dpi : {96u, 144u}) {
    SCOPED_TRACE(dpi);
    if (dpi != window->dpi()) {
      RECT frame;
      GetWindowRect(window->hwnd(), &frame);
      SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&frame));
    }
    ASSERT_EQ(window->dpi(), dpi);
    RECT client;
    GetClientRect(window->hwnd(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(7875, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(6090, dpi));
    for (int k = 0; k < 150; ++k) {
      const RECT r = BlockRect(k);
      const int c = k % 15, row = k / 15;
      const LONG right_neighbour = c < 14 ? BlockRect(k + 1).left : TwipsToPixels(7500, dpi);
      const LONG lower_neighbour = row < 9 ? BlockRect(k + 15).top : TwipsToPixels(5000, dpi);
      EXPECT_EQ(r.left, c == 0 ? 0 : BlockRect(k - 1).right) << k;
      EXPECT_EQ(r.top, row == 0 ? 0 : BlockRect(k - 15).bottom) << k;
      EXPECT_EQ(r.right, right_neighbour) << k;
      EXPECT_EQ(r.bottom, lower_neighbour) << k;
      EXPECT_TRUE(IsWindowVisible(block(k)) && IsWindowEnabled(block(k))) << k;
    }
    EXPECT_EQ(Edges(ControlRect(window->label(LabelId::Label1))),
              Edges(RectOf({0, 5000, 4000, 500}, dpi)));
    EXPECT_EQ(Edges(ControlRect(window->label(LabelId::Label2))),
              Edges(RectOf({4000, 5000, 3500, 500}, dpi)));
    EXPECT_EQ(Edges(ControlRect(window->picture())), Edges(RectOf({0, 5500, 500, 500}, dpi)));
  }
}

TEST_F(WindowTest, TheLinesAreCentredDownTheirBandsAndWrapWhenLong) {
  const std::string long_text = "Un mensaje tan largo que en la banda de la primera l\xC3\xADnea "
                                "ocupa dos renglones";
  int one_line = 0;
  for (const std::string& text : {std::string("7 bloques"), long_text}) {
    SCOPED_TRACE(text);
    window->SetLabelCaption(LabelId::Label1, text);
    int width = 0, height = 0;
    const std::vector<COLORREF> pixels =
        Snapshot(window->label(LabelId::Label1), width, height);
    // The rows with ink on them: anything but the band's own colour.
    int top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (pixels[static_cast<std::size_t>(y * width + x)] == pixels[0]) continue;
        top = std::min(top, y);
        bottom = y;
      }
    }
    ASSERT_LE(top, bottom);
    EXPECT_LE(std::abs(top - (height - 1 - bottom)), 2);
    if (one_line == 0) one_line = bottom - top + 1;
    else EXPECT_GT(bottom - top + 1, one_line * 3 / 2);
  }
}

TEST_F(WindowTest, MenuShowsItsCaptionsAndShortcutsAndItsAccessKeysWorkAfterNewCaptions) {
  wchar_t caption[32];
  GetWindowTextW(window->hwnd(), caption, 32);
  EXPECT_EQ(std::wstring(caption), L"TOLVOS");
  const GameMenu& menu = window->menu();
  const std::vector<std::pair<MenuId, std::wstring>> items = {
      {MenuId::MnuJuego, L"&Juego"},
      {MenuId::MnuJueNue, L"&Nuevo juego\tF2"},
      {MenuId::MnuJueMej, L"&Mejores puntuaciones...\tCtrl+P"},
      {MenuId::MnuJueIns, L"&Instrucciones\tF1"},
      {MenuId::MnuJueIdi, L"I&dioma"},
      {MenuId::MnuJueSal, L"&Salir Alt-F4"},
      {MenuId::MnuJueIdiList0, L"Espa\u00F1ol\tCtrl+E"},
      {MenuId::MnuJueIdiList1, L"English\tCtrl+N"}};
  for (const auto& [item, text] : items) EXPECT_EQ(menu.Text(item), text);

  SetFocus(block(5));
  int draws = random.draws;
  Type('J', {VK_MENU});
  Type('N');
  ASSERT_TRUE(Pump([&] { return random.draws == draws + 150; }));
  window->SetMenuCaption(MenuId::MnuJuego, "&Game");
  window->SetMenuCaption(MenuId::MnuJueNue, "&New game");
  EXPECT_EQ(menu.Text(MenuId::MnuJuego), L"&Game");
  EXPECT_EQ(menu.Text(MenuId::MnuJueNue), L"&New game\tF2");  // the shortcut stays
  draws = random.draws;
  Type('G', {VK_MENU});
  Type('N');
  EXPECT_TRUE(Pump([&] { return random.draws == draws + 150; }));
}

TEST_F(WindowTest, ShortcutKeysActFromAFocusedBlock) {
  SetFocus(block(5));
  const int draws = random.draws;
  Type(VK_F2);
  ASSERT_TRUE(Pump([&] { return random.draws == draws + 150; }));
  EXPECT_TRUE(FocusIs(block(0)));  // a new game hands the keyboard to the first block
  Type('P', {VK_CONTROL});
  Type(VK_F1);
  ASSERT_TRUE(Pump([&] { return dialogs.shown.size() == 2; }));
  EXPECT_EQ(dialogs.shown[0].title, "Mejores puntuaciones");
  EXPECT_EQ(dialogs.shown[1].title, "Instrucciones para Tolvos");
  Type('N', {VK_CONTROL});
  ASSERT_TRUE(Pump([&] { return form->language.LanguageIndex == 1; }));
  Type('E', {VK_CONTROL});
  ASSERT_TRUE(Pump([&] { return form->language.LanguageIndex == 0; }));
}

TEST_F(WindowTest, EscapeReachesTheFormFirstWhateverTheShiftStateAndNoOtherKeyAsks) {
  SetFocus(block(5));
  dialogs.answers = {BoxAnswer::No, BoxAnswer::No, BoxAnswer::No};
  Type(VK_ESCAPE, {VK_SHIFT});
  Type(VK_ESCAPE, {VK_CONTROL});
  Type(VK_ESCAPE);
  Type('Q');  // a letter that is none of the survey's
  ASSERT_TRUE(Pump([&] { return dialogs.shown.size() == 3; }));
  RunLoopFor(*window, 100);
  EXPECT_EQ(dialogs.shown.size(), 3u);
  for (const ShownBox& box : dialogs.shown) EXPECT_EQ(box.buttons, BoxButtons::YesNo);
  EXPECT_EQ(GetFocus(), block(5));
}

TEST_F(WindowTest, KeyboardPlayMovesTheFocusWithoutWrapAndClicks) {
  SetFocus(block(17));
  const std::vector<std::tuple<WORD, std::vector<WORD>, int>> moves = {
      {VK_DOWN, {}, 32},           {VK_HOME, {}, 30},   {VK_END, {}, 44},
      {VK_HOME, {VK_CONTROL}, 0},  {VK_LEFT, {}, 0},    {VK_UP, {}, 0},
      {VK_END, {VK_CONTROL}, 149}, {VK_RIGHT, {}, 149}, {VK_TAB, {}, 0},
      {VK_TAB, {VK_SHIFT}, 149}};
  for (const auto& [key, modifiers, to] : moves) {
    SCOPED_TRACE(key);
    Type(key, modifiers);
    EXPECT_TRUE(FocusIs(block(to))) << "expected block " << to;
  }
  Type(VK_RETURN, {}, KEYEVENTF_EXTENDEDKEY);  // the keypad's Enter is the screen reader's
  RunLoopFor(*window, 100);
  EXPECT_EQ(form->engine.SelectedIndex, -1);
  Type(VK_RETURN);
  EXPECT_TRUE(Pump([&] { return form->engine.SelectedIndex == 149; }));
  Type(VK_SPACE);  // the second click removes the group
  EXPECT_TRUE(Pump([&] { return form->engine.Score > 0; }));
}

TEST_F(WindowTest, SurveyKeysReachTheFormFromAFocusedBlock) {
  SetFocus(block(17));
  auto said = [&](const char* start) {
    return Pump([&] { return !speech.spoken.empty() && speech.spoken.back().rfind(start) == 0; });
  };
  Type('R');
  EXPECT_TRUE(said("fila 2: "));
  Type('S');
  EXPECT_TRUE(said("quedan 150 tolvos: "));
  EXPECT_TRUE(FocusIs(block(17)));
  Type('U');  // a jump: the focus goes on to the next U, which the screen reader reads
  EXPECT_TRUE(Pump([&] { return GetFocus() != block(17); }));
  wchar_t caption[4] = {};
  GetWindowTextW(GetFocus(), caption, 4);
  EXPECT_STREQ(caption, L"U");
}

TEST_F(WindowTest, AKeyThatMovesNothingHasItsBlockFocusedAnew) {
  window->SetButtonVisible(18, false);
  const std::vector<std::tuple<const char*, int, WORD, std::vector<WORD>>> cases = {
      {"left edge", 15, VK_LEFT, {}},
      {"top edge", 2, VK_UP, {}},
      {"home at the start of the row", 30, VK_HOME, {}},
      {"ctrl+end on the last block", 149, VK_END, {VK_CONTROL}},
      {"a hidden cell", 17, VK_RIGHT, {}},
      {"a new game on the first block", 0, VK_F2, {}}};
  HWND grid = window->grid().hwnd();
  for (const auto& [what, from, key, modifiers] : cases) {
    SCOPED_TRACE(what);
    SetFocus(block(from));
    WinEventTrail trail(EVENT_OBJECT_FOCUS);
    Type(key, modifiers);
    // A screen reader announces a focus that arrives, not the one it has: the block gets the
    // focus anew by way of the grid, and keeps its frame meanwhile.
    ASSERT_TRUE(Pump([&] { return GetFocus() == grid; }));
    EXPECT_TRUE(ShowsFocusFrame(from));
    EXPECT_TRUE(FocusIs(block(from)));
    EXPECT_TRUE(Pump([&] { return trail.windows.size() >= 2; }));
    EXPECT_EQ(trail.windows, (std::vector<HWND>{grid, block(from)}));
  }
}

TEST_F(WindowTest, MarkedBlocksAreExpandedAndTellWhenTheyJoinOrLeaveTheGroup) {
  WinEventTrail trail(EVENT_OBJECT_STATECHANGE);
  std::vector<HWND> group;
  for (bool marking : {true, false}) {
    SCOPED_TRACE(marking ? "marked" : "removed");
    trail.windows.clear();
    SendMessageW(block(5), BM_CLICK, 0, 0);  // marks the group, then removes it
    for (int k = 0; k < 150; ++k) {
      const LONG state = StateOf(block(k));
      const bool marked =
          form->engine.SelectedIndex >= 0 && form->engine.Marked(k % 15, k / 15) != 0;
      if (marked && marking) group.push_back(block(k));
      // Expanded, never collapsed nor selected; the system's own states stay live beside it.
      const LONG shown = STATE_SYSTEM_EXPANDED | STATE_SYSTEM_COLLAPSED | STATE_SYSTEM_SELECTED;
      EXPECT_EQ(state & shown, marked ? STATE_SYSTEM_EXPANDED : 0) << k;
      if (marked) {
        EXPECT_EQ((state & STATE_SYSTEM_FOCUSED) != 0, k == 5) << k;
      }
    }
    ASSERT_GE(group.size(), 2u);
    // Each block that joins or leaves the group says so; the others say nothing.
    Pump([&] { return trail.windows.size() >= group.size(); });
    RunLoopFor(*window, 50);
    std::vector<HWND> changed = trail.windows;
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    std::sort(group.begin(), group.end());
    EXPECT_EQ(changed, group);
  }
}

TEST_F(WindowTest, AnObjectAReaderKeepsIsDisconnectedWhenItsWindowGoes) {
  std::vector<IAccessible*> kept;
  for (HWND hwnd : {block(7), window->status_band()}) {
    IAccessible* object = nullptr;
    ASSERT_HRESULT_SUCCEEDED(AccessibleObjectFromWindow(
        hwnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object)));
    kept.push_back(object);
  }
  events.next = nullptr;
  form.reset();
  window.reset();
  for (IAccessible* object : kept) {
    VARIANT self{}, role{};
    self.vt = VT_I4;
    EXPECT_EQ(object->get_accRole(self, &role), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->accDoDefaultAction(self), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->Release(), 0u);
  }
}

TEST_F(WindowTest, AQuickSecondClickRemovesTheGroup) {
  RECT r;
  GetWindowRect(block(37), &r);
  std::vector<INPUT> clicks;
  for (DWORD flags :
       {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (r.left + r.right) / 2 * 65535 / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (r.top + r.bottom) / 2 * 65535 / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    clicks.push_back(input);
  }
  // One burst: the system takes the second press for a double click.
  SendInput(static_cast<UINT>(clicks.size()), clicks.data(), sizeof(INPUT));
  EXPECT_TRUE(Pump([&] { return form->engine.Score > 0; }));
}

TEST_F(WindowTest, FocusKeepsItsCellWhileTheGameHidesOrDisablesItsBlock) {
  HWND grid = window->grid().hwnd();
  for (bool hide : {true, false}) {
    SCOPED_TRACE(hide ? "hidden" : "disabled");
    auto set = [&](int k, bool on) {
      hide ? window->SetButtonVisible(k, on) : window->SetButtonEnabled(k, on);
    };
    SetFocus(block(20));
    set(20, false);
    EXPECT_EQ(GetFocus(), grid);
    set(20, true);
    EXPECT_TRUE(FocusIs(block(20)));
    // Parked, the grid plays the block's keys.
    set(20, false);
    Type(VK_RIGHT);
    EXPECT_TRUE(FocusIs(block(21)));
    // A focus the player has moved stays where it is.
    set(20, true);
    EXPECT_EQ(GetFocus(), block(21));
  }
}

TEST_F(WindowTest, TimersKeepTheirScheduleWhenStartedAgainAndAStoppedOneGivesNoTick) {
  std::vector<std::pair<TimerId, ULONGLONG>> ticks;
  events.next = nullptr;  // the ticks go to the test alone
  events.on_tick = [&](TimerId id) { ticks.emplace_back(id, GetTickCount64()); };
  for (TimerId id : {TimerId::TmrRecolocar, TimerId::TmrBajar, TimerId::Timer1})
    EXPECT_FALSE(window->TimerRunning(id));

  window->StartTimer(TimerId::TmrBajar);
  window->StopTimer(TimerId::TmrBajar);
  const ULONGLONG start = GetTickCount64();
  window->StartTimer(TimerId::TmrRecolocar);
  RunLoopFor(*window, 700);
  window->StartTimer(TimerId::TmrRecolocar);  // changes nothing: the tick is 350 ms away
  ASSERT_TRUE(Pump([&] { return !ticks.empty(); }));
  EXPECT_EQ(ticks[0].first, TimerId::TmrRecolocar);
  EXPECT_LT(ticks[0].second - start, 1400u);
  EXPECT_GE(ticks[0].second - start, 1000u);
  window->StopTimer(TimerId::TmrRecolocar);
  RunLoopFor(*window, 150);
  EXPECT_EQ(ticks.size(), 1u);
}

}  // namespace
