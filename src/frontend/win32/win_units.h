// Where the game's units meet the Windows API: twips at the window's DPI, 0x00BBGGRR colours,
// and the shift state of a key.
#pragma once

#include "frontend/win32/windows_api.h"
#include <cstdint>
#include <string>

#include "form/window_design.h"
#include "platform/windows/windows_text.h"  // Widen and Narrow: UTF-8 against UTF-16

// The pixel rectangle of a place in twips at the window's DPI.
inline RECT RectOf(const TwipsPlace& place, UINT dpi) {
  const PixelBox box = PixelsOf(place, dpi);
  return RECT{box.left, box.top, box.right, box.bottom};
}

// A COLORREF is 0x00BBGGRR too: red in the low byte.
inline COLORREF BgrToColorRef(std::uint32_t bgr) { return static_cast<COLORREF>(bgr & 0xFFFFFF); }

// The shift state that goes with a key code: 1 Shift, 2 Ctrl, 4 Alt, added together, as the
// keys are down while the current message is handled.
inline std::int16_t CurrentShiftState() {
  auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  return static_cast<std::int16_t>((down(VK_SHIFT) ? 1 : 0) | (down(VK_CONTROL) ? 2 : 0) |
                                   (down(VK_MENU) ? 4 : 0));
}

// Registers a window class of the program, on black, unless it is registered already: black
// behind the grid, so that a hidden block shows as an empty black cell.
inline void RegisterBlackClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                               HICON icon = nullptr) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  if (GetClassInfoExW(instance, name, &window_class)) return;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hIcon = icon;
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}
