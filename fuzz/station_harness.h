// What every fuzz target that drives the plug-in shares: the plug-in bound to the
// stand-in host once per process, the station started, and the host's rules checked
// after each input.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "host/stand_in_host.h"
#include "panel/headless/headless_panel.h"
#include "plugin/entry_points.h"
#include "plugin/event_dispatch.h"
#include "plugin/gridshift_plugin.h"
#include "plugin/host_functions.h"

namespace fuzzing {

// A broken invariant is a finding: say which and abort, so libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

inline void Check(bool holds, const char* what) {
  if (!holds) Fail(what);
}

// Binds the plug-in to the stand-in host; answers false if that fails.
inline bool BindPlugin() { return MQInit(GRIDWELL_HOSTAPI_PATH) == 1; }

// Starts the station on the host's document if it is not running.
inline HeadlessPanel* EnsureStation() {
  standin::Document& doc = standin::Host::Instance().document();
  if (MQOnEvent(doc.Handle(), event::kStart, nullptr) != 1) Fail("station did not start");
  HeadlessPanel* panel = HeadlessPanel::Current();
  if (panel == nullptr) Fail("no panel after start");
  return panel;
}

// Rules the host enforces after every input: only the host functions the plug-in may
// call were called, and the document was edited only inside station callbacks.
inline void CheckHostRules() {
  const standin::Host& host = standin::Host::Instance();
  for (int i = 0; i < kHostFunctionCount; ++i) {
    if (host.calls[i] != 0 && !IsCalledHostFunction(i)) {
      std::fprintf(stderr, "called %s\n", kHostFunctionNames[i]);
      Fail("a host function the plug-in may not call was called");
    }
  }
  Check(host.editsOutsideCallback == 0, "document edited outside a station callback");
}

}  // namespace fuzzing
