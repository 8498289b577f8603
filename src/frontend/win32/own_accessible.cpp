// The standard object's answers, and the program's own where it has them.
#include "frontend/win32/own_accessible.h"

namespace {

// A text property as MSAA hands it out: none (S_FALSE) for an empty text.
HRESULT Answer(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = text.empty() ? nullptr : SysAllocString(text.c_str());
  if (text.empty()) return S_FALSE;
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Answer(LONG number, VARIANT* out) {
  if (!out) return E_POINTER;
  out->vt = VT_I4;
  out->lVal = number;
  return S_OK;
}

}  // namespace

OwnAccessible::~OwnAccessible() {
  if (standard_) standard_->Release();
}

void OwnAccessible::Disconnect() {
  if (!standard_) return;
  standard_->Release();
  standard_ = nullptr;
  // A reader in another process holds a proxy: COM lets go of our side now, and the reader's next
  // call fails in its own process.
  CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

bool OwnAccessible::Own(const VARIANT& child) const {
  return standard_ && child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT OwnAccessible::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  // What a reader asks of an object beside IAccessible: its children and its window. Never
  // COM's own questions (IMarshal and the like): answered by the standard object, they would
  // hand a reader in another process the standard object instead of this one.
  if (standard_ && ((iid == __uuidof(IEnumVARIANT) && !Whole()) || iid == __uuidof(IOleWindow)))
    return standard_->QueryInterface(iid, object);
  return E_NOINTERFACE;
}

ULONG OwnAccessible::AddRef() { return ++references_; }

ULONG OwnAccessible::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

// Every call first: a disconnected object touches nothing.
#define TOLVOS_CONNECTED() \
  if (!standard_) return RPC_E_DISCONNECTED

HRESULT OwnAccessible::GetTypeInfoCount(UINT* count) {
  TOLVOS_CONNECTED();
  return standard_->GetTypeInfoCount(count);
}
HRESULT OwnAccessible::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
  TOLVOS_CONNECTED();
  return standard_->GetTypeInfo(index, locale, info);
}
HRESULT OwnAccessible::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                     DISPID* ids) {
  TOLVOS_CONNECTED();
  return standard_->GetIDsOfNames(iid, names, count, locale, ids);
}
HRESULT OwnAccessible::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                              DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                              UINT* argument_error) {
  TOLVOS_CONNECTED();
  return standard_->Invoke(id, iid, locale, flags, parameters, result, exception,
                           argument_error);
}

HRESULT OwnAccessible::get_accParent(IDispatch** parent) {
  TOLVOS_CONNECTED();
  return standard_->get_accParent(parent);
}
HRESULT OwnAccessible::get_accChildCount(LONG* count) {
  TOLVOS_CONNECTED();
  if (!Whole()) return standard_->get_accChildCount(count);
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT OwnAccessible::get_accChild(VARIANT child, IDispatch** object) {
  TOLVOS_CONNECTED();
  if (!Whole() || Own(child)) return standard_->get_accChild(child, object);
  if (object) *object = nullptr;
  return E_INVALIDARG;
}

HRESULT OwnAccessible::get_accName(VARIANT child, BSTR* name) {
  TOLVOS_CONNECTED();
  if (Own(child))
    if (const std::optional<std::wstring> own = Name()) return Answer(*own, name);
  return standard_->get_accName(child, name);
}

HRESULT OwnAccessible::get_accValue(VARIANT child, BSTR* value) {
  TOLVOS_CONNECTED();
  return standard_->get_accValue(child, value);
}

HRESULT OwnAccessible::get_accDescription(VARIANT child, BSTR* description) {
  TOLVOS_CONNECTED();
  if (Own(child))
    if (const std::optional<std::wstring> own = Description()) return Answer(*own, description);
  return standard_->get_accDescription(child, description);
}

HRESULT OwnAccessible::get_accRole(VARIANT child, VARIANT* role) {
  TOLVOS_CONNECTED();
  if (Own(child)) return Answer(Role(), role);
  return standard_->get_accRole(child, role);
}

HRESULT OwnAccessible::get_accState(VARIANT child, VARIANT* state) {
  TOLVOS_CONNECTED();
  const HRESULT result = standard_->get_accState(child, state);
  if (!Own(child) || FAILED(result) || state->vt != VT_I4) return result;
  return Answer(State(state->lVal), state);
}

HRESULT OwnAccessible::get_accHelp(VARIANT child, BSTR* help) {
  TOLVOS_CONNECTED();
  return standard_->get_accHelp(child, help);
}
HRESULT OwnAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
  TOLVOS_CONNECTED();
  return standard_->get_accHelpTopic(file, child, topic);
}
HRESULT OwnAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  TOLVOS_CONNECTED();
  return standard_->get_accKeyboardShortcut(child, shortcut);
}
HRESULT OwnAccessible::get_accFocus(VARIANT* child) {
  TOLVOS_CONNECTED();
  return standard_->get_accFocus(child);
}
HRESULT OwnAccessible::get_accSelection(VARIANT* children) {
  TOLVOS_CONNECTED();
  return standard_->get_accSelection(children);
}

HRESULT OwnAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  TOLVOS_CONNECTED();
  if (Own(child))
    if (const std::optional<std::wstring> own = DefaultAction()) return Answer(*own, action);
  return standard_->get_accDefaultAction(child, action);
}

HRESULT OwnAccessible::accSelect(LONG flags, VARIANT child) {
  TOLVOS_CONNECTED();
  return standard_->accSelect(flags, child);
}
HRESULT OwnAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                   VARIANT child) {
  TOLVOS_CONNECTED();
  return standard_->accLocation(left, top, width, height, child);
}
HRESULT OwnAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
  TOLVOS_CONNECTED();
  if (Whole() && (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD)) {
    if (end) VariantInit(end);
    return S_FALSE;
  }
  return standard_->accNavigate(direction, start, end);
}
HRESULT OwnAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
  TOLVOS_CONNECTED();
  const HRESULT result = standard_->accHitTest(x, y, child);
  // A point on one of a whole object's windows is a point on the object.
  if (Whole() && result == S_OK && child->vt == VT_DISPATCH) {
    VariantClear(child);
    return Answer(CHILDID_SELF, child);
  }
  return result;
}

HRESULT OwnAccessible::accDoDefaultAction(VARIANT child) {
  TOLVOS_CONNECTED();
  if (Own(child))
    if (const HRESULT own = DoDefaultAction(); own != S_FALSE) return own;
  return standard_->accDoDefaultAction(child);
}

HRESULT OwnAccessible::put_accName(VARIANT child, BSTR name) {
  TOLVOS_CONNECTED();
  return standard_->put_accName(child, name);
}
HRESULT OwnAccessible::put_accValue(VARIANT child, BSTR value) {
  TOLVOS_CONNECTED();
  return standard_->put_accValue(child, value);
}

#undef TOLVOS_CONNECTED

LRESULT AccessibleHold::Answer(HWND hwnd, WPARAM wparam, LPARAM lparam,
                               const std::function<OwnAccessible*(IAccessible*)>& make) {
  // The object id comes as a DWORD, which a 64-bit LPARAM may or may not sign-extend.
  if (static_cast<DWORD>(lparam) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
  if (!object_) {
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))))
      return 0;
    object_.reset(make(standard));
  }
  return LresultFromObject(__uuidof(IAccessible), wparam, static_cast<IAccessible*>(object_.get()));
}

void AccessibleHold::Disconnecting::operator()(OwnAccessible* object) const {
  object->Disconnect();
  object->Release();
}
