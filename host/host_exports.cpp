// Every host function, exported by name as a plain C function: the ones the plug-in
// calls over the stand-in host's document model, with exactly the signatures of the
// host function table (host/host_exports.h declares them from it); all the others
// present and inert. Every call is counted in Host::calls.
#include "host/host_exports.h"

#include <cstring>

#include "host/stand_in_host.h"

using standin::Document;
using standin::Host;
using standin::Object;

namespace {

// The host and its document, looked up once when the library loads: every host call
// starts here, and a guarded lookup on every call costs as much as the call's own work.
Host& g_host = Host::Instance();
Document& g_document = g_host.document();
inline Host& H() { return g_host; }
inline Document& TheDocument() { return g_document; }

// Counts a call of the named host function; the index is a compile-time constant.
#define COUNT_CALL(name)                                       \
  do {                                                         \
    constexpr int kIndex = HostFunctionIndex(#name);           \
    static_assert(kIndex >= 0, "not a host function: " #name); \
    ++H().calls[kIndex];                                       \
  } while (0)

// The document behind a handle: only the host's own.
Document* DocumentOf(MQDocument doc) {
  Document& document = TheDocument();
  return standin::UntagHandle(doc) == &document ? &document : nullptr;
}

// The object behind (document, index), or null.
Object* ObjectIn(MQDocument doc, int index) {
  Document* d = DocumentOf(doc);
  return d == nullptr ? nullptr : d->ObjectAt(index);
}

Object* FromHandle(MQObject obj) { return TheDocument().FromObjectHandle(obj); }

void NoteEdit() {
  if (!H().insideStationCallback) ++H().editsOutsideCallback;
}

}  // namespace

// --- The ones the plug-in calls --------------------------------------------

HOSTAPI_EXPORT MQWindowHandle MQ_GetWindowHandle() {
  COUNT_CALL(MQ_GetWindowHandle);
  return H().WindowHandle();
}

HOSTAPI_EXPORT int MQ_StationCallback(MQStationCallbackProc proc, void* option) {
  COUNT_CALL(MQ_StationCallback);
  Host& host = H();
  ++host.stationCallbacks;
  if (host.refuseStationCallbacks || proc == nullptr) return 0;
  bool wasInside = host.insideStationCallback;
  host.insideStationCallback = true;
  int answer = proc(host.document().Handle(), option);
  host.insideStationCallback = wasInside;
  return answer;
}

namespace {

// A message record read as the modeller lays it out, field by field at its offset,
// not through the plug-in's declaration: product, identifier and index at 0, 4 and 8,
// the option pointer at 12 on a 32-bit platform and, after 4 bytes of padding, at 16
// on a 64-bit one.
constexpr size_t kMessageOptionOffset = sizeof(void*) == 8 ? 16 : 12;

HostMessageRecord ReadMessageRecord(const void* data) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  HostMessageRecord record;
  std::memcpy(&record.product, bytes, 4);
  std::memcpy(&record.id, bytes + 4, 4);
  std::memcpy(&record.index, bytes + 8, 4);
  std::memcpy(&record.option, bytes + kMessageOptionOffset, sizeof record.option);
  return record;
}

}  // namespace

HOSTAPI_EXPORT int MQ_SendMessage(int message, void* data) {
  COUNT_CALL(MQ_SendMessage);
  standin::SentMessage sent = {};
  sent.message = message;
  sent.option = -1;
  sent.hadData = data != nullptr;
  if (data != nullptr) {
    sent.record = ReadMessageRecord(data);
    if (sent.record.option != nullptr) sent.option = *sent.record.option;
  }
  H().sentMessages.push_back(sent);
  return 1;
}

HOSTAPI_EXPORT int MQDoc_GetObjectCount(MQDocument doc) {
  COUNT_CALL(MQDoc_GetObjectCount);
  Document* d = DocumentOf(doc);
  return d == nullptr ? 0 : d->ObjectCount();
}

HOSTAPI_EXPORT MQObject MQDoc_GetObject(MQDocument doc, int index) {
  COUNT_CALL(MQDoc_GetObject);
  Object* o = ObjectIn(doc, index);
  return o == nullptr ? nullptr : Document::HandleOf(o);
}

HOSTAPI_EXPORT int MQDoc_GetCurrentObjectIndex(MQDocument doc) {
  COUNT_CALL(MQDoc_GetCurrentObjectIndex);
  Document* d = DocumentOf(doc);
  return d == nullptr ? -1 : d->currentObject;
}

HOSTAPI_EXPORT int MQDoc_IsSelectVertex(MQDocument doc, int object, int vertex) {
  COUNT_CALL(MQDoc_IsSelectVertex);
  Object* o = ObjectIn(doc, object);
  if (o == nullptr || vertex < 0 || vertex >= static_cast<int>(o->vertexSelected.size())) return 0;
  return o->vertexSelected[vertex] ? 1 : 0;
}

HOSTAPI_EXPORT int MQDoc_IsSelectLine(MQDocument doc, int object, int face, int line) {
  COUNT_CALL(MQDoc_IsSelectLine);
  Object* o = ObjectIn(doc, object);
  if (o == nullptr || face < 0 || face >= static_cast<int>(o->faces.size())) return 0;
  const standin::Face& f = o->faces[face];
  if (line < 0 || line >= static_cast<int>(f.lineSelected.size())) return 0;
  return f.lineSelected[line] ? 1 : 0;
}

HOSTAPI_EXPORT int MQDoc_IsSelectFace(MQDocument doc, int object, int face) {
  COUNT_CALL(MQDoc_IsSelectFace);
  Object* o = ObjectIn(doc, object);
  if (o == nullptr || face < 0 || face >= static_cast<int>(o->faces.size())) return 0;
  return o->faces[face].selected ? 1 : 0;
}

HOSTAPI_EXPORT MQScene MQDoc_GetScene(MQDocument doc, int index) {
  COUNT_CALL(MQDoc_GetScene);
  if (DocumentOf(doc) == nullptr || index != 0) return nullptr;
  return standin::SceneHandle();
}

HOSTAPI_EXPORT void MQDoc_GetGlobalMatrix(MQDocument doc, MQObject obj, float* matrix) {
  COUNT_CALL(MQDoc_GetGlobalMatrix);
  if (H().whileReadingTheFrame) H().whileReadingTheFrame();
  Object* o = DocumentOf(doc) == nullptr ? nullptr : FromHandle(obj);
  if (o == nullptr || matrix == nullptr) return;
  std::memcpy(matrix, o->globalMatrix.data(), sizeof(float) * 16);
}

HOSTAPI_EXPORT void MQDoc_GetGlobalInverseMatrix(MQDocument doc, MQObject obj, float* matrix) {
  COUNT_CALL(MQDoc_GetGlobalInverseMatrix);
  Object* o = DocumentOf(doc) == nullptr ? nullptr : FromHandle(obj);
  if (o == nullptr || matrix == nullptr) return;
  std::memcpy(matrix, o->globalInverse.data(), sizeof(float) * 16);
}

HOSTAPI_EXPORT int MQObj_GetVertexCount(MQObject obj) {
  COUNT_CALL(MQObj_GetVertexCount);
  Object* o = FromHandle(obj);
  return o == nullptr ? 0 : static_cast<int>(o->vertices.size());
}

HOSTAPI_EXPORT void MQObj_GetVertex(MQObject obj, int vertex, float* point) {
  COUNT_CALL(MQObj_GetVertex);
  Object* o = FromHandle(obj);
  if (o == nullptr || point == nullptr || vertex < 0 ||
      vertex >= static_cast<int>(o->vertices.size())) {
    return;
  }
  const standin::Vertex& v = o->vertices[vertex];
  point[0] = v.x;
  point[1] = v.y;
  point[2] = v.z;
}

HOSTAPI_EXPORT void MQObj_SetVertex(MQObject obj, int vertex, const float* point) {
  COUNT_CALL(MQObj_SetVertex);
  NoteEdit();
  Object* o = FromHandle(obj);
  if (o == nullptr || point == nullptr || vertex < 0 ||
      vertex >= static_cast<int>(o->vertices.size())) {
    return;
  }
  o->vertices[vertex] = {point[0], point[1], point[2]};
}

HOSTAPI_EXPORT int MQObj_GetFaceCount(MQObject obj) {
  COUNT_CALL(MQObj_GetFaceCount);
  Object* o = FromHandle(obj);
  return o == nullptr ? 0 : static_cast<int>(o->faces.size());
}

HOSTAPI_EXPORT int MQObj_GetFacePointCount(MQObject obj, int face) {
  COUNT_CALL(MQObj_GetFacePointCount);
  Object* o = FromHandle(obj);
  if (o == nullptr || face < 0 || face >= static_cast<int>(o->faces.size())) return 0;
  return static_cast<int>(o->faces[face].points.size());
}

HOSTAPI_EXPORT void MQObj_GetFacePointArray(MQObject obj, int face, int* points) {
  COUNT_CALL(MQObj_GetFacePointArray);
  Object* o = FromHandle(obj);
  if (o == nullptr || points == nullptr || face < 0 || face >= static_cast<int>(o->faces.size())) {
    return;
  }
  const std::vector<int>& p = o->faces[face].points;
  if (!p.empty()) std::memcpy(points, p.data(), sizeof(int) * p.size());
}

HOSTAPI_EXPORT void MQObj_GetFloatArray(MQObject obj, int id, float* values) {
  COUNT_CALL(MQObj_GetFloatArray);
  Object* o = FromHandle(obj);
  if (o == nullptr || values == nullptr) return;
  int count = 0;
  const float* array = o->FloatArray(id, &count);
  if (array != nullptr) std::memcpy(values, array, sizeof(float) * count);
}

HOSTAPI_EXPORT void MQObj_SetFloatArray(MQObject obj, int id, const float* values) {
  COUNT_CALL(MQObj_SetFloatArray);
  NoteEdit();
  Object* o = FromHandle(obj);
  if (o == nullptr || values == nullptr) return;
  int count = 0;
  float* array = o->FloatArray(id, &count);
  if (array != nullptr) std::memcpy(array, values, sizeof(float) * count);
}

// --- All the others: present and inert ----------------------------------------

// Plain cdecl functions answering 0: the caller cleans the stack, so a call with
// any arguments is harmless.
#define GRIDWELL_INERT(name)    \
  HOSTAPI_EXPORT void* name() { \
    COUNT_CALL(name);           \
    return nullptr;             \
  }
#define GRIDWELL_NONE(...)
GRIDWELL_HOST_FUNCTIONS(GRIDWELL_NONE, GRIDWELL_NONE, GRIDWELL_INERT)
#undef GRIDWELL_INERT
#undef GRIDWELL_NONE
