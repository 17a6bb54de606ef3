#include "host/plugin_module.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#endif

namespace standin {
namespace {

// The machine this host's own code runs on, which a plug-in must share; natively the
// host loads shared libraries, not PE images.
#if defined(_WIN64)
constexpr uint16_t kHostMachine = kMachineAmd64;
#elif defined(_WIN32)
constexpr uint16_t kHostMachine = kMachineI386;
#else
constexpr uint16_t kHostMachine = 0;
#endif

std::string MachineText(uint16_t machine) {
  if (machine == kMachineI386) return "a 32-bit DLL (i386), for the modeller's 32-bit edition";
  if (machine == kMachineAmd64) return "a 64-bit DLL (x86-64), for the modeller's 64-bit edition";
  char number[8];
  std::snprintf(number, sizeof number, "%04x", machine);
  return std::string("a DLL for another machine (PE machine 0x") + number + ")";
}

// Why a file that failed to load cannot be this host's plug-in, when its header says
// so: a DLL of the other edition, or of another machine. Empty otherwise.
std::string ForeignImageReason(const std::string& path) {
  const uint16_t machine = PeMachineOf(path);
  if (machine == 0 || machine == kHostMachine) return std::string();
  const char* host = kHostMachine == kMachineAmd64
                         ? "this host is the 64-bit edition and loads 64-bit (x86-64) DLLs only"
                     : kHostMachine == kMachineI386
                         ? "this host is the 32-bit edition and loads 32-bit (i386) DLLs only"
                         : "this host is the native build and loads shared libraries only";
  return "it is " + MachineText(machine) + "; " + host;
}

#ifdef _WIN32
// The system's text for an error code, on one line: "error 126: Module not found".
std::string ErrorText(DWORD code) {
  std::string text = "error " + std::to_string(code);
  char buffer[256] = {};
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, buffer, sizeof buffer, nullptr);
  std::string message(buffer, n);
  while (!message.empty() && std::strchr("\r\n .", message.back()) != nullptr) message.pop_back();
  for (char& c : message) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  // Texts with an insert ("Bad EXE format for %1") name the file in its place.
  const size_t insert = message.find("%1");
  if (insert != std::string::npos) message.replace(insert, 2, "the file");
  return message.empty() ? text : text + ": " + message;
}
#endif

void* OpenModule(const std::string& path, std::string* error) {
#ifdef _WIN32
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) *error = ErrorText(GetLastError());
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
    const std::string foreign = ForeignImageReason(path);
    *error = "cannot load plug-in " + path + ": " + (foreign.empty() ? why : foreign);
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

uint16_t PeMachineOf(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  // The DOS header ("MZ") holds the offset of the PE signature at 0x3C; the machine
  // is the first field after the signature.
  auto read = [file](long offset, void* into, size_t size) {
    return std::fseek(file, offset, SEEK_SET) == 0 && std::fread(into, 1, size, file) == size;
  };
  unsigned char dos[2], lfanew[4], signature[4], machine[2];
  uint16_t result = 0;
  if (read(0, dos, 2) && dos[0] == 'M' && dos[1] == 'Z' && read(0x3C, lfanew, 4)) {
    const uint32_t offset =
        lfanew[0] | lfanew[1] << 8 | lfanew[2] << 16 | uint32_t{lfanew[3]} << 24;
    if (offset < (1u << 24) && read(static_cast<long>(offset), signature, 4) &&
        std::memcmp(signature, "PE\0\0", 4) == 0 &&
        read(static_cast<long>(offset) + 4, machine, 2)) {
      result = static_cast<uint16_t>(machine[0] | machine[1] << 8);
    }
  }
  std::fclose(file);
  return result;
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
