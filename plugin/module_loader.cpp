#include "plugin/module_loader.h"

#ifdef _WIN32
#include <windows.h>

ModuleHandle LoadModule(const char* path) { return LoadLibraryA(path); }

ModuleProc FindModuleProc(ModuleHandle module, const char* name) {
  return reinterpret_cast<ModuleProc>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void ReleaseModule(ModuleHandle module) { FreeLibrary(static_cast<HMODULE>(module)); }

#else
#include <dlfcn.h>

ModuleHandle LoadModule(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }

ModuleProc FindModuleProc(ModuleHandle module, const char* name) {
  return reinterpret_cast<ModuleProc>(dlsym(module, name));
}

void ReleaseModule(ModuleHandle module) { dlclose(module); }

#endif
