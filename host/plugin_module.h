// The plug-in as the host sees it: a loaded module and its fourteen exports.
#pragma once

#include <cstdint>
#include <string>

#include "plugin/entry_points.h"

namespace standin {

struct PluginExports {
  decltype(&::MQCheckVersion) MQCheckVersion = nullptr;
  decltype(&::MQInit) MQInit = nullptr;
  decltype(&::MQGetPlugInID) MQGetPlugInID = nullptr;
  decltype(&::MQGetPlugInName) MQGetPlugInName = nullptr;
  decltype(&::MQGetPlugInType) MQGetPlugInType = nullptr;
  decltype(&::MQEnumString) MQEnumString = nullptr;
  decltype(&::MQEnumFileType) MQEnumFileType = nullptr;
  decltype(&::MQEnumFileExt) MQEnumFileExt = nullptr;
  decltype(&::MQImportFile) MQImportFile = nullptr;
  decltype(&::MQExportFile) MQExportFile = nullptr;
  decltype(&::MQCreate) MQCreate = nullptr;
  decltype(&::MQModifyObject) MQModifyObject = nullptr;
  decltype(&::MQModifySelect) MQModifySelect = nullptr;
  decltype(&::MQOnEvent) MQOnEvent = nullptr;
};

class PluginModule {
 public:
  PluginModule() = default;
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;
  ~PluginModule();  // unloads the module, as a host does at exit

  // Loads the module and resolves all fourteen exports; on failure answers false
  // with a one-line message naming the path and what went wrong, and holds nothing.
  // A DLL of the other Windows edition is named as such: a 64-bit host cannot load a
  // 32-bit DLL, nor the other way round.
  bool Load(const std::string& path, std::string* error);
  void Unload();
  bool loaded() const { return module_ != nullptr; }
  const std::string& path() const { return path_; }
  const PluginExports& exports() const { return exports_; }
  // Any other exported symbol of the plug-in, or null.
  void* FindSymbol(const char* name) const;

 private:
  void* module_ = nullptr;
  std::string path_;
  PluginExports exports_;
};

// The machine a Windows image (a DLL or a program) is built for, from its PE header:
// kMachineI386 or kMachineAmd64, or another machine's number; 0 when the file cannot
// be read or is not a PE image.
constexpr uint16_t kMachineI386 = 0x14C;
constexpr uint16_t kMachineAmd64 = 0x8664;
uint16_t PeMachineOf(const std::string& path);

// The directory part of a path ("" when it has none), with either kind of slash.
std::string DirectoryOf(const std::string& path);
// The running executable's file name.
std::string ExecutablePath();

}  // namespace standin
