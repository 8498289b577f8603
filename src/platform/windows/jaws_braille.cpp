// JAWS's braille: the script call and the IDispatch of FreedomSci.JawsApi.
#include "platform/windows/jaws_braille.h"

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "platform/windows/windows_text.h"

std::wstring BrailleStringCall(const std::string& text) {
  std::wstring safe = Widen(text);
  for (wchar_t& c : safe) {
    if (c == L'"') c = L'\'';
    else if (c == L'\\') c = L'/';
    else if (c < L' ' || c == 0x7F) c = L' ';
  }
  return L"BrailleString(\"" + safe + L"\")";
}

namespace {

// COM gives an apartment-threaded server one of its own and carries each call there and back;
// a server without a threading model it puts in the program's first single-threaded apartment,
// the window's thread, where a JAWS that hangs would hold the window. That one is not used.
bool KeepsOffTheWindow(const CLSID& server) {
  wchar_t clsid[40];
  if (!StringFromGUID2(server, clsid, 40)) return false;
  const std::wstring key = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
  wchar_t model[16];
  DWORD size = sizeof(model);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), L"ThreadingModel", RRF_RT_REG_SZ, nullptr,
                   model, &size) != ERROR_SUCCESS)
    return false;
  for (const wchar_t* keeps : {L"Apartment", L"Both", L"Free", L"Neutral"})
    if (CompareStringOrdinal(model, -1, keeps, -1, TRUE) == CSTR_EQUAL) return true;
  return false;
}

}  // namespace

// In process only: a server of another program would be started for us, and starting JAWS is
// the player's choice.
JawsBraille::JawsBraille() {
  CLSID jaws_api;
  if (FAILED(CLSIDFromProgID(L"FreedomSci.JawsApi", &jaws_api)) || !KeepsOffTheWindow(jaws_api))
    return;
  void* api = nullptr;
  if (FAILED(CoCreateInstance(jaws_api, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &api)) ||
      !api)
    return;
  api_ = static_cast<IDispatch*>(api);
  LPOLESTR name = const_cast<LPOLESTR>(L"RunFunction");
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(api_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) {
    api_->Release();
    api_ = nullptr;
    return;
  }
  run_function_ = id;
}

JawsBraille::~JawsBraille() {
  if (api_) api_->Release();
}

void JawsBraille::Show(const std::string& text) {
  if (!api_) return;
  VARIANT call;
  VariantInit(&call);
  call.vt = VT_BSTR;
  const std::wstring script = BrailleStringCall(text);
  call.bstrVal = SysAllocStringLen(script.data(), static_cast<UINT>(script.size()));
  if (!call.bstrVal) return;
  DISPPARAMS arguments = {&call, nullptr, 1, 0};
  VARIANT answer;
  VariantInit(&answer);
  api_->Invoke(run_function_, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &arguments,
               &answer, nullptr, nullptr);
  VariantClear(&answer);
  VariantClear(&call);
}
