// The game's one window on Windows: the block buttons, the two lines below them in their status
// band, the menu and the three timers, offered to the game logic as its window and timer
// operations.
#pragma once

#include "frontend/win32/windows_api.h"

#include <cstdint>
#include <functional>
#include <memory>

#include "frontend/win32/block_grid.h"
#include "frontend/win32/game_menu.h"
#include "form/twips_window.h"
#include "form/window_events.h"
#include "form/window_timers.h"

class MainWindow : public TwipsWindow, public WindowTimers {
 public:
  // Created hidden, with button 0 at its design place, at the DPI of the screen it opens on.
  explicit MainWindow(HINSTANCE instance);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Where the window's clicks, keys, menu commands and ticks go from now on, on the window's
  // thread; nowhere before. The system's virtual key codes are the codes Form_KeyDown expects.
  void SetEvents(WindowEvents* events);
  // What a screen reader reads of the window follows language.LanguageIndex from now on.
  void Follow(const Language& language) { grid_->Follow(language); }
  // Called once the window is gone: the program ends.
  std::function<void()> destroyed;
  void Show(int show_command);
  // The window's share of the message loop, before a message is translated and dispatched:
  // the key preview, then the shortcut keys. True when the message has been handled.
  bool PreTranslate(MSG& message);

  // WindowOps; the places are TwipsWindow's
  void SetButtonCaption(int k, const std::string& text) override;
  void SetButtonBackColor(int k, std::uint32_t bgr) override;
  void SetButtonVisible(int k, bool visible) override;
  void SetButtonEnabled(int k, bool enabled) override;
  void SetButtonDescription(int k, const std::string& text) override;
  void SetButtonMarked(int k, bool marked) override;
  void FocusButton(int k) override;
  void SetLabelCaption(LabelId label, const std::string& text) override;
  void SetWindowCaption(const std::string& text) override;
  void SetMenuCaption(MenuId item, const std::string& text) override;
  void CloseWindow() override;


  // The controls, for the wiring and for tests.
  HWND hwnd() const { return hwnd_; }
  BlockGrid& grid() { return *grid_; }
  const GameMenu& menu() const { return menu_; }
  HWND label(LabelId id) const { return id == LabelId::Label1 ? label1_ : label2_; }
  HWND status_band() const { return status_band_; }
  HWND picture() const { return picture1_; }
  UINT dpi() const { return dpi_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void StartSystemTimer(TimerId id) override;
  void StopSystemTimer(TimerId id) override;
  void CopyButton0(int k) override;
  void PlaceButton(int k, const TwipsPlace& place) override;
  // Places the control at p in the client area, whichever of the window's controls holds it.
  void PlaceControl(HWND control, const TwipsPlace& p) const;
  // Sizes the client area, the fonts and every control for the current DPI.
  void Layout();
  void MakeFonts();

  HWND hwnd_ = nullptr;
  WindowEvents* events_ = nullptr;
  GameMenu menu_;
  std::unique_ptr<BlockGrid> grid_;
  HWND picture1_ = nullptr;
  HWND status_band_ = nullptr;
  HWND label1_ = nullptr;
  HWND label2_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HFONT block_font_ = nullptr;
  HFONT label_font_ = nullptr;
  HBRUSH face_brush_ = nullptr;
};
