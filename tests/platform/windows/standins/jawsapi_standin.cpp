// A stand-in for JAWS's COM object FreedomSci.JawsApi, an in-process server (jawsapi.dll) that
// the tests register themselves under kStandinClsid: its IDispatch knows one method,
// RunFunction, and writes down the text each call gets, in UTF-8, after "jaws-run ". A call
// by another name, another kind of call or other arguments is written down as "jaws-wrong".
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "standin_record.h"

namespace {

// {2CA93ABD-4F20-4566-A362-A04D7984B1CE}
constexpr CLSID kStandinClsid = {
    0x2ca93abd, 0x4f20, 0x4566, {0xa3, 0x62, 0xa0, 0x4d, 0x79, 0x84, 0xb1, 0xce}};
constexpr DISPID kRunFunction = 7;

std::string ToUtf8(const wchar_t* text, UINT length) {
  if (length == 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                       nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8.data(), size, nullptr,
                      nullptr);
  return utf8;
}

// One object serves as the class factory and as the JAWS object: the tests need no more.
class JawsApi : public IDispatch, public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *object = static_cast<IDispatch*>(this);
    } else if (iid == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  // Never freed: the DLL stays loaded for the run.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (count == 1 && CompareStringOrdinal(names[0], -1, L"RunFunction", -1, TRUE) == CSTR_EQUAL) {
      ids[0] = kRunFunction;
      return S_OK;
    }
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    RecordLine("jaws-wrong ", "name");
    return DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* arguments,
                      VARIANT* answer, EXCEPINFO*, UINT*) override {
    if (id != kRunFunction || !(flags & DISPATCH_METHOD) || arguments->cArgs != 1 ||
        arguments->cNamedArgs != 0 || arguments->rgvarg[0].vt != VT_BSTR) {
      RecordLine("jaws-wrong ", "call");
      return DISP_E_BADPARAMCOUNT;
    }
    const BSTR script = arguments->rgvarg[0].bstrVal;
    RecordLine("jaws-run ", ToUtf8(script, SysStringLen(script)));
    if (answer) {
      answer->vt = VT_BOOL;
      answer->boolVal = VARIANT_TRUE;
    }
    return S_OK;
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    return QueryInterface(iid, object);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

JawsApi the_object;

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid,
                                                          void** object) {
  if (clsid != kStandinClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return the_object.QueryInterface(iid, object);
}

__declspec(dllexport) HRESULT __stdcall DllCanUnloadNow() { return S_FALSE; }

}  // extern "C"
