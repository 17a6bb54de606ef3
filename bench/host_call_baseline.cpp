#include "bench/host_call_baseline.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

using Selected = std::vector<std::pair<int, int>>;

struct CallbackRecord {
  const HostCalls* calls;
  BaselineOperation operation;
  const Selected* selected;
};

// Face indices of the face being read; large enough for the grids' quads and more.
thread_local int t_points[256];

// The calls of a selection snapshot: count, then per object each vertex's selection,
// each face's points and selection, and the ends of each selected line.
void SnapshotCalls(const HostCalls& h, MQDocument doc) {
  const int objectCount = h.getObjectCount(doc);
  for (int o = 0; o < objectCount; ++o) {
    if (MQObject object = h.getObject(doc, o)) h.getVertexCount(object);
  }
  float point[3];
  for (int o = 0; o < objectCount; ++o) {
    MQObject object = h.getObject(doc, o);
    if (object == nullptr) continue;
    const int vertices = h.getVertexCount(object);
    for (int v = 0; v < vertices; ++v) h.isSelectVertex(doc, o, v);
    const int faces = h.getFaceCount(object);
    for (int f = 0; f < faces; ++f) {
      const int n = h.getFacePointCount(object, f);
      if (n < 2 || n > 256) continue;
      h.getFacePointArray(object, f, t_points);
      if (n >= 3 && h.isSelectFace(doc, o, f) != 0) continue;
      const int lines = n == 2 ? 1 : n;
      for (int k = 0; k < lines; ++k) {
        if (h.isSelectLine(doc, o, f, k) == 0) continue;
        h.getVertex(object, t_points[k], point);
        h.getVertex(object, t_points[(k + 1) % n], point);
      }
    }
  }
}

// The walk over the selected vertices: the object once per run, each vertex read and,
// when write is set, written back.
void WalkCalls(const HostCalls& h, MQDocument doc, const Selected& selected, bool write) {
  int currentIndex = -1;
  MQObject object = nullptr;
  float point[3];
  for (const auto& [o, v] : selected) {
    if (o != currentIndex) {
      object = h.getObject(doc, o);
      currentIndex = o;
    }
    h.getVertex(object, v, point);
    if (write) h.setVertex(object, v, point);
  }
}

MQObject CurrentObjectCalls(const HostCalls& h, MQDocument doc) {
  const int index = h.getCurrentObjectIndex(doc);
  return index < 0 ? nullptr : h.getObject(doc, index);
}

void RefreshCalls(const HostCalls& h, MQDocument doc, const Selected& selected) {
  SnapshotCalls(h, doc);
  MQObject current = CurrentObjectCalls(h, doc);
  if (current == nullptr) return;
  float matrix[16];
  h.getGlobalInverseMatrix(doc, current, matrix);
  WalkCalls(h, doc, selected, false);
}

// Move, rotate and align share one shape: snapshot, frame, walk with writes, refresh.
void EditCalls(const HostCalls& h, MQDocument doc, const Selected& selected) {
  SnapshotCalls(h, doc);
  MQObject current = CurrentObjectCalls(h, doc);
  if (current == nullptr) return;
  float matrix[16];
  h.getGlobalMatrix(doc, current, matrix);
  h.getGlobalInverseMatrix(doc, current, matrix);
  WalkCalls(h, doc, selected, true);
  RefreshCalls(h, doc, selected);
}

// Origin from the first selected vertex of each object, the axis from the first
// selected line, as the local-frame operation asks.
void LocalFrameCalls(const HostCalls& h, MQDocument doc) {
  MQObject current = CurrentObjectCalls(h, doc);
  if (current == nullptr) return;
  float point[3];
  const int objectCount = h.getObjectCount(doc);
  for (int o = 0; o < objectCount; ++o) {
    MQObject object = h.getObject(doc, o);
    if (object == nullptr) continue;
    const int vertices = h.getVertexCount(object);
    for (int v = 0; v < vertices; ++v) {
      if (h.isSelectVertex(doc, o, v) == 0) continue;
      h.getVertex(object, v, point);
      h.setFloatArray(current, 771, point);
      break;
    }
    const int faces = h.getFaceCount(object);
    for (int f = 0; f < faces; ++f) {
      const int n = h.getFacePointCount(object, f);
      const int lines = n >= 3 ? n : (n == 2 ? 1 : 0);
      for (int k = 0; k < lines; ++k) {
        if (h.isSelectLine(doc, o, f, k) == 0) continue;
        MQObject owner = h.getObject(doc, o);
        if (h.getFacePointCount(owner, f) > 256) return;
        h.getFacePointArray(owner, f, t_points);
        h.getVertexCount(owner);
        h.getVertex(owner, t_points[k], point);
        h.getVertex(owner, t_points[(k + 1) % n], point);
        h.setFloatArray(current, 770, point);
        return;
      }
    }
  }
}

int BaselineCallback(MQDocument doc, void* option) {
  const CallbackRecord& record = *static_cast<CallbackRecord*>(option);
  const HostCalls& h = *record.calls;
  switch (record.operation) {
    case BaselineOperation::kRefresh:
      RefreshCalls(h, doc, *record.selected);
      break;
    case BaselineOperation::kMove:
    case BaselineOperation::kRotate:
    case BaselineOperation::kSetAxis:
      EditCalls(h, doc, *record.selected);
      break;
    case BaselineOperation::kSetLocalFrame:
      LocalFrameCalls(h, doc);
      break;
  }
  return 1;
}

template <typename Function>
bool Bind(void* module, const char* name, Function* slot) {
#ifdef _WIN32
  *slot = reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name)));
#else
  *slot = reinterpret_cast<Function>(dlsym(module, name));
#endif
  return *slot != nullptr;
}

}  // namespace

bool BindHostCalls(const char* path, HostCalls* calls) {
#ifdef _WIN32
  void* module = LoadLibraryA(path);
#else
  void* module = dlopen(path, RTLD_NOW);
#endif
  if (module == nullptr) return false;
  HostCalls& c = *calls;
  return Bind(module, "MQ_StationCallback", &c.stationCallback) &&
         Bind(module, "MQDoc_GetObjectCount", &c.getObjectCount) &&
         Bind(module, "MQDoc_GetObject", &c.getObject) &&
         Bind(module, "MQDoc_GetCurrentObjectIndex", &c.getCurrentObjectIndex) &&
         Bind(module, "MQDoc_IsSelectVertex", &c.isSelectVertex) &&
         Bind(module, "MQDoc_IsSelectLine", &c.isSelectLine) &&
         Bind(module, "MQDoc_IsSelectFace", &c.isSelectFace) &&
         Bind(module, "MQDoc_GetGlobalMatrix", &c.getGlobalMatrix) &&
         Bind(module, "MQDoc_GetGlobalInverseMatrix", &c.getGlobalInverseMatrix) &&
         Bind(module, "MQObj_GetVertexCount", &c.getVertexCount) &&
         Bind(module, "MQObj_GetVertex", &c.getVertex) &&
         Bind(module, "MQObj_SetVertex", &c.setVertex) &&
         Bind(module, "MQObj_GetFaceCount", &c.getFaceCount) &&
         Bind(module, "MQObj_GetFacePointCount", &c.getFacePointCount) &&
         Bind(module, "MQObj_GetFacePointArray", &c.getFacePointArray) &&
         Bind(module, "MQObj_SetFloatArray", &c.setFloatArray);
}

void RunBaseline(const HostCalls& calls, MQDocument doc, BaselineOperation operation,
                 const std::vector<std::pair<int, int>>& selected) {
  CallbackRecord record = {&calls, operation, &selected};
  // A refresh runs on a host event; everything else through a station callback.
  if (operation == BaselineOperation::kRefresh) {
    BaselineCallback(doc, &record);
  } else {
    calls.stationCallback(&BaselineCallback, &record);
  }
}
