// Gridwell.dll's whole life, 200 times in one process, as a host that loads and
// unloads plug-ins would live it: load, MQInit, start, show, operate through the real
// panel, host events, stop, unload. Handles, window-system objects and memory are
// read after the first lives and at the end; growth beyond a small tolerance fails.
//
// Loading and unloading any module with the static C and C++ runtimes inside costs
// some memory per cycle under Wine (a few kilobytes, whatever the module does), so
// the same cycles of a minimal module linked the same way are measured first, and
// the plug-in's memory growth may exceed that reference's by the tolerance only.
//
// Prints the figures, then PASS or FAIL with what grew.
#include <windows.h>
// After windows.h, which they build on.
#include <objbase.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "host/host_window_win32.h"
#include "host/plugin_module.h"
#include "host/stand_in_host.h"
#include "host/win32_panel_driver.h"
#include "panel/control_ids.h"
#include "panel/panel_driver.h"

namespace {

constexpr int kCycles = 200;
constexpr int kWarmUpCycles = 10;  // the system's own caches fill during these
// Tolerances: a few objects the system may create lazily, and one megabyte of heap
// (a leak of even a kilobyte per cycle would exceed it).
constexpr DWORD kHandleTolerance = 8;
constexpr DWORD kGuiObjectTolerance = 8;
constexpr SIZE_T kMemoryTolerance = 1 << 20;

struct Usage {
  DWORD handles = 0;
  DWORD gdiObjects = 0;
  DWORD userObjects = 0;
  SIZE_T privateBytes = 0;
  SIZE_T workingSet = 0;
};

Usage Measure() {
  Usage usage;
  HANDLE process = GetCurrentProcess();
  GetProcessHandleCount(process, &usage.handles);
  usage.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  usage.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    usage.privateBytes = counters.PagefileUsage;
    usage.workingSet = counters.WorkingSetSize;
  }
  return usage;
}

void Print(const char* when, const Usage& u) {
  std::printf("%-6s handles %lu, GDI objects %lu, USER objects %lu, private bytes %lu, "
              "working set %lu\n",
              when, static_cast<unsigned long>(u.handles), static_cast<unsigned long>(u.gdiObjects),
              static_cast<unsigned long>(u.userObjects),
              static_cast<unsigned long>(u.privateBytes), static_cast<unsigned long>(u.workingSet));
}

// One life of the plug-in; false with a reason when a step fails.
bool RunCycle(standin::Document& doc, std::string* why) {
  standin::PluginModule plugin;
  if (!plugin.Load(GRIDWELL_PLUGIN_PATH, why)) return false;
  const standin::PluginExports& dll = plugin.exports();
  if (dll.MQInit(standin::HostModulePath()) != 1) return *why = "MQInit answered 0", false;
  if (dll.MQOnEvent(doc.Handle(), 1, nullptr) != 1) return *why = "start answered 0", false;
  int shown = 1;
  dll.MQOnEvent(doc.Handle(), 100, &shown);
  standin::PumpHostMessages();

  PanelDriver* panel = CreateWin32PanelDriver();
  if (panel == nullptr || !panel->Exists()) return *why = "no panel window", false;
  panel->SetText(ctl::kMoveX, "0.5");
  panel->SetText(ctl::kRotateZ, "90");
  panel->Click(ctl::kMove);
  panel->Click(ctl::kLocal);
  panel->Click(ctl::kRotate);
  panel->Click(ctl::kCopy);
  panel->Click(ctl::kAlignStoredY);
  panel->Click(ctl::kSetLocalFrame);
  panel->Click(ctl::kGlobal);
  dll.MQOnEvent(doc.Handle(), 210, nullptr);
  dll.MQOnEvent(doc.Handle(), 220, nullptr);
  standin::PumpHostMessages();
  delete panel;

  dll.MQOnEvent(doc.Handle(), 2, nullptr);
  standin::PumpHostMessages();
  plugin.Unload();
  return true;
}

// Memory growth of the given cycles of loading and unloading the reference module.
SIZE_T ReferenceModuleGrowth(int cycles) {
  SIZE_T start = 0;
  for (int i = 0; i < cycles; ++i) {
    HMODULE module = LoadLibraryA("stress-reference-module.dll");
    if (module != nullptr) FreeLibrary(module);
    if (i + 1 == kWarmUpCycles) start = Measure().privateBytes;
  }
  const SIZE_T end = Measure().privateBytes;
  return end > start ? end - start : 0;
}

}  // namespace

int main() {
  // A modeller's user-interface thread holds COM for its whole life, so the plug-in's
  // own CoInitialize and CoUninitialize only count references, as they would there.
  const bool com = SUCCEEDED(CoInitialize(nullptr));
  standin::CreateHostMainWindow();
  standin::Document& doc = standin::Host::Instance().Reset();
  const int grid = doc.AddObject("grid", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 2, 2}},
                                 {{0, 1, 2, 3}, {3, 4}});
  doc.SelectFace(grid, 0);
  doc.SelectLine(grid, 1, 0);
  doc.currentObject = grid;

  const SIZE_T referenceGrowth = ReferenceModuleGrowth(kCycles);
  std::printf("reference module: %d cycles grew private bytes by %lu\n", kCycles,
              static_cast<unsigned long>(referenceGrowth));

  Usage start;
  for (int i = 0; i < kCycles; ++i) {
    std::string why;
    if (!RunCycle(doc, &why)) {
      std::printf("FAIL: cycle %d: %s\n", i + 1, why.c_str());
      return 1;
    }
    if (i + 1 == kWarmUpCycles) start = Measure();
    // The path along the way shows whether growth levels off or keeps on.
    if ((i + 1) % 50 == 0) {
      char when[16];
      std::snprintf(when, sizeof when, "%d", i + 1);
      Print(when, Measure());
    }
  }
  const Usage end = Measure();
  std::printf("%d load-to-unload cycles of %s\n", kCycles, GRIDWELL_PLUGIN_PATH);
  Print("start", start);
  Print("end", end);

  bool grew = false;
  auto check = [&](const char* what, SIZE_T before, SIZE_T after, SIZE_T tolerance) {
    if (after > before + tolerance) {
      std::printf("FAIL: %s grew from %lu to %lu (tolerance %lu)\n", what,
                  static_cast<unsigned long>(before), static_cast<unsigned long>(after),
                  static_cast<unsigned long>(tolerance));
      grew = true;
    }
  };
  check("handles", start.handles, end.handles, kHandleTolerance);
  check("GDI objects", start.gdiObjects, end.gdiObjects, kGuiObjectTolerance);
  check("USER objects", start.userObjects, end.userObjects, kGuiObjectTolerance);
  check("private bytes", start.privateBytes, end.privateBytes, referenceGrowth + kMemoryTolerance);
  if (doc.VertexAt(grid, 0).x == 0 && doc.VertexAt(grid, 0).y == 0) {
    std::printf("FAIL: the operations moved nothing\n");
    grew = true;
  }
  std::printf(grew ? "FAIL\n" : "PASS\n");
  if (com) CoUninitialize();
  return grew ? 1 : 0;
}
