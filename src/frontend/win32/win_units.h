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
