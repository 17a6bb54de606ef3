// A minimal C++ library built, linked and set up as Gridwell.dll is, for
// dll_cycle_test: the static C and C++ runtimes inside, the same common-controls
// manifest (reference_module.rc), and at load the same system set-up as the plug-in's
// entry routine (plugin/win32/dll_main.cpp): COM for the loading thread and the
// common-control classes, with COM given back at unload. What loading and unloading
// such a module costs the process is the system's own cost, which the plug-in's
// cycles are not held to.
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <objbase.h>

#include <map>

namespace {
std::map<int, int>* s_table = nullptr;
bool s_comInitialised = false;
}  // namespace

extern "C" __declspec(dllexport) int ReferenceModuleLoaded() { return s_table != nullptr; }

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    s_comInitialised = SUCCEEDED(CoInitialize(nullptr));
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES;
    InitCommonControlsEx(&controls);
    s_table = new std::map<int, int>();
    (*s_table)[1] = 1;
  } else if (reason == DLL_PROCESS_DETACH) {
    delete s_table;
    s_table = nullptr;
    if (s_comInitialised) CoUninitialize();
    s_comInitialised = false;
  }
  return TRUE;
}
