// The library's load and unload.
//
// At load: COM for the loading thread, the common-control classes, the window
// layer's module object and one message loop for the loading thread, on which the
// panel later registers its hooks. At unload the same in reverse; the static
// objects (the loop, the plug-in object) are destroyed after this returns.
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <objbase.h>

#include "panel/win32/app_module.h"
#include "panel/win32/message_loop.h"

namespace {

CMessageLoop s_loaderLoop;

// COM is balanced only when this library's CoInitialize succeeded (S_OK or S_FALSE,
// both of which take a reference), and only on the thread that took it: a thread
// already in another apartment answers RPC_E_CHANGED_MODE, and uninitialising then
// would tear down the host's own COM.
bool s_comInitialised = false;
DWORD s_comThread = 0;

BOOL OnProcessAttach() {
  s_comInitialised = SUCCEEDED(CoInitialize(nullptr));
  s_comThread = GetCurrentThreadId();

  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof(controls);  // 8
  controls.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES;
  InitCommonControlsEx(&controls);

  if (!g_module.Init()) {
    if (s_comInitialised) CoUninitialize();
    s_comInitialised = false;
    return FALSE;
  }
  g_module.AddMessageLoop(&s_loaderLoop);
  return TRUE;
}

void OnProcessDetach() {
  g_module.RemoveMessageLoop();
  g_module.Term();
  if (s_comInitialised && GetCurrentThreadId() == s_comThread) CoUninitialize();
  s_comInitialised = false;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      return OnProcessAttach();
    case DLL_PROCESS_DETACH:
      OnProcessDetach();
      return TRUE;
    default:  // thread attach and detach: nothing to do
      return TRUE;
  }
}
