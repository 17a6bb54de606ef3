// Gridwell.dll loaded once into a test process that stands in for the host: its main
// window made, the DLL loaded and initialised against the stand-in host's functions.
// Tests that drive the real panel through MQOnEvent share this one load.
#pragma once

#include <windows.h>

#include "host/host_window_win32.h"
#include "host/stand_in_host.h"

typedef int (*MQInitProc)(const char*);
typedef int (*MQOnEventProc)(MQDocument, int, void*);

// The plug-in's MQOnEvent, or null when the DLL did not load or MQInit refused.
inline MQOnEventProc LoadPlugin() {
  static const MQOnEventProc onEvent = []() -> MQOnEventProc {
    standin::CreateHostMainWindow();
    HMODULE module = LoadLibraryA(GRIDWELL_PLUGIN_PATH);
    if (module == nullptr) return nullptr;
    auto init =
        reinterpret_cast<MQInitProc>(reinterpret_cast<void*>(GetProcAddress(module, "MQInit")));
    if (init == nullptr || init(GRIDWELL_HOSTAPI_PATH) != 1) return nullptr;
    return reinterpret_cast<MQOnEventProc>(
        reinterpret_cast<void*>(GetProcAddress(module, "MQOnEvent")));
  }();
  return onEvent;
}
