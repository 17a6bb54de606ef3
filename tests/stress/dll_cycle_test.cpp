// Gridwell.dll's whole life, 200 times in one process, as a host that loads and
// unloads plug-ins would live it: load, MQInit, start, show, operate through the real
// panel, host events, stop, unload. Handles, windows, GDI objects and committed memory
// are counted after the first lives and at the end; growth beyond a small tolerance
// fails.
//
// The host holds the common controls for its whole life, as a modeller's
// user-interface thread does: its own windows use them, so the library is loaded
// before any plug-in and stays loaded after every unload. A host that did not would
// see the plug-in's load bring the library in and its unload free it again, and some
// systems (Wine 10) lose what the library made each time: 9 GDI objects and 768 KB a
// cycle, for any module that calls InitCommonControlsEx, and no fault of the plug-in.
// The host loads the very library the plug-in's manifest names (version 6), through
// an activation context made from that manifest, so that the plug-in's load finds it
// there and brings in no second one; the test fails if the plug-in's imports lead
// anywhere else.
//
// Each count is taken in a way that Wine really answers (process_usage.h): its
// GetProcessHandleCount and GetGuiResources answer 0, so the handles come from the
// system's handle list and the GDI objects from the process's GDI table. A count that
// comes out 0 at the start cannot catch a leak, and fails the test.
//
// Memory is the committed private memory of the process's address space, not the
// operating system's "private bytes": under Wine those are the whole Linux process's
// anonymous memory, and under an emulator they include its cache of translated code,
// which grows with every load of new code. Loading and unloading any module costs the
// process something per cycle (the static C and C++ runtimes inside, COM, the
// common-control set-up), so the same cycles of a minimal module linked and set up the
// same way (reference_module.cpp) are measured first, in the same run, and the
// plug-in's growth may exceed that reference's by the tolerance only.
//
// Prints the figures, then PASS or FAIL with what grew.
#include <windows.h>
// After windows.h, which they build on.
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "host/host_window_win32.h"
#include "host/import_patch_win32.h"
#include "host/plugin_module.h"
#include "host/stand_in_host.h"
#include "host/win32_panel_driver.h"
#include "panel/control_ids.h"
#include "panel/panel_driver.h"
#include "tests/stress/process_usage.h"

namespace {

constexpr int kCycles = 200;
constexpr int kWarmUpCycles = 10;  // the system's own caches fill during these
// Tolerances: a few objects the system may create lazily, and one megabyte of memory
// (a leak of 8 KB per cycle, or a handle, window or GDI object every 24 cycles,
// exceeds them).
constexpr std::size_t kHandleTolerance = 8;
constexpr std::size_t kWindowTolerance = 2;
constexpr std::size_t kGdiObjectTolerance = 8;
constexpr std::size_t kMemoryTolerance = 1 << 20;

void Print(const char* when, const ProcessUsage& u) {
  std::printf(
      "%-6s handles %zu, windows %zu, GDI objects %zu, committed private %zu"
      " (private bytes %zu, working set %zu)\n",
      when, u.handles, u.windows, u.gdiObjects, u.committedPrivate, u.privateBytes, u.workingSet);
}

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH] = {};
  if (module == nullptr || GetModuleFileNameA(module, path, MAX_PATH) == 0) return "none";
  return path;
}

// Loads the common-control library that the manifest of the module file at path names
// (a DLL's manifest is resource 2), initialises the classes a modeller's windows use,
// and keeps it for the rest of the process. Null when it cannot.
HMODULE HoldCommonControlsNamedBy(const char* path) {
  char fullPath[MAX_PATH] = {};
  if (GetFullPathNameA(path, MAX_PATH, fullPath, nullptr) == 0) return nullptr;
  ACTCTXA manifest = {};
  manifest.cbSize = sizeof manifest;
  manifest.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  manifest.lpSource = fullPath;
  manifest.lpResourceName = MAKEINTRESOURCEA(2);
  HANDLE context = CreateActCtxA(&manifest);
  if (context == INVALID_HANDLE_VALUE) return nullptr;
  HMODULE controls = nullptr;
  ULONG_PTR cookie = 0;
  if (ActivateActCtx(context, &cookie)) {
    controls = LoadLibraryA("comctl32.dll");
    DeactivateActCtx(0, cookie);
  }
  ReleaseActCtx(context);
  if (controls == nullptr) return nullptr;
  using InitControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  auto init = reinterpret_cast<InitControls>(
      reinterpret_cast<void*>(GetProcAddress(controls, "InitCommonControlsEx")));
  if (init == nullptr) return nullptr;
  INITCOMMONCONTROLSEX classes = {};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_WIN95_CLASSES | ICC_COOL_CLASSES;
  init(&classes);
  return controls;
}

// Empty when the loaded module's common controls are the held library; else why not.
std::string CommonControlsMismatch(const char* name, HMODULE held) {
  const HMODULE used = ImportedFrom(GetModuleHandleA(name), "comctl32.dll", "InitCommonControlsEx");
  if (used == held) return std::string();
  return std::string(name) + " takes its common controls from " + ModulePath(used) +
         ", not from the library the host holds (" + ModulePath(held) +
         "): it would bring in and free a library of its own every cycle";
}

// One life of the plug-in; false with a reason when a step fails. The first also
// checks where the plug-in's common controls come from.
bool RunCycle(standin::Document& doc, HMODULE heldControls, bool first, std::string* why) {
  standin::PluginModule plugin;
  if (!plugin.Load(GRIDWELL_PLUGIN_PATH, why)) return false;
  if (first && !(*why = CommonControlsMismatch(GRIDWELL_PLUGIN_PATH, heldControls)).empty()) {
    return false;
  }
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

constexpr char kReferenceModule[] = "stress-reference-module.dll";

// What the given cycles of loading and unloading the reference module add to the
// process (zero where a count fell); false with a reason when it cannot be loaded or
// brings in common controls of its own.
bool MeasureReferenceModule(int cycles, HMODULE heldControls, ProcessUsage* grown,
                            std::string* why) {
  ProcessUsage start;
  for (int i = 0; i < cycles; ++i) {
    HMODULE module = LoadLibraryA(kReferenceModule);
    if (module == nullptr) return *why = std::string("cannot load ") + kReferenceModule, false;
    if (i == 0) *why = CommonControlsMismatch(kReferenceModule, heldControls);
    FreeLibrary(module);
    if (!why->empty()) return false;
    if (i + 1 == kWarmUpCycles) start = MeasureProcessUsage();
  }
  const ProcessUsage end = MeasureProcessUsage();
  auto growth = [](std::size_t before, std::size_t after) {
    return after > before ? after - before : 0;
  };
  grown->handles = growth(start.handles, end.handles);
  grown->windows = growth(start.windows, end.windows);
  grown->gdiObjects = growth(start.gdiObjects, end.gdiObjects);
  grown->committedPrivate = growth(start.committedPrivate, end.committedPrivate);
  return true;
}

}  // namespace

int main() {
  // A modeller's user-interface thread holds COM and the common controls for its whole
  // life, so the plug-in's own set-up at load and unload only counts references, as
  // it would there.
  const bool com = SUCCEEDED(CoInitialize(nullptr));
  const HMODULE heldControls = HoldCommonControlsNamedBy(GRIDWELL_PLUGIN_PATH);
  if (heldControls == nullptr) {
    std::printf("FAIL: the common controls that %s's manifest names cannot be loaded\n",
                GRIDWELL_PLUGIN_PATH);
    return 1;
  }
  std::printf("the host holds the common controls: %s\n", ModulePath(heldControls).c_str());
  standin::CreateHostMainWindow();
  standin::Document& doc = standin::Host::Instance().Reset();
  const int grid = doc.AddObject("grid", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 2, 2}},
                                 {{0, 1, 2, 3}, {3, 4}});
  doc.SelectFace(grid, 0);
  doc.SelectLine(grid, 1, 0);
  doc.currentObject = grid;

  ProcessUsage reference;
  std::string why;
  if (!MeasureReferenceModule(kCycles, heldControls, &reference, &why)) {
    std::printf("FAIL: reference module: %s\n", why.c_str());
    return 1;
  }
  std::printf(
      "reference module: %d cycles grew handles by %zu, windows by %zu, GDI objects by "
      "%zu, committed private memory by %zu\n",
      kCycles, reference.handles, reference.windows, reference.gdiObjects,
      reference.committedPrivate);

  ProcessUsage start;
  for (int i = 0; i < kCycles; ++i) {
    if (!RunCycle(doc, heldControls, i == 0, &why)) {
      std::printf("FAIL: cycle %d: %s\n", i + 1, why.c_str());
      return 1;
    }
    if (i + 1 == kWarmUpCycles) start = MeasureProcessUsage();
    // The path along the way shows whether growth levels off or keeps on.
    if ((i + 1) % 50 == 0) {
      char when[16];
      std::snprintf(when, sizeof when, "%d", i + 1);
      Print(when, MeasureProcessUsage());
    }
  }
  const ProcessUsage end = MeasureProcessUsage();
  std::printf("%d load-to-unload cycles of %s\n", kCycles, GRIDWELL_PLUGIN_PATH);
  Print("start", start);
  Print("end", end);

  bool failed = false;
  auto check = [&](const char* what, std::size_t before, std::size_t after, std::size_t tolerance) {
    if (before == 0) {
      std::printf("FAIL: %s cannot be counted here (0 at the start)\n", what);
      failed = true;
    } else if (after > before + tolerance) {
      std::printf("FAIL: %s grew from %zu to %zu (tolerance %zu)\n", what, before, after,
                  tolerance);
      failed = true;
    }
  };
  check("handles", start.handles, end.handles, reference.handles + kHandleTolerance);
  check("windows", start.windows, end.windows, reference.windows + kWindowTolerance);
  check("GDI objects", start.gdiObjects, end.gdiObjects,
        reference.gdiObjects + kGdiObjectTolerance);
  check("committed private memory", start.committedPrivate, end.committedPrivate,
        reference.committedPrivate + kMemoryTolerance);
  if (doc.VertexAt(grid, 0).x == 0 && doc.VertexAt(grid, 0).y == 0) {
    std::printf("FAIL: the operations moved nothing\n");
    failed = true;
  }
  std::printf(failed ? "FAIL\n" : "PASS\n");
  if (com) CoUninitialize();
  return failed ? 1 : 0;
}
