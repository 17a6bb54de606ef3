#include "host/plugin_module.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#endif

namespace standin {
namespace {

void* OpenModule(const std::string& path, std::string* error) {
#ifdef _WIN32
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) *error = "error " + std::to_string(GetLastError());
  return reinterpret_cast<void*>(module);
#else
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* message = dlerror();
    *error = message != nullptr ? message : "unknown error";
  }
  return module;
#endif
}

void* Symbol(void* module, const char* name) {
#ifdef _WIN32
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
#else
  return dlsym(module, name);
#endif
}

void CloseModule(void* module) {
#ifdef _WIN32
  FreeLibrary(static_cast<HMODULE>(module));
#else
  dlclose(module);
#endif
}

}  // namespace

PluginModule::~PluginModule() { Unload(); }

bool PluginModule::Load(const std::string& path, std::string* error) {
  Unload();
  std::string why;
  void* module = OpenModule(path, &why);
  if (module == nullptr) {
    *error = "cannot load plug-in " + path + ": " + why;
    return false;
  }
  PluginExports e;
  const char* missing = nullptr;
  auto resolve = [&](auto& slot, const char* name) {
    slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(Symbol(module, name));
    if (slot == nullptr && missing == nullptr) missing = name;
  };
  resolve(e.MQCheckVersion, "MQCheckVersion");
  resolve(e.MQInit, "MQInit");
  resolve(e.MQGetPlugInID, "MQGetPlugInID");
  resolve(e.MQGetPlugInName, "MQGetPlugInName");
  resolve(e.MQGetPlugInType, "MQGetPlugInType");
  resolve(e.MQEnumString, "MQEnumString");
  resolve(e.MQEnumFileType, "MQEnumFileType");
  resolve(e.MQEnumFileExt, "MQEnumFileExt");
  resolve(e.MQImportFile, "MQImportFile");
  resolve(e.MQExportFile, "MQExportFile");
  resolve(e.MQCreate, "MQCreate");
  resolve(e.MQModifyObject, "MQModifyObject");
  resolve(e.MQModifySelect, "MQModifySelect");
  resolve(e.MQOnEvent, "MQOnEvent");
  if (missing != nullptr) {
    CloseModule(module);
    *error = "plug-in " + path + " does not export " + missing;
    return false;
  }
  module_ = module;
  path_ = path;
  exports_ = e;
  return true;
}

void PluginModule::Unload() {
  if (module_ != nullptr) CloseModule(module_);
  module_ = nullptr;
  path_.clear();
  exports_ = {};
}

void* PluginModule::FindSymbol(const char* name) const {
  return module_ == nullptr ? nullptr : Symbol(module_, name);
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ExecutablePath() {
#ifdef _WIN32
  char buffer[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
#else
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
  return n > 0 && n < static_cast<ssize_t>(sizeof buffer) ? std::string(buffer, n) : std::string();
#endif
}

}  // namespace standin
