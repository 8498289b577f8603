// The messages of the block grid and its buttons: clicks, keys, focus and painting.
#include <windowsx.h>

#include "frontend/win32/block_accessible.h"
#include "frontend/win32/block_grid.h"
#include "frontend/win32/win_units.h"

namespace {

COLORREF Darker(COLORREF colour) {
  return RGB(GetRValue(colour) / 2, GetGValue(colour) / 2, GetBValue(colour) / 2);
}

void FillFrame(HDC dc, RECT outer, int width, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  const RECT sides[] = {{outer.left, outer.top, outer.right, outer.top + width},
                        {outer.left, outer.bottom - width, outer.right, outer.bottom},
                        {outer.left, outer.top, outer.left + width, outer.bottom},
                        {outer.right - width, outer.top, outer.right, outer.bottom}};
  for (const RECT& side : sides) FillRect(dc, &side, brush);
  DeleteObject(brush);
}

bool IsRepeat(LPARAM key_data) { return (key_data & (1 << 30)) != 0; }

// The keypad's Enter sends the main one's key code as an extended key.
bool IsKeypad(LPARAM key_data) { return (HIWORD(key_data) & KF_EXTENDED) != 0; }

}  // namespace

WNDPROC BlockGrid::system_button_proc_ = nullptr;

LRESULT CALLBACK BlockGrid::GridProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* grid = reinterpret_cast<BlockGrid*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!grid || grid->hwnd_ != hwnd) return DefWindowProcW(hwnd, message, wparam, lparam);
  return grid->OnGridMessage(message, wparam, lparam);
}

LRESULT BlockGrid::OnGridMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int k = LOWORD(wparam) - kFirstButtonId;
      if (HIWORD(wparam) == BN_CLICKED && k >= 0 && k < count()) Click(k);
      return 0;
    }
    case WM_DRAWITEM:
      Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_SETFOCUS:
      // Back from a menu or a box: the block may be ready again by now. Not from inside this
      // message: the focus change is not over yet, and a screen reader would hear the grid last.
      if (focus_.ReturnsOnGridFocus()) PostMessageW(hwnd_, kRestoreFocus, 0, 0);
      return 0;
    case kRestoreFocus:
      RestoreFocus();
      return 0;
    case WM_TIMER:
      if (wparam != kAnnounceTimer) break;
      EndReread();
      RestoreFocus();
      return 0;
    case WM_KEYDOWN:
      // Parked, the grid plays the keys of its waiting block.
      if (focus_index() >= 0 && PlayKey(focus_index(), wparam)) return 0;
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK BlockGrid::ButtonProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* grid = reinterpret_cast<BlockGrid*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  const int k = GetDlgCtrlID(hwnd) - kFirstButtonId;
  if (!grid || k < 0 || k >= grid->count() || grid->button(k) != hwnd)
    return CallWindowProcW(system_button_proc_, hwnd, message, wparam, lparam);
  return grid->OnButtonMessage(k, hwnd, message, wparam, lparam);
}

LRESULT BlockGrid::OnButtonMessage(int k, HWND hwnd, UINT message, WPARAM wparam,
                                   LPARAM lparam) {
  switch (message) {
    case WM_GETOBJECT:
      if (const LRESULT own = blocks_[static_cast<std::size_t>(k)].accessible.Answer(
              hwnd, wparam, lparam,
              [this, k](IAccessible* standard) { return new BlockAccessible(standard, *this, k); }))
        return own;
      break;
    case WM_NCDESTROY:
      blocks_[static_cast<std::size_t>(k)].accessible.Disconnect();
      break;
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button reports a quick second click as a double click and not as a
      // click; on a block it is the click that removes the group.
      message = WM_LBUTTONDOWN;
      break;
    case WM_SETFOCUS:
      EndReread();  // however the focus came back, the hold is over
      focus_.Focused(k);
      break;
    case WM_KEYDOWN: {
      const auto key = static_cast<std::int16_t>(wparam);
      if (GridFocus::IsClickKey(key, CurrentShiftState(), IsKeypad(lparam))) {
        if (!IsRepeat(lparam)) Click(k);
        return 0;
      }
      if (PlayKey(k, wparam)) return 0;
      break;  // Space clicks as on any push button
    }
  }
  return CallWindowProcW(system_button_proc_, hwnd, message, wparam, lparam);
}

void BlockGrid::Draw(const DRAWITEMSTRUCT& item) const {
  const int k = static_cast<int>(item.CtlID) - kFirstButtonId;
  if (k < 0 || k >= count()) return;
  const COLORREF colour = face(k);
  HDC dc = item.hDC;
  RECT r = item.rcItem;

  // The whole face is the back colour, with a thin edge so that neighbouring blocks of one
  // colour still read as cells; sunken while pressed.
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  DrawEdge(dc, &r, (item.itemState & ODS_SELECTED) ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);

  wchar_t caption[16] = {};
  GetWindowTextW(item.hwndItem, caption, static_cast<int>(std::size(caption)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) ? Darker(colour) : RGB(0, 0, 0));
  HGDIOBJ previous_font = font_ ? SelectObject(dc, font_) : nullptr;
  DrawTextW(dc, caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (previous_font) SelectObject(dc, previous_font);

  // The block whose focus the grid holds keeps its frame, unless it is disabled.
  const bool waiting = parked() && focus_index() == k && !(item.itemState & ODS_DISABLED);
  if ((item.itemState & ODS_FOCUS) || waiting) {
    // A frame a sighted keyboard player finds at a glance, whatever the face's colour; the
    // system's dotted focus rectangle is lost on most faces, and hidden until a key is used.
    const int inset = MulDiv(kFocusFrameInset, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
    const int width = MulDiv(kFocusFrameWidth, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
    const RECT outer{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
    FillFrame(dc, outer, width, FocusFrameInk(colour));
  }
}
