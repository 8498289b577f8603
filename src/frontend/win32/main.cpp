// The Windows program: the Win32 window, the screen readers' speech, the waveOut sound and the
// game logic, put together.
#include "frontend/win32/windows_api.h"

#include <objbase.h>

#include "form/form1.h"
#include "frontend/win32/main_window.h"
#include "frontend/win32/win_dialogs.h"
#include "platform/std_random.h"
#include "platform/windows/wave_out_sound.h"
#include "platform/windows/win_host.h"
#include "platform/windows/windows_speech.h"

namespace {

int RunGame(HINSTANCE instance, int show_command) {
  MainWindow window(instance);
  WinDialogs dialogs(window.hwnd());
  WinHost host;
  WindowsSpeech speech;
  WaveOutSound sound;
  StdRandom random;
  Form1 form({window, window, dialogs, host, speech, sound, random});
  dialogs.Follow(form.language);
  window.SetEvents(&form);
  window.Follow(form.language);
  // Closing the window, however it is done, ends the program: nothing is asked or saved.
  window.destroyed = [] { PostQuitMessage(0); };

  form.Form_Load();
  window.Show(show_command);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  // The accessible objects that the window hands screen readers are COM objects of this
  // thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int result = RunGame(instance, show_command);
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}
