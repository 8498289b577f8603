// The real Windows window with the game logic behind it, fakes for speech, sound, files, the
// deal and the boxes, and the message loop as the program runs it: what the window tests
// under Wine start from.
#pragma once

#include "frontend/win32/windows_api.h"

#include <objbase.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>
#include <memory>

#include "fakes/form_rig.h"
#include "frontend/win32/main_window.h"

// Runs the program's message loop, the window's key preview and shortcut keys included, until
// done() holds or timeout_ms have passed; whether done() held.
inline bool PumpUntil(MainWindow& window, const std::function<bool()>& done,
                      DWORD timeout_ms = 3000) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (window.PreTranslate(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

// Runs the loop for ms milliseconds.
inline void RunLoopFor(MainWindow& window, DWORD ms) {
  PumpUntil(window, [] { return false; }, ms);
}

// Types a key as the keyboard would, held modifiers first (VK_SHIFT, VK_CONTROL, VK_MENU):
// through the system's input queue to the window that has the focus. With key_flags
// KEYEVENTF_EXTENDEDKEY, VK_RETURN is the keypad's Enter.
inline void Type(WORD key, const std::vector<WORD>& modifiers = {}, DWORD key_flags = 0) {
  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD m : modifiers) add(m, 0);
  add(key, key_flags);
  add(key, key_flags | KEYEVENTF_KEYUP);
  for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) add(*m, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The windows whose own object (OBJID_CLIENT, CHILDID_SELF) sent an accessibility event of one
// kind, in order, as a screen reader outside the program gets them: through the message loop.
class WinEventTrail {
 public:
  explicit WinEventTrail(DWORD event) {
    current_ = this;
    hook_ = SetWinEventHook(event, event, nullptr, Record, GetCurrentProcessId(), 0,
                            WINEVENT_OUTOFCONTEXT);
  }
  ~WinEventTrail() {
    UnhookWinEvent(hook_);
    current_ = nullptr;
  }
  WinEventTrail(const WinEventTrail&) = delete;
  WinEventTrail& operator=(const WinEventTrail&) = delete;

  std::vector<HWND> windows;

 private:
  static void CALLBACK Record(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD,
                              DWORD) {
    if (current_ && object == OBJID_CLIENT && child == CHILDID_SELF)
      current_->windows.push_back(hwnd);
  }

  static inline WinEventTrail* current_ = nullptr;
  HWINEVENTHOOK hook_;
};

class FormWindowTest : public testing::Test, protected FormFakes {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    random.SetCodes({1, 2, 3, 4, 5, 3, 3});
    window = std::make_unique<MainWindow>(GetModuleHandleW(nullptr));
    form = std::make_unique<Form1>(PortsWith(*window, *window));
    events.next = form.get();
    window->SetEvents(&events);
    form->Form_Load();
    window->Show(SW_SHOW);
    SetForegroundWindow(window->hwnd());
    ASSERT_TRUE(PumpUntil(*window, [&] { return GetActiveWindow() == window->hwnd(); }));
  }

  void TearDown() override {
    events.next = nullptr;
    form.reset();
    window.reset();
    CoUninitialize();
  }

  HWND block(int k) { return window->grid().button(k); }
  bool Pump(const std::function<bool()>& done) { return PumpUntil(*window, done); }

  std::unique_ptr<MainWindow> window;
  std::unique_ptr<Form1> form;
  // What the window hands the form, for a test to watch.
  EventTap events;
};
