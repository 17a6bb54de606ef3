#include "plugin/host_functions.h"

#include "plugin/module_loader.h"

namespace {

// One entry per name, null until bound. Process-wide, never cleared.
ModuleProc g_table[kHostFunctionCount] = {};
bool g_bound = false;
// The same addresses, typed, filled when a binding succeeds.
HostCalls g_calls;
DocumentPort g_port;

// The entry of a name, cast to its type. The index is a compile-time constant, so a
// misspelt name fails to build.
template <int Index, typename Pointer>
void Take(Pointer& entry) {
  static_assert(Index >= 0, "not a host function name");
  entry = reinterpret_cast<Pointer>(g_table[Index]);
}

void TypeTheTable() {
#define GRIDWELL_TAKE(result, name, parameters) Take<HostFunctionIndex(#name)>(g_calls.name);
#define GRIDWELL_NONE(...)
  GRIDWELL_HOST_FUNCTIONS(GRIDWELL_TAKE, GRIDWELL_NONE, GRIDWELL_NONE)
#undef GRIDWELL_TAKE
#define GRIDWELL_TAKE(result, name, parameters) Take<HostFunctionIndex(#name)>(g_port.name);
  GRIDWELL_DOCUMENT_PORT(GRIDWELL_TAKE)
#undef GRIDWELL_TAKE
#undef GRIDWELL_NONE
}

}  // namespace

bool BindHostFunctions(const char* path) {
  g_bound = false;
  if (path == nullptr) return false;
  ModuleHandle module = LoadModule(path);
  if (module == nullptr) return false;
  for (int i = 0; i < kHostFunctionCount; ++i) {
    ModuleProc address = FindModuleProc(module, kHostFunctionNames[i]);
    if (address == nullptr) {
      ReleaseModule(module);
      return false;
    }
    g_table[i] = address;
  }
  // Drops only the reference taken above: the module is the running host, so the
  // addresses stay valid for the life of the plug-in.
  ReleaseModule(module);
  TypeTheTable();
  g_bound = true;
  return true;
}

bool HostFunctionsBound() { return g_bound; }

const HostCalls& BoundHostCalls() { return g_calls; }

const DocumentPort& BoundDocumentPort() { return g_port; }
