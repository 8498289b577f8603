// Annotations through IAccPropServices: a fixed description, and a state that the screen
// reader asks this program for each time, so that the focus and the other states the system
// keeps stay live beside the marked one.
#include "frontend/win32/block_annotations.h"

#include <initguid.h>  // the annotation GUIDs are defined here, once
#include <oleacc.h>

namespace {

constexpr wchar_t kMarkedProperty[] = L"Tolvos.Marked";

// The state the system's own proxy gives the button, or one worked out from the window when
// the proxy cannot be had.
LONG SystemState(HWND button) {
  IAccessible* proxy = nullptr;
  if (SUCCEEDED(CreateStdAccessibleObject(button, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void**>(&proxy)))) {
    VARIANT self{}, state{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    const HRESULT hr = proxy->get_accState(self, &state);
    proxy->Release();
    if (SUCCEEDED(hr) && state.vt == VT_I4) return state.lVal;
  }
  LONG state = 0;
  if (!IsWindowVisible(button)) state |= STATE_SYSTEM_INVISIBLE;
  state |= IsWindowEnabled(button) ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
  if (GetFocus() == button) state |= STATE_SYSTEM_FOCUSED;
  return state;
}

}  // namespace

// Answers PROPID_ACC_STATE for the block buttons: a marked block is expanded, every other
// block keeps the system's state. On a push button, JAWS and NVDA speak "expanded" (and not
// selected or checked), and with no collapsed state nothing is said of an unmarked block.
class MarkedStateServer final : public IAccPropServer {
 public:
  explicit MarkedStateServer(IAccPropServices* services) : services_(services) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IAccPropServer) {
      *object = static_cast<IAccPropServer*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetPropValue(const BYTE* id, DWORD id_length, MSAAPROPID property,
                                         VARIANT* value, BOOL* has_property) override {
    VariantInit(value);
    *has_property = FALSE;
    // Asking the system's proxy for its state may come back here: it then answers alone.
    if (property != PROPID_ACC_STATE || answering_) return S_OK;
    HWND button = nullptr;
    DWORD object = 0, child = 0;
    if (FAILED(services_->DecomposeHwndIdentityString(id, id_length, &button, &object, &child)) ||
        child != CHILDID_SELF)
      return S_OK;
    answering_ = true;
    const std::optional<LONG> state = BlockAnnotations::AnnotatedState(button);
    answering_ = false;
    if (!state) return S_OK;
    value->vt = VT_I4;
    value->lVal = *state;
    *has_property = TRUE;
    return S_OK;
  }

 private:
  IAccPropServices* services_;
  ULONG references_ = 1;
  bool answering_ = false;
};

BlockAnnotations::BlockAnnotations() {
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&services_)))) {
    services_ = nullptr;
    return;
  }
  state_server_ = new MarkedStateServer(services_);
}

BlockAnnotations::~BlockAnnotations() {
  if (state_server_) state_server_->Release();
  if (services_) services_->Release();
}

void BlockAnnotations::Attach(HWND button) {
  if (!services_) return;
  const MSAAPROPID state = PROPID_ACC_STATE;
  services_->SetHwndPropServer(button, OBJID_CLIENT, CHILDID_SELF, &state, 1, state_server_,
                               ANNO_THIS);
}

void BlockAnnotations::Detach(HWND button) {
  RemovePropW(button, kMarkedProperty);
  if (!services_) return;
  const MSAAPROPID properties[] = {PROPID_ACC_STATE, PROPID_ACC_DESCRIPTION};
  services_->ClearHwndProps(button, OBJID_CLIENT, CHILDID_SELF, properties, 2);
}

void BlockAnnotations::Describe(HWND button, const std::wstring& text) {
  if (!services_) return;
  services_->SetHwndPropStr(button, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                            text.c_str());
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, button, OBJID_CLIENT, CHILDID_SELF);
}

void BlockAnnotations::SetMarked(HWND button, bool marked) {
  if (marked == IsMarked(button)) return;
  if (marked)
    SetPropW(button, kMarkedProperty, reinterpret_cast<HANDLE>(1));
  else
    RemovePropW(button, kMarkedProperty);
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, button, OBJID_CLIENT, CHILDID_SELF);
}

bool BlockAnnotations::IsMarked(HWND button) {
  return GetPropW(button, kMarkedProperty) != nullptr;
}

std::optional<LONG> BlockAnnotations::AnnotatedState(HWND button) {
  if (!IsMarked(button)) return std::nullopt;
  return SystemState(button) | STATE_SYSTEM_EXPANDED;
}
