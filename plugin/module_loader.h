// The platform's module loading, as MQInit needs it: load a module by path, look up
// an exported function by name, drop the reference. LoadLibraryA, GetProcAddress and
// FreeLibrary on Windows; dlopen, dlsym and dlclose elsewhere.
#pragma once

typedef void* ModuleHandle;
typedef void (*ModuleProc)();

ModuleHandle LoadModule(const char* path);
ModuleProc FindModuleProc(ModuleHandle module, const char* name);
void ReleaseModule(ModuleHandle module);
