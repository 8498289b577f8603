// Message boxes without icon, Yes the default of a question; and the name box of name_box.rc:
// prompt, one edit line, OK and Cancel.
#include "frontend/win32/win_dialogs.h"

#include "frontend/win32/name_box.h"
#include "frontend/win32/win_units.h"

namespace {

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
      SetDlgItemTextW(box, IDC_NAME_PROMPT, state->prompt.c_str());
      SetDlgItemTextW(box, IDOK, state->ok.c_str());
      SetDlgItemTextW(box, IDCANCEL, state->cancel.c_str());
      return TRUE;  // the first control that takes the focus, the edit line, gets it
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        HWND edit = GetDlgItem(box, IDC_NAME_LINE);
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
  // From the program's own resources, where the window tests have it too.
  const INT_PTR chosen = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_NAME_BOX),
                                         owner_, NameBoxProc, reinterpret_cast<LPARAM>(&state));
  if (chosen != IDOK) return {};
  return Narrow(state.typed);
}
