// The system's STATIC aligns its text to the top of the control; this one paints it itself,
// centred down the band too, and leaves everything else to the system's STATIC.
#include "frontend/win32/centred_label.h"

#include <string>

namespace {

WNDPROC system_static_proc = nullptr;

std::wstring TextOf(HWND label) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Paint(HWND label, HDC dc) {
  RECT band;
  GetClientRect(label, &band);
  // The parent chooses the colours, as it does for its other STATIC controls.
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
      reinterpret_cast<LPARAM>(label)));
  FillRect(dc, &band, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  HGDIOBJ previous_font = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);

  const std::wstring text = TextOf(label);
  constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
  RECT lines = band;
  DrawTextW(dc, text.c_str(), -1, &lines, kFormat | DT_CALCRECT);
  // Centred as a whole: text taller than the band loses as much at the top as at the bottom.
  const LONG height = lines.bottom - lines.top;
  RECT place = band;
  place.top = band.top + (band.bottom - band.top - height) / 2;
  place.bottom = place.top + height;
  DrawTextW(dc, text.c_str(), -1, &place, kFormat);
  if (previous_font) SelectObject(dc, previous_font);
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(label, &paint);
      Paint(label, dc);
      EndPaint(label, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(label, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return TRUE;  // the painting covers the whole band
    case WM_SETTEXT: {
      // The system's STATIC would paint the new text at once, at the top; the window's default
      // keeps the text as the STATIC does, and the band is painted anew.
      const LRESULT result = DefWindowProcW(label, message, wparam, lparam);
      InvalidateRect(label, nullptr, FALSE);
      return result;
    }
  }
  return CallWindowProcW(system_static_proc, label, message, wparam, lparam);
}

}  // namespace

HWND NewCentredLabel(HWND parent, const wchar_t* text) {
  HWND label = CreateWindowExW(
      0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0, 0, 0, 0, parent,
      nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (!label) return nullptr;
  system_static_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LabelProc)));
  return label;
}
