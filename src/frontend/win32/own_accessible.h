// The accessible object a window of the program hands a screen reader through WM_GETOBJECT:
// the system's standard object for the window, with what the program knows better said by
// the program itself.
#pragma once

#include "frontend/win32/windows_api.h"

#include <oleacc.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

// Counted as COM counts references: a screen reader may hold the object long after its window
// is gone. The window disconnects it as it goes; from then on every call answers
// RPC_E_DISCONNECTED and nothing of the window or of its owner is touched again. Whatever a
// subclass leaves alone, the standard object answers: every question about a child, and the
// reader's other interfaces, the children's enumerator and the window (IEnumVARIANT, IOleWindow).
class OwnAccessible : public IAccessible {
 public:
  OwnAccessible(const OwnAccessible&) = delete;
  OwnAccessible& operator=(const OwnAccessible&) = delete;

  void Disconnect();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument_error) override;

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

 protected:
  // Takes over one reference to the window's standard object.
  explicit OwnAccessible(IAccessible* standard) : standard_(standard) {}
  virtual ~OwnAccessible();

  // What the object says of itself (CHILDID_SELF), asked only while it is connected. A name,
  // description or default action of none is left to the standard object.
  virtual LONG Role() const = 0;
  virtual LONG State(LONG standard) const { return standard; }
  virtual std::optional<std::wstring> Name() const { return std::nullopt; }
  virtual std::optional<std::wstring> Description() const { return std::nullopt; }
  virtual std::optional<std::wstring> DefaultAction() const { return std::nullopt; }
  // S_FALSE leaves the default action to the standard object.
  virtual HRESULT DoDefaultAction() { return S_FALSE; }
  // An object that says all there is to say of itself has no children for a reader, whatever
  // windows it holds.
  virtual bool Whole() const { return false; }

 private:
  // Whether a call names the object itself, which this object answers while connected.
  bool Own(const VARIANT& child) const;

  IAccessible* standard_;  // none once disconnected
  ULONG references_ = 1;
};

// A window's one accessible object, made on the first WM_GETOBJECT that asks for its client
// object and disconnected when the window goes (or the hold does).
class AccessibleHold {
 public:
  // The answer to WM_GETOBJECT (wparam, lparam): the object make() builds on the standard one
  // for OBJID_CLIENT; 0, the system's own answer, for any other object.
  LRESULT Answer(HWND hwnd, WPARAM wparam, LPARAM lparam,
                 const std::function<OwnAccessible*(IAccessible* standard)>& make);
  // On WM_NCDESTROY.
  void Disconnect() { object_.reset(); }

 private:
  struct Disconnecting {
    void operator()(OwnAccessible* object) const;
  };
  std::unique_ptr<OwnAccessible, Disconnecting> object_;
};
