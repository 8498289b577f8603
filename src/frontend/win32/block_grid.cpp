// The block buttons and their grid: painting, keyboard moves and clicks, and the focus that
// waits on the grid while its block is hidden or disabled.
#include "frontend/win32/block_grid.h"

#include <cassert>
#include <cmath>

#include "frontend/win32/win_units.h"
#include "game/grid.h"

namespace {

constexpr wchar_t kGridClass[] = L"TolvosBlockGrid";
// How long the grid holds the focus to have its block announced again: long enough for a
// screen reader to take in that the focus has left the block (NVDA keeps only the last focus
// event of those that come in one go), or it would take the return for the focus it has and
// say nothing. After a key that moves nothing the screen reader has little else to take in;
// after a new deal it first has 150 new captions.
constexpr int kAnnounceHold = 150;
constexpr int kAnnounceHoldAfterDeal = 600;

double RelativeLuminance(COLORREF colour) {
  auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
         0.0722 * linear(GetBValue(colour));
}

}  // namespace

int GridKeyTarget(int from, UINT virtual_key, std::int16_t shift) {
  assert(from >= 0 && from < kCells);
  const int c = ColumnOf(from), r = RowOf(from);
  if (shift == 0) {
    switch (virtual_key) {
      case VK_LEFT: return c > 0 ? from - 1 : from;
      case VK_RIGHT: return c < kColumns - 1 ? from + 1 : from;
      case VK_UP: return r > 0 ? from - kColumns : from;
      case VK_DOWN: return r < kRows - 1 ? from + kColumns : from;
      case VK_HOME: return ButtonOf(0, r);
      case VK_END: return ButtonOf(kColumns - 1, r);
      default: return -1;
    }
  }
  if (shift == 2) {  // Ctrl alone
    if (virtual_key == VK_HOME) return 0;
    if (virtual_key == VK_END) return kCells - 1;
  }
  return -1;
}

COLORREF ContrastingInk(COLORREF face) {
  // Contrast ratios as the web's accessibility guidelines define them: against black
  // (L + 0.05) / 0.05, against white 1.05 / (L + 0.05).
  const double l = RelativeLuminance(face);
  return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

BlockGrid::BlockGrid(HWND parent, HINSTANCE instance, Events& events) : events_(events) {
  WNDCLASSEXW grid_class{};
  grid_class.cbSize = sizeof grid_class;
  if (!GetClassInfoExW(instance, kGridClass, &grid_class)) {
    grid_class.lpfnWndProc = GridProc;
    grid_class.hInstance = instance;
    grid_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    grid_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    grid_class.lpszClassName = kGridClass;
    RegisterClassExW(&grid_class);
  }
  hwnd_ = CreateWindowExW(0, kGridClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0,
                          0, parent, nullptr, instance, this);
  assert(hwnd_);
}

BlockGrid::~BlockGrid() {
  // The buttons go with the grid; their annotations must go first.
  for (const Block& b : blocks_) annotations_.Detach(b.hwnd);
  DestroyWindow(hwnd_);
}

int BlockGrid::AddButton() {
  const int k = count();
  // Created last, the button comes last among the grid's children: after the block before it
  // for a screen reader's review and for Tab.
  HWND button = CreateWindowExW(
      0, L"BUTTON", L"", WS_CHILD | WS_CLIPSIBLINGS | BS_OWNERDRAW | WS_DISABLED, 0, 0, 0, 0,
      hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(k + kFirstButtonId)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
  assert(button);
  WNDPROC previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonProc)));
  assert(!system_button_proc_ || system_button_proc_ == previous);
  system_button_proc_ = previous;
  SetWindowLongPtrW(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (font_) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  blocks_.push_back({button, GetSysColor(COLOR_BTNFACE)});
  annotations_.Attach(button);
  return k;
}

HWND BlockGrid::button(int k) const {
  assert(k >= 0 && k < count());
  return blocks_[static_cast<std::size_t>(k)].hwnd;
}

void BlockGrid::SetFace(int k, COLORREF face) {
  Block& b = blocks_[static_cast<std::size_t>(k)];
  if (b.face == face) return;
  b.face = face;
  InvalidateRect(b.hwnd, nullptr, FALSE);
}

COLORREF BlockGrid::face(int k) const { return blocks_[static_cast<std::size_t>(k)].face; }

void BlockGrid::SetCaption(int k, const std::wstring& text) {
  SetWindowTextW(button(k), text.c_str());
  InvalidateRect(button(k), nullptr, FALSE);
}

void BlockGrid::SetMarked(int k, bool marked) {
  blocks_[static_cast<std::size_t>(k)].marked = marked;
  annotations_.SetMarked(button(k), marked);
}

bool BlockGrid::marked(int k) const { return blocks_[static_cast<std::size_t>(k)].marked; }

void BlockGrid::SetDescription(int k, const std::wstring& text) {
  annotations_.Describe(button(k), text);
}

void BlockGrid::SetFont(HFONT font) {
  font_ = font;
  for (const Block& b : blocks_)
    SendMessageW(b.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void BlockGrid::SetBlockVisible(int k, bool visible) {
  if (!visible) ParkIfFocused(k);
  ShowWindow(button(k), visible ? SW_SHOWNA : SW_HIDE);
  if (visible && k == focus_index_) RestoreFocus();
}

void BlockGrid::SetBlockEnabled(int k, bool enabled) {
  if (!enabled) ParkIfFocused(k);
  EnableWindow(button(k), enabled);
  if (enabled && k == focus_index_) RestoreFocus();
}

bool BlockGrid::WindowActive() const { return GetActiveWindow() == GetAncestor(hwnd_, GA_ROOT); }

HWND BlockGrid::KeyFocus() const { return WindowActive() ? GetFocus() : saved_focus_; }

void BlockGrid::SetKeyFocus(HWND target) {
  if (WindowActive())
    SetFocus(target);
  else
    saved_focus_ = target;
}

HWND BlockGrid::Available(int k) const {
  if (k < 0 || k >= count()) return nullptr;
  HWND b = button(k);
  return IsWindowVisible(b) && IsWindowEnabled(b) ? b : nullptr;
}

void BlockGrid::ParkIfFocused(int k) {
  // Left alone, the system would drop the focus of a disabled control and hand that of a
  // hidden one to the grid without telling anyone which block it belongs to.
  if (KeyFocus() == button(k)) SetKeyFocus(hwnd_);
}

void BlockGrid::RestoreFocus() {
  HWND b = Available(focus_index_);
  // Only a focus the game took away comes back; one the player has moved stays where it is.
  // An open menu has the keys; the focus comes back when it closes.
  if (!b || !parked() || menu_open_) return;
  SetKeyFocus(b);
}

void BlockGrid::FocusBlock(int k) {
  assert(k >= 0 && k < count());
  focus_index_ = k;
  // A block that has the focus already is announced again: the player hears where the keyboard
  // is, and what the block now shows.
  if (Available(k) && GetFocus() == button(k)) {
    AnnounceFocus(kAnnounceHoldAfterDeal);
  } else {
    SetKeyFocus(Available(k) ? button(k) : hwnd_);
  }
}

void BlockGrid::WindowActivated() {
  HWND target = saved_focus_;
  if (target != hwnd_ && !(target && IsWindowVisible(target) && IsWindowEnabled(target)))
    target = nullptr;
  if (!target) {
    // First activation, or the control is gone: the block of the focus, else the first one.
    const int k = focus_index_ >= 0 ? focus_index_ : 0;
    target = Available(k) ? button(k) : hwnd_;
  }
  if (target == hwnd_ && Available(focus_index_)) target = button(focus_index_);
  SetFocus(target);
}

void BlockGrid::WindowDeactivated() {
  HWND focus = GetFocus();
  if (focus && (focus == hwnd_ || GetParent(focus) == hwnd_)) saved_focus_ = focus;
}

void BlockGrid::MenuLoop(bool open) {
  menu_open_ = open;
  if (!open) RestoreFocus();
}

bool BlockGrid::MoveFocus(int from, UINT virtual_key) {
  const int to = GridKeyTarget(from, virtual_key, CurrentShiftState());
  if (to < 0) return false;
  if (HWND b = Available(to); b && GetFocus() != b) {
    SetFocus(b);
  } else {
    // An edge, or a hidden cell: the key moves nothing, and a silent key would break the
    // player's count.
    AnnounceFocus(kAnnounceHold);
  }
  return true;
}

void BlockGrid::AnnounceFocus(int hold_ms) {
  HWND b = Available(focus_index_);
  if (!b || GetFocus() != b) return;
  // A screen reader says nothing when it is told again of the focus it already has. The grid
  // holds the focus for a moment instead, as for a hidden block, and then hands it back, so the
  // block gets the focus anew: two real focus changes, which every screen reader follows. The
  // block keeps its frame meanwhile, and a key pressed meanwhile moves on from it.
  announcing_ = true;
  SetFocus(hwnd_);
  InvalidateRect(b, nullptr, FALSE);
  SetTimer(hwnd_, kAnnounceTimer, static_cast<UINT>(hold_ms), nullptr);
}

void BlockGrid::EndAnnouncement() {
  if (!announcing_) return;
  announcing_ = false;
  KillTimer(hwnd_, kAnnounceTimer);
}

bool BlockGrid::TabFrom(int from, bool forward) {
  // Tab walks the blocks in reading order, round from the last to the first.
  const int step = forward ? 1 : -1;
  for (int i = 1; i <= count(); ++i) {
    const int k = ((from + step * i) % count() + count()) % count();
    if (HWND b = Available(k)) {
      SetFocus(b);
      return true;
    }
  }
  return false;
}

void BlockGrid::Click(int k) {
  if (Available(k) && events_.clicked) events_.clicked(k);
}
