// Where the game's units meet the Windows API: twips at the window's DPI, 0x00BBGGRR colours,
// and the shift state of a key.
#pragma once

#include "frontend/win32/windows_api.h"
#include "platform/windows/windows_text.h"  // Widen and Narrow: UTF-8 against UTF-16

#include <cmath>
#include <cstdint>
#include <string>

// 1440 twips to the inch: 15 twips make a pixel at 96 dots per inch.
inline constexpr double kTwipsPerInch = 1440.0;

inline int TwipsToPixels(double twips, UINT dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

// The pixel rectangle of a twip rectangle. Each edge is rounded on its own, so two rectangles
// that share an edge in twips share it in pixels too: neighbouring blocks lie edge to edge at
// every DPI, with no gap and no overlap.
inline RECT TwipsToRect(double left, double top, double width, double height, UINT dpi) {
  return RECT{TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(left + width, dpi),
              TwipsToPixels(top + height, dpi)};
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
