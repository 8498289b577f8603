// Message boxes without icon, Yes the default of a question; and the name box, a dialog built
// in memory so that it needs no resource: prompt, one edit line, OK and Cancel.
#include "frontend/win32/win_dialogs.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "frontend/win32/win_units.h"

namespace {

// The name box in dialog units.
constexpr short kBoxWidth = 250, kBoxHeight = 88, kMargin = 7;
constexpr short kButtonWidth = 50, kButtonHeight = 14;
constexpr WORD kPromptId = 100, kNameId = 101;
// The system's predefined control classes, by atom.
constexpr WORD kButtonAtom = 0x0080, kEditAtom = 0x0081, kStaticAtom = 0x0082;

// A dialog template in memory, written as the system reads one: a header, then one item
// after another, each starting on a DWORD boundary.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short cx, short cy, WORD items) {
    Put<DWORD>(style);
    Put<DWORD>(0);  // extended style
    Put<WORD>(items);
    for (short number : {short{0}, short{0}, cx, cy}) Put(number);  // place and size
    Put<WORD>(0);                // no menu
    Put<WORD>(0);                // the system's dialog class
    PutText(L"");                // the title comes at run time
    Put<WORD>(8);                // DS_SETFONT: the point size and the face
    PutText(L"MS Shell Dlg");
  }

  void Item(WORD atom, WORD id, DWORD style, short x, short y, short cx, short cy,
            const wchar_t* text) {
    while (bytes_.size() % 4) bytes_.push_back(0);
    Put<DWORD>(WS_CHILD | WS_VISIBLE | style);
    Put<DWORD>(0);  // extended style
    for (short number : {x, y, cx, cy}) Put(number);
    Put<WORD>(id);
    Put<WORD>(0xFFFF);  // a class given by its atom
    Put<WORD>(atom);
    PutText(text);
    Put<WORD>(0);  // no creation data
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  // Copies the bytes into DWORD-aligned storage, as the system requires.
  void Seal() {
    words_.assign((bytes_.size() + 3) / 4, 0);
    std::memcpy(words_.data(), bytes_.data(), bytes_.size());
  }

 private:
  template <typename T>
  void Put(T value) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
    bytes_.insert(bytes_.end(), p, p + sizeof value);
  }
  void PutText(const wchar_t* text) {
    do Put<wchar_t>(*text); while (*text++);
  }

  std::vector<std::uint8_t> bytes_;
  std::vector<DWORD> words_;
};

struct NameBoxState {
  std::wstring prompt, title, ok, cancel;
  std::wstring typed;
};

INT_PTR CALLBACK NameBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<NameBoxState*>(GetWindowLongPtrW(box, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      state = reinterpret_cast<NameBoxState*>(lparam);
      SetWindowLongPtrW(box, DWLP_USER, lparam);
      SetWindowTextW(box, state->title.c_str());
      SetDlgItemTextW(box, kPromptId, state->prompt.c_str());
      SetDlgItemTextW(box, IDOK, state->ok.c_str());
      SetDlgItemTextW(box, IDCANCEL, state->cancel.c_str());
      return TRUE;  // the first control that takes the focus, the edit line, gets it
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        HWND edit = GetDlgItem(box, kNameId);
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
        state->typed = text;
        EndDialog(box, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(box, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

BoxAnswer WinDialogs::MessageBox(const std::string& text, const std::string& title,
                                 BoxButtons buttons) {
  const bool yes_no = buttons == BoxButtons::YesNo;
  const std::wstring wide_text = Widen(text), wide_title = Widen(title);
  MSGBOXPARAMSW box{};
  box.cbSize = sizeof box;
  box.hwndOwner = owner_;
  box.lpszText = wide_text.c_str();
  box.lpszCaption = wide_title.c_str();
  // No icon; Yes the default button of a question.
  box.dwStyle = (yes_no ? MB_YESNO | MB_DEFBUTTON1 : MB_OK) | MB_APPLMODAL;
  // The system's button texts in the game's language.
  box.dwLanguageId = Spanish() ? MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN)
                               : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  const int chosen = MessageBoxIndirectW(&box);
  if (!yes_no) return BoxAnswer::Ok;
  return chosen == IDYES ? BoxAnswer::Yes : BoxAnswer::No;
}

std::string WinDialogs::InputBox(const std::string& prompt, const std::string& title) {
  NameBoxState state{Widen(prompt), Widen(title), Spanish() ? L"Aceptar" : L"OK",
                     Spanish() ? L"Cancelar" : L"Cancel", L""};
  const short inner = kBoxWidth - 2 * kMargin;
  const short buttons_top = kBoxHeight - kMargin - kButtonHeight;
  DialogTemplate box(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                     kBoxWidth, kBoxHeight, 4);
  // The prompt comes first: a screen reader names the edit line after it. Plain text.
  box.Item(kStaticAtom, kPromptId, SS_LEFT | SS_NOPREFIX, kMargin, kMargin, inner, 40, L"");
  box.Item(kEditAtom, kNameId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kMargin, 50, inner, 12,
           L"");
  box.Item(kButtonAtom, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP,
           kBoxWidth - kMargin - 2 * kButtonWidth - 4, buttons_top, kButtonWidth, kButtonHeight,
           L"OK");
  box.Item(kButtonAtom, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, kBoxWidth - kMargin - kButtonWidth,
           buttons_top, kButtonWidth, kButtonHeight, L"Cancel");
  box.Seal();
  const INT_PTR chosen =
      DialogBoxIndirectParamW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner_,
                                                                            GWLP_HINSTANCE)),
                              box.get(), owner_, NameBoxProc, reinterpret_cast<LPARAM>(&state));
  if (chosen != IDOK) return {};
  return Narrow(state.typed);
}
