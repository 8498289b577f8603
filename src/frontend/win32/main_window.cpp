// The main window's controls, laid out in twips at the window's DPI, and the window and timer
// operations on them.
#include "frontend/win32/main_window.h"

#include <cassert>

#include "frontend/win32/centred_label.h"
#include "frontend/win32/status_band.h"
#include "frontend/win32/win_units.h"

namespace {

constexpr wchar_t kWindowClass[] = L"TolvosMainWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;
// The status band: the lines' band, widened to the client area's right and bottom edges so
// that the point a screen reader looks up at the bottom left corner lies in it. NVDA looks
// for the status bar there.
constexpr TwipsPlace kStatusBandPlace{0, kLinesPlace.top, kClientWidth,
                                      kClientHeight - kLinesPlace.top};


HWND NewStatic(HWND parent, const wchar_t* text, DWORD style) {
  return CreateWindowExW(
      0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent, nullptr,
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) {
  RegisterBlackClass(instance, kWindowClass, WindowProc, LoadIcon(nullptr, IDI_APPLICATION));
  hwnd_ = CreateWindowExW(kExStyle, kWindowClass, Widen(kFirstWindowCaption).c_str(), kStyle,
                          CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu_.bar(), instance, this);
  assert(hwnd_);
  dpi_ = GetDpiForWindow(hwnd_);
  face_brush_ = GetSysColorBrush(COLOR_BTNFACE);

  // Created in the design's order, which is the order a screen reader's review meets them,
  // but for the lines: the status bar is read from the message on. The picture, created
  // first, stays above the band that overlaps it. The timers need no window of their own and
  // start stopped.
  picture1_ = NewStatic(hwnd_, L"", SS_SUNKEN);
  grid_ = std::make_unique<BlockGrid>(hwnd_, instance);
  grid_->AddButton();
  grid_->SetCaption(0, Widen(kFirstButtonCaption));
  ShowWindow(grid_->button(0), SW_SHOWNA);
  EnableWindow(grid_->button(0), TRUE);
  status_band_ = NewStatusBand(hwnd_);
  label1_ = NewCentredLabel(status_band_, L"");
  label2_ = NewCentredLabel(status_band_, Widen(kFirstScoreCaption).c_str());
  Layout();
}

MainWindow::~MainWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  grid_.reset();
  if (block_font_) DeleteObject(block_font_);
  if (label_font_) DeleteObject(label_font_);
}

void MainWindow::SetEvents(WindowEvents* events) {
  events_ = events;
  grid_->SetEvents(events);
}

void MainWindow::Show(int show_command) {
  ShowWindow(hwnd_, show_command);
  UpdateWindow(hwnd_);
}

bool MainWindow::PreTranslate(MSG& message) {
  if (!IsWindow(hwnd_) || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && events_) {
    events_->Form_KeyDown(static_cast<std::int16_t>(message.wParam), CurrentShiftState());
    if (!IsWindow(hwnd_)) return true;
  }
  // The shortcut keys act anywhere in the window, a focused block included.
  return TranslateAcceleratorW(hwnd_, menu_.accelerators(), &message) != 0;
}

void MainWindow::MakeFonts() {
  HFONT old_block = block_font_, old_label = label_font_;
  LOGFONTW courier{};
  courier.lfHeight =
      -MulDiv(static_cast<int>(kBlockFontPoints * 100), static_cast<int>(dpi_), 72 * 100);
  courier.lfWeight = FW_NORMAL;
  courier.lfCharSet = ANSI_CHARSET;
  courier.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;  // the system's fixed font where it lacks
  wcscpy_s(courier.lfFaceName, L"Courier New");
  block_font_ = CreateFontIndirectW(&courier);

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_)) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  }
  label_font_ = CreateFontIndirectW(&metrics.lfMessageFont);

  grid_->SetFont(block_font_);
  grid_->SetDpi(dpi_);
  for (HWND label : {label1_, label2_})
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(label_font_), TRUE);
  if (old_block) DeleteObject(old_block);
  if (old_label) DeleteObject(old_label);
}

void MainWindow::Layout() {
  MakeFonts();
  const int width = TwipsToPixels(kClientWidth, dpi_), height = TwipsToPixels(kClientHeight, dpi_);
  RECT frame{0, 0, width, height};
  AdjustWindowRectExForDpi(&frame, kStyle, TRUE, kExStyle, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The menu bar may differ from the one the frame was worked out for (it wraps, or its font
  // does not follow the DPI): the client area is what counts.
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (client.right != width || client.bottom != height) {
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                 frame.bottom - frame.top + height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  PlaceControl(grid_->hwnd(), kGridPlace);
  for (int k = 0; k < ButtonCount(); ++k) PlaceButton(k, Place(k));
  PlaceControl(picture1_, kPicture1Place);
  PlaceControl(status_band_, kStatusBandPlace);
  PlaceControl(label2_, kLabel2Place);
  PlaceControl(label1_, kLabel1Place);
}

void MainWindow::PlaceControl(HWND control, const TwipsPlace& p) const {
  // Rounded in the client area, then moved: a control placed inside another lands on the
  // very pixels it would have as the window's own.
  RECT r = RectOf(p, dpi_);
  MapWindowPoints(hwnd_, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::PlaceButton(int k, const TwipsPlace& place) {
  PlaceControl(grid_->button(k), place);
}

void MainWindow::CopyButton0(int k) {
  grid_->AddButton();
  wchar_t caption[16] = {};
  GetWindowTextW(grid_->button(0), caption, 16);
  grid_->SetCaption(k, caption);
  grid_->SetFace(k, grid_->face(0));
}

void MainWindow::SetButtonCaption(int k, const std::string& text) {
  grid_->SetCaption(k, Widen(text));
}

void MainWindow::SetButtonBackColor(int k, std::uint32_t bgr) {
  grid_->SetFace(k, BgrToColorRef(bgr));
}

// Through the grid, which keeps the keyboard focus on the block's cell meanwhile.
void MainWindow::SetButtonVisible(int k, bool visible) { grid_->SetBlockVisible(k, visible); }
void MainWindow::SetButtonEnabled(int k, bool enabled) { grid_->SetBlockEnabled(k, enabled); }

void MainWindow::SetButtonDescription(int k, const std::string& text) {
  grid_->SetDescription(k, Widen(text));
}

void MainWindow::SetButtonMarked(int k, bool marked) { grid_->SetMarked(k, marked); }

void MainWindow::FocusButton(int k) { grid_->FocusBlock(k); }

void MainWindow::SetLabelCaption(LabelId id, const std::string& text) {
  SetWindowTextW(label(id), Widen(text).c_str());
  LineChanged(status_band_);
}

void MainWindow::SetWindowCaption(const std::string& text) {
  SetWindowTextW(hwnd_, Widen(text).c_str());
}

void MainWindow::SetMenuCaption(MenuId item, const std::string& text) {
  menu_.SetCaption(item, text);
  if (item == MenuId::MnuJuego) DrawMenuBar(hwnd_);
}

void MainWindow::CloseWindow() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

void MainWindow::StartSystemTimer(TimerId id) {
  SetTimer(hwnd_, static_cast<UINT_PTR>(Slot(id) + 1), static_cast<UINT>(IntervalMs(id)), nullptr);
}

void MainWindow::StopSystemTimer(TimerId id) {
  KillTimer(hwnd_, static_cast<UINT_PTR>(Slot(id) + 1));
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* window =
        static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcW(hwnd, message, wparam, lparam);
  return window->OnMessage(message, wparam, lparam);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      // From the menu or a shortcut key; the blocks report to their grid.
      if (const auto item = GameMenu::ItemOf(LOWORD(wparam)); lparam == 0 && item &&
                                                              events_)
        events_->Menu(*item);
      return 0;
    case WM_TIMER: {
      const int slot = static_cast<int>(wparam) - 1;
      // A tick already queued when its timer was stopped is no tick.
      if (slot >= 0 && slot < 3 && TimerRunning(static_cast<TimerId>(slot)) && events_)
        events_->Tick(static_cast<TimerId>(slot));
      return 0;
    }
    case WM_ACTIVATE:
      // The system gives an activated window the focus itself; its block should have it.
      if (!grid_) break;
      if (LOWORD(wparam) == WA_INACTIVE)
        grid_->WindowDeactivated();
      else if (!HIWORD(wparam))
        grid_->WindowActivated();
      return 0;
    case WM_SETFOCUS:
      if (grid_) grid_->WindowActivated();
      return 0;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      if (grid_) grid_->MenuLoop(message == WM_ENTERMENULOOP);
      return 0;
    case WM_CTLCOLORSTATIC: {
      // The two lines and the picture on the face colour, as on a form.
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(face_brush_);
    }
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wparam);
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Layout();
      return 0;
    }
    case WM_DESTROY:
      for (int slot = 0; slot < 3; ++slot) StopTimer(static_cast<TimerId>(slot));
      if (destroyed) destroyed();
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}
