// Twips in pixels, and the shortcut keys' texts.
#include "form/window_design.h"

#include <cmath>

int TwipsToPixels(double twips, double dots_per_inch) {
  return static_cast<int>(std::lround(twips * dots_per_inch / kTwipsPerInch));
}

PixelBox PixelsOf(const TwipsPlace& place, double dots_per_inch) {
  return {TwipsToPixels(place.left, dots_per_inch), TwipsToPixels(place.top, dots_per_inch),
          TwipsToPixels(place.left + place.width, dots_per_inch),
          TwipsToPixels(place.top + place.height, dots_per_inch)};
}

std::string ShortcutText(Shortcut shortcut) {
  if (shortcut.key_code == 0) return "";
  const std::string ctrl = (shortcut.shift & kCtrl) ? "Ctrl+" : "";
  if (shortcut.key_code >= 112 && shortcut.key_code < 124)
    return ctrl + "F" + std::to_string(shortcut.key_code - 111);
  return ctrl + static_cast<char>(shortcut.key_code);
}
