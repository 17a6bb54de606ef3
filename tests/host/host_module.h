// Looks up the stand-in host's exports by name in its module, as the plug-in's
// MQInit does, so that tests call the host exactly as the plug-in will.
#pragma once

#include <string>

#include "host/host_exports.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace hosttest {

inline void* OpenModule(const char* path) {
#ifdef _WIN32
  return reinterpret_cast<void*>(LoadLibraryA(path));
#else
  return dlopen(path, RTLD_NOW | RTLD_LOCAL);
#endif
}

inline void* FindExport(void* module, const char* name) {
#ifdef _WIN32
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
#else
  return dlsym(module, name);
#endif
}

// The export of a host function in the linked host module, cast to its signature.
template <typename Signature>
Signature Export(const char* name) {
  static void* module = OpenModule(GRIDWELL_HOSTAPI_PATH);
  return reinterpret_cast<Signature>(module == nullptr ? nullptr : FindExport(module, name));
}

}  // namespace hosttest

// HOST_FN(MQObj_GetVertex)(obj, 0, p) calls the exported function through the
// signature the plug-in uses.
#define HOST_FN(name) (hosttest::Export<decltype(&::name)>(#name))
