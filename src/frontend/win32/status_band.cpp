// The status band's window and its accessible object.
#include "frontend/win32/status_band.h"

#include <string>

#include "frontend/win32/own_accessible.h"
#include "frontend/win32/win_units.h"

namespace {

constexpr wchar_t kBandClass[] = L"TolvosStatusLines";

// A status bar named by its lines, message first: the band's windows in their order, those
// with a text. It has no children for a reader, who would read every line twice: NVDA reads a
// status bar's name and then its children's.
class StatusBarAccessible final : public OwnAccessible {
 public:
  StatusBarAccessible(IAccessible* standard, HWND band) : OwnAccessible(standard), band_(band) {}

 private:
  LONG Role() const override { return ROLE_SYSTEM_STATUSBAR; }
  bool Whole() const override { return true; }
  std::optional<std::wstring> Name() const override {
    std::wstring name;
    for (HWND line = GetWindow(band_, GW_CHILD); line; line = GetWindow(line, GW_HWNDNEXT)) {
      std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(line)) + 1, L'\0');
      text.resize(static_cast<std::size_t>(
          GetWindowTextW(line, text.data(), static_cast<int>(text.size()))));
      if (!text.empty()) name += (name.empty() ? L"" : L" ") + text;
    }
    return name;
  }

  HWND band_;
};

LRESULT CALLBACK BandProc(HWND band, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* hold = reinterpret_cast<AccessibleHold*>(GetWindowLongPtrW(band, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(band, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new AccessibleHold));
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(band, GWLP_USERDATA, 0);
      delete hold;
      break;
    case WM_GETOBJECT:
      if (!hold) break;
      if (const LRESULT own = hold->Answer(band, wparam, lparam, [band](IAccessible* standard) {
            return new StatusBarAccessible(standard, band);
          }))
        return own;
      break;
    case WM_CTLCOLORSTATIC:
      return SendMessageW(GetParent(band), message, wparam, lparam);
  }
  return DefWindowProcW(band, message, wparam, lparam);
}

}  // namespace

HWND NewStatusBand(HWND parent) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  RegisterBlackClass(instance, kBandClass, BandProc);
  return CreateWindowExW(0, kBandClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS |
                                                 WS_CLIPCHILDREN,
                         0, 0, 0, 0, parent, nullptr, instance, nullptr);
}
