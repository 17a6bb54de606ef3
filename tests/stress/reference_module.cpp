// A minimal C++ library built and linked as Gridwell.dll is (the static C and C++
// runtimes inside), for dll_cycle_test: what loading and unloading any such module
// costs the process is the measure the plug-in's own cycles are held to.
#include <windows.h>

#include <map>

namespace {
std::map<int, int>* s_table = nullptr;
}  // namespace

extern "C" __declspec(dllexport) int ReferenceModuleLoaded() { return s_table != nullptr; }

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    s_table = new std::map<int, int>();
    (*s_table)[1] = 1;
  } else if (reason == DLL_PROCESS_DETACH) {
    delete s_table;
    s_table = nullptr;
  }
  return TRUE;
}
