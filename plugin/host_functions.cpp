// The host function table and its binding.
#include "plugin/host_functions.h"

#include "plugin/host_function_signatures.h"
#include "plugin/module_loader.h"

namespace {

// One entry per name, null until bound. Process-wide, never cleared.
ModuleProc g_table[kHostFunctionCount] = {};
bool g_bound = false;

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
  g_bound = true;
  return true;
}

bool HostFunctionsBound() { return g_bound; }

namespace host {
namespace {

// The entry of a name, cast to its signature. The index is a compile-time constant,
// so a misspelt name fails to build.
template <typename Signature, int Index>
Signature Bound() {
  static_assert(Index >= 0, "not a host function name");
  return reinterpret_cast<Signature>(g_table[Index]);
}

#define HOST_ENTRY(name) Bound<hostsig::name, HostFunctionIndex(#name)>()

}  // namespace

MQWindowHandle MQ_GetWindowHandle() { return HOST_ENTRY(MQ_GetWindowHandle)(); }
int MQ_StationCallback(MQStationCallbackProc proc, void* option) {
  return HOST_ENTRY(MQ_StationCallback)(proc, option);
}
int MQ_SendMessage(int message, void* data) { return HOST_ENTRY(MQ_SendMessage)(message, data); }
int MQDoc_GetObjectCount(MQDocument doc) { return HOST_ENTRY(MQDoc_GetObjectCount)(doc); }
MQObject MQDoc_GetObject(MQDocument doc, int index) {
  return HOST_ENTRY(MQDoc_GetObject)(doc, index);
}
int MQDoc_GetCurrentObjectIndex(MQDocument doc) {
  return HOST_ENTRY(MQDoc_GetCurrentObjectIndex)(doc);
}
int MQDoc_IsSelectVertex(MQDocument doc, int object, int vertex) {
  return HOST_ENTRY(MQDoc_IsSelectVertex)(doc, object, vertex);
}
int MQDoc_IsSelectLine(MQDocument doc, int object, int face, int line) {
  return HOST_ENTRY(MQDoc_IsSelectLine)(doc, object, face, line);
}
int MQDoc_IsSelectFace(MQDocument doc, int object, int face) {
  return HOST_ENTRY(MQDoc_IsSelectFace)(doc, object, face);
}
MQScene MQDoc_GetScene(MQDocument doc, int index) {
  return HOST_ENTRY(MQDoc_GetScene)(doc, index);
}
void MQDoc_GetGlobalMatrix(MQDocument doc, MQObject obj, float* matrix) {
  HOST_ENTRY(MQDoc_GetGlobalMatrix)(doc, obj, matrix);
}
void MQDoc_GetGlobalInverseMatrix(MQDocument doc, MQObject obj, float* matrix) {
  HOST_ENTRY(MQDoc_GetGlobalInverseMatrix)(doc, obj, matrix);
}
int MQObj_GetVertexCount(MQObject obj) { return HOST_ENTRY(MQObj_GetVertexCount)(obj); }
void MQObj_GetVertex(MQObject obj, int vertex, float* point) {
  HOST_ENTRY(MQObj_GetVertex)(obj, vertex, point);
}
void MQObj_SetVertex(MQObject obj, int vertex, const float* point) {
  HOST_ENTRY(MQObj_SetVertex)(obj, vertex, point);
}
int MQObj_GetFaceCount(MQObject obj) { return HOST_ENTRY(MQObj_GetFaceCount)(obj); }
int MQObj_GetFacePointCount(MQObject obj, int face) {
  return HOST_ENTRY(MQObj_GetFacePointCount)(obj, face);
}
void MQObj_GetFacePointArray(MQObject obj, int face, int* points) {
  HOST_ENTRY(MQObj_GetFacePointArray)(obj, face, points);
}
void MQObj_GetFloatArray(MQObject obj, int id, float* values) {
  HOST_ENTRY(MQObj_GetFloatArray)(obj, id, values);
}
void MQObj_SetFloatArray(MQObject obj, int id, const float* values) {
  HOST_ENTRY(MQObj_SetFloatArray)(obj, id, values);
}

#undef HOST_ENTRY

}  // namespace host
