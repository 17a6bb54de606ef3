// The exported entry points. Each forwards to g_plugin, except the version handshake
// and MQInit, which binds the host function table.
#include "plugin/entry_points.h"

#include "plugin/event_dispatch.h"
#include "plugin/gridshift_plugin.h"
#include "plugin/host_functions.h"

namespace {

// The host's number for a command plug-in, the other kind of station plug-in.
constexpr int kCommandPluginType = 7;

bool IsStationType(int type) { return type == kStationPluginType || type == kCommandPluginType; }

// Import and export share one body, and create and the two modify entry points
// another: they would hand their arguments to the file or object operation of file
// and object plug-ins. A station plug-in has neither, and the host does not call
// them for one; answering 0 is harmless.
int RunFileOperation(int /*index*/, const char* /*filename*/, MQDocument /*doc*/) { return 0; }
int RunObjectOperation(int /*index*/, MQDocument /*doc*/) { return 0; }

}  // namespace

extern "C" {

uint32_t MQCheckVersion(uint32_t hostVersion) {
  return hostVersion < kMinimumHostVersion ? 0 : kPluginInterfaceVersion;
}

int MQInit(const char* hostModulePath) { return BindHostFunctions(hostModulePath) ? 1 : 0; }

void MQGetPlugInID(uint32_t* product, uint32_t* id) { g_plugin.ReportPlugInID(product, id); }

const char* MQGetPlugInName() { return g_plugin.ReportPlugInName(); }

int MQGetPlugInType() { return g_plugin.ReportPlugInType(); }

const char* MQEnumString(int index) {
  if (!IsStationType(g_plugin.ReportPlugInType())) return nullptr;
  return index == 0 ? g_plugin.ReportEnumString() : nullptr;
}

// Only file plug-ins enumerate file types and extensions.
const char* MQEnumFileType(int /*index*/) { return nullptr; }
const char* MQEnumFileExt(int /*index*/) { return nullptr; }

int MQImportFile(int index, const char* filename, MQDocument doc) {
  return RunFileOperation(index, filename, doc);
}
int MQExportFile(int index, const char* filename, MQDocument doc) {
  return RunFileOperation(index, filename, doc);
}

int MQCreate(int index, MQDocument doc) { return RunObjectOperation(index, doc); }
int MQModifyObject(int index, MQDocument doc) { return RunObjectOperation(index, doc); }
int MQModifySelect(int index, MQDocument doc) { return RunObjectOperation(index, doc); }

int MQOnEvent(MQDocument doc, int eventCode, void* option) {
  if (!IsStationType(g_plugin.ReportPlugInType())) return 0;
  // Without a complete host function table an operation would call through a null
  // or stale pointer: such events do nothing instead.
  if (EventNeedsHost(eventCode) && !HostFunctionsBound()) return AnswerWithoutHost(eventCode);
  return DispatchEvent(&g_plugin, doc, eventCode, option);
}

}  // extern "C"
