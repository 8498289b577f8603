// The block buttons and their grid: painting, keyboard moves and clicks, and the focus that
// waits on the grid while its block is hidden or disabled.
#include "frontend/win32/block_grid.h"

#include <cassert>

#include "frontend/win32/win_units.h"

namespace {

constexpr wchar_t kGridClass[] = L"TolvosBlockGrid";
}  // namespace

BlockGrid::BlockGrid(HWND parent, HINSTANCE instance) {
  RegisterBlackClass(instance, kGridClass, GridProc);
  hwnd_ = CreateWindowExW(0, kGridClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0,
                          0, parent, nullptr, instance, this);
  assert(hwnd_);
}

BlockGrid::~BlockGrid() { DestroyWindow(hwnd_); }

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
  blocks_.push_back({button, GetSysColor(COLOR_BTNFACE), {}, false, {}});
  return k;
}

HWND BlockGrid::button(int k) const { return block(k).hwnd; }

const BlockGrid::Block& BlockGrid::block(int k) const {
  assert(k >= 0 && k < count());
  return blocks_[static_cast<std::size_t>(k)];
}

void BlockGrid::SetFace(int k, COLORREF face) {
  Block& b = blocks_[static_cast<std::size_t>(k)];
  if (b.face == face) return;
  b.face = face;
  InvalidateRect(b.hwnd, nullptr, FALSE);
}

COLORREF BlockGrid::face(int k) const { return blocks_[static_cast<std::size_t>(k)].face; }

void BlockGrid::SetCaption(int k, const std::wstring& text) {
  wchar_t before[16] = {};
  GetWindowTextW(button(k), before, static_cast<int>(std::size(before)));
  SetWindowTextW(button(k), text.c_str());
  InvalidateRect(button(k), nullptr, FALSE);
  // Wine tells no screen reader of a button's new text; the block's object has a new name.
  if (text != before)
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, button(k), OBJID_CLIENT, CHILDID_SELF);
}

void BlockGrid::SetMarked(int k, bool marked) {
  Block& b = blocks_[static_cast<std::size_t>(k)];
  if (b.marked == marked) return;
  b.marked = marked;
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, b.hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void BlockGrid::SetDescription(int k, const std::wstring& text) {
  Block& b = blocks_[static_cast<std::size_t>(k)];
  if (b.description == text) return;
  b.description = text;
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, b.hwnd, OBJID_CLIENT, CHILDID_SELF);
}

std::wstring BlockGrid::action_word() const {
  return Widen(language_ ? language_->Text(kBlockAction) : kBlockAction.In(0));
}

void BlockGrid::SetFont(HFONT font) {
  font_ = font;
  for (const Block& b : blocks_)
    SendMessageW(b.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void BlockGrid::SetBlockVisible(int k, bool visible) {
  if (!visible) ParkIfFocused(k);
  ShowWindow(button(k), visible ? SW_SHOWNA : SW_HIDE);
  if (visible && k == focus_index()) RestoreFocus();
}

void BlockGrid::SetBlockEnabled(int k, bool enabled) {
  if (!enabled) ParkIfFocused(k);
  EnableWindow(button(k), enabled);
  if (enabled && k == focus_index()) RestoreFocus();
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
  if (GridFocus::Parks(KeyFocus() == button(k))) SetKeyFocus(hwnd_);
}

void BlockGrid::RestoreFocus() {
  // An open menu has the keys; the focus comes back when it closes.
  CarryOut(focus_.Return(parked(), menu_open_));
}

void BlockGrid::CarryOut(const FocusStep& step) {
  switch (step.kind) {
    case FocusStep::Pass:
    case FocusStep::Stay: return;
    case FocusStep::Focus: return SetKeyFocus(button(step.block));
    case FocusStep::Park: return SetKeyFocus(hwnd_);
    case FocusStep::Reread:
      // The block keeps its frame meanwhile, and a key pressed meanwhile moves on from it.
      if (GetFocus() != button(step.block)) return focus_.EndReread();
      SetFocus(hwnd_);
      InvalidateRect(button(step.block), nullptr, FALSE);
      SetTimer(hwnd_, kAnnounceTimer, static_cast<UINT>(step.hold_ms), nullptr);
      return;
  }
}

void BlockGrid::FocusBlock(int k) {
  assert(k >= 0 && k < count());
  CarryOut(focus_.Deal(k, Available(k) && GetFocus() == button(k)));
}

void BlockGrid::WindowActivated() {
  const FocusStep back = focus_.Back();
  SetFocus(back.kind == FocusStep::Focus ? button(back.block) : hwnd_);
}

void BlockGrid::WindowDeactivated() {
  HWND focus = GetFocus();
  if (focus && (focus == hwnd_ || GetParent(focus) == hwnd_)) saved_focus_ = focus;
}

void BlockGrid::MenuLoop(bool open) {
  menu_open_ = open;
  if (!open) RestoreFocus();
}

bool BlockGrid::PlayKey(int from, WPARAM virtual_key) {
  const std::int16_t key_code = static_cast<std::int16_t>(virtual_key);
  const std::int16_t shift = CurrentShiftState();
  const FocusStep step = focus_.Key(from, key_code, shift);
  if (step.kind == FocusStep::Pass)
    return events_ && events_->SurveyKey(key_code, shift, static_cast<std::int16_t>(from));
  CarryOut(step.kind == FocusStep::Reread ? focus_.Reread(step.hold_ms) : step);
  return true;
}

void BlockGrid::EndReread() {
  if (!focus_.rereading()) return;
  focus_.EndReread();
  KillTimer(hwnd_, kAnnounceTimer);
}

void BlockGrid::Click(int k) {
  if (Available(k) && events_) events_->Command1_Click(static_cast<std::int16_t>(k));
}
