// The grid's focus rules.
#include "form/grid_focus.h"

#include <cmath>

#include "game/grid.h"

namespace {

constexpr std::int16_t kKeyTab = 9, kKeyEnd = 35, kKeyHome = 36, kKeyLeft = 37, kKeyUp = 38,
                       kKeyRight = 39, kKeyDown = 40;
constexpr std::int16_t kShift = 1, kCtrl = 2, kAlt = 4;

// The cell a navigation key leads to, the cell itself at an edge; -1 for any other key.
int NavigationTarget(int from, std::int16_t key, std::int16_t shift) {
  const int c = ColumnOf(from), r = RowOf(from);
  if (shift == 0) {
    switch (key) {
      case kKeyLeft: return c > 0 ? from - 1 : from;
      case kKeyRight: return c < kColumns - 1 ? from + 1 : from;
      case kKeyUp: return r > 0 ? from - kColumns : from;
      case kKeyDown: return r < kRows - 1 ? from + kColumns : from;
      case kKeyHome: return ButtonOf(0, r);
      case kKeyEnd: return ButtonOf(kColumns - 1, r);
      default: return -1;
    }
  }
  if (shift == kCtrl && key == kKeyHome) return 0;
  if (shift == kCtrl && key == kKeyEnd) return kCells - 1;
  return -1;
}

double RelativeLuminance(std::uint32_t bgr) {
  auto linear = [](std::uint32_t channel) {
    const double c = (channel & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(bgr) + 0.7152 * linear(bgr >> 8) + 0.0722 * linear(bgr >> 16);
}

}  // namespace

FocusStep GridFocus::Key(int from, std::int16_t key_code, std::int16_t shift) const {
  if (from < 0 || from >= kCells) return {};
  if (key_code == kKeyTab && (shift & (kCtrl | kAlt)) == 0) {
    const int step = (shift & kShift) ? -1 : 1;
    for (int i = 1; i <= kCells; ++i) {
      const int k = ((from + step * i) % kCells + kCells) % kCells;
      if (available_(k)) return {FocusStep::Focus, k};
    }
    return {FocusStep::Stay};
  }
  const int to = NavigationTarget(from, key_code, shift);
  if (to < 0) return {};
  // A key that moves nothing is not silent: that would break the player's count.
  if (to == from || !available_(to)) return {FocusStep::Reread, from, kRereadHoldMs};
  return {FocusStep::Focus, to};
}

FocusStep GridFocus::Deal(int k, bool block_has_focus) {
  index_ = k;
  if (!available_(k)) return {FocusStep::Park, k};
  // The player hears where the keyboard is, and what the block now shows.
  if (block_has_focus) return Reread(kRereadHoldAfterDealMs);
  return {FocusStep::Focus, k};
}

FocusStep GridFocus::Return(bool parked, bool menu_open) const {
  if (!parked || menu_open || !available_(index_)) return {FocusStep::Stay};
  return {FocusStep::Focus, index_};
}

FocusStep GridFocus::Back() const {
  const int k = index_ >= 0 ? index_ : 0;
  return available_(k) ? FocusStep{FocusStep::Focus, k} : FocusStep{FocusStep::Park, k};
}

FocusStep GridFocus::Reread(int hold_ms) {
  if (!available_(index_)) return {FocusStep::Stay};
  // A screen reader says nothing when told again of the focus it has: the grid holds the
  // focus for a moment and hands it back, two real focus changes every screen reader follows.
  rereading_ = true;
  return {FocusStep::Reread, index_, hold_ms};
}

std::uint32_t FocusFrameInk(std::uint32_t bgr) {
  // Contrast ratios as the web's accessibility guidelines define them: against black
  // (L + 0.05) / 0.05, against white 1.05 / (L + 0.05).
  const double l = RelativeLuminance(bgr);
  return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? 0x000000 : 0xFFFFFF;
}
