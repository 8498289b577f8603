// The real boxes under Wine, acted on from inside their own message loops: no icon, Yes the
// default of a question, the name box's prompt, empty default, OK and Cancel, plain text, the
// buttons in the game's language, and the keyboard back on its block when a box closes.
#include "frontend/win32/win_dialogs.h"

#include <functional>
#include <string>
#include <vector>

#include "frontend/win32/form_window.h"
#include "frontend/win32/win_units.h"

namespace {

std::function<void(HWND)> box_action;

BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
  wchar_t name[16];
  GetClassNameW(hwnd, name, 16);
  if (IsWindowVisible(hwnd) && std::wstring(name) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK PollForBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  if (!box) return;
  KillTimer(nullptr, timer);
  auto act = std::move(box_action);
  act(box);
}

// Runs act on the next box of this thread once it is open; the box's own loop calls it.
void WhenBoxOpens(std::function<void(HWND)> act) {
  box_action = std::move(act);
  SetTimer(nullptr, 0, 10, PollForBox);
}

std::wstring Text(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool IsDefault(HWND button) {
  return (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

std::vector<HWND> Children(HWND box) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  return children;
}

bool HasIcon(HWND box) {
  for (HWND c : Children(box)) {
    wchar_t name[16];
    GetClassNameW(c, name, 16);
    // The system's box may keep an empty place for its icon.
    if (std::wstring(name) == L"Static" &&
        (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(c) &&
        SendMessageW(c, STM_GETICON, 0, 0))
      return true;
  }
  return false;
}

class BoxesTest : public FormWindowTest {
 protected:
  void SetUp() override {
    FormWindowTest::SetUp();
    boxes = std::make_unique<WinDialogs>(window->hwnd());
    boxes->Follow(form->language);
  }
  std::unique_ptr<WinDialogs> boxes;
};

TEST_F(BoxesTest, QuestionHasNoIconAndYesIsTheDefault) {
  std::wstring title, yes;
  bool icon = true;
  bool yes_default = false;
  WhenBoxOpens([&](HWND box) {
    title = Text(box);
    icon = HasIcon(box);
    yes_default = IsDefault(GetDlgItem(box, IDYES)) && GetFocus() == GetDlgItem(box, IDYES);
    yes = Text(GetDlgItem(box, IDYES));
    PostMessageW(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(boxes->MessageBox("<b>x</b> & y", "Terminar juego", BoxButtons::YesNo), BoxAnswer::Yes);
  EXPECT_EQ(title, L"Terminar juego");
  EXPECT_FALSE(icon);
  EXPECT_TRUE(yes_default);
  RecordProperty("yes_button", Narrow(yes));

  WhenBoxOpens([&](HWND box) { PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0); });
  EXPECT_EQ(boxes->MessageBox("?", "t", BoxButtons::YesNo), BoxAnswer::No);
  WhenBoxOpens([&](HWND box) {
    icon = HasIcon(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(boxes->MessageBox("Ulmer: 4000\r\n", "Mejores puntuaciones", BoxButtons::Ok),
            BoxAnswer::Ok);
  EXPECT_FALSE(icon);
}

TEST_F(BoxesTest, NameBoxReturnsTheLineAsTypedOrNothingOnCancel) {
  for (int language : {0, 1}) {
    SCOPED_TRACE(language);
    form->language.LanguageIndex = static_cast<std::int16_t>(language);
    std::wstring prompt, title, typed_before, ok, cancel;
    bool ok_default = false;
    WhenBoxOpens([&](HWND box) {
      title = Text(box);
      const std::vector<HWND> children = Children(box);
      prompt = Text(children.at(0));  // the prompt comes before the line it names
      typed_before = Text(children.at(1));
      ok = Text(GetDlgItem(box, IDOK));
      cancel = Text(GetDlgItem(box, IDCANCEL));
      ok_default = IsDefault(GetDlgItem(box, IDOK)) && GetFocus() == children.at(1);
      SetWindowTextW(children.at(1), L"  Ana & <b>\u00D1</b> ");
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(boxes->InputBox("Introduzca su nombre & pulse", "Game over"),
              "  Ana & <b>\xC3\x91</b> ");
    EXPECT_EQ(title, L"Game over");
    EXPECT_EQ(prompt, L"Introduzca su nombre & pulse");
    EXPECT_EQ(typed_before, L"");
    EXPECT_TRUE(ok_default);  // Enter confirms the line, which has the keys
    EXPECT_EQ(ok, language == 0 ? L"Aceptar" : L"OK");
    EXPECT_EQ(cancel, language == 0 ? L"Cancelar" : L"Cancel");

    WhenBoxOpens([&](HWND box) {
      SetWindowTextW(Children(box).at(1), L"Ana");
      PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(boxes->InputBox("?", "Game over"), "");
  }
}

TEST_F(BoxesTest, TheKeyboardIsBackOnItsBlockWhenABoxCloses) {
  SetFocus(window->grid().button(7));
  // Hidden and shown again by the game while the box is open, as a fall does.
  WhenBoxOpens([&](HWND box) {
    window->SetButtonVisible(7, false);
    window->SetButtonVisible(7, true);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  boxes->MessageBox("text", "title", BoxButtons::Ok);
  EXPECT_TRUE(Pump([&] { return GetFocus() == window->grid().button(7); }));
  EXPECT_EQ(GetActiveWindow(), window->hwnd());
}

}  // namespace
