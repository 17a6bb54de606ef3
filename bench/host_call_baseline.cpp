#include "bench/host_call_baseline.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

using Selected = std::vector<std::pair<int, int>>;

struct CallbackRecord {
  const BaselineCalls* calls;
  BaselineOperation operation;
  const Selected* selected;
};

// Face indices of the face being read; large enough for the grids' quads and more.
thread_local int t_points[256];

// The calls of a selection snapshot: count, then per object each vertex's selection,
// each face's points and selection, and the ends of each selected line.
void SnapshotCalls(const BaselineCalls& h, MQDocument doc) {
  const int objectCount = h.port.MQDoc_GetObjectCount(doc);
  for (int o = 0; o < objectCount; ++o) {
    if (MQObject object = h.port.MQDoc_GetObject(doc, o)) h.port.MQObj_GetVertexCount(object);
  }
  float point[3];
  for (int o = 0; o < objectCount; ++o) {
    MQObject object = h.port.MQDoc_GetObject(doc, o);
    if (object == nullptr) continue;
    const int vertices = h.port.MQObj_GetVertexCount(object);
    for (int v = 0; v < vertices; ++v) h.port.MQDoc_IsSelectVertex(doc, o, v);
    const int faces = h.port.MQObj_GetFaceCount(object);
    for (int f = 0; f < faces; ++f) {
      const int n = h.port.MQObj_GetFacePointCount(object, f);
      if (n < 2 || n > 256) continue;
      h.port.MQObj_GetFacePointArray(object, f, t_points);
      if (n >= 3 && h.port.MQDoc_IsSelectFace(doc, o, f) != 0) continue;
      const int lines = n == 2 ? 1 : n;
      for (int k = 0; k < lines; ++k) {
        if (h.port.MQDoc_IsSelectLine(doc, o, f, k) == 0) continue;
        h.port.MQObj_GetVertex(object, t_points[k], point);
        h.port.MQObj_GetVertex(object, t_points[(k + 1) % n], point);
      }
    }
  }
}

// The walk over the selected vertices: the object once per run, each vertex read and,
// when write is set, written back.
void WalkCalls(const BaselineCalls& h, MQDocument doc, const Selected& selected, bool write) {
  int currentIndex = -1;
  MQObject object = nullptr;
  float point[3];
  for (const auto& [o, v] : selected) {
    if (o != currentIndex) {
      object = h.port.MQDoc_GetObject(doc, o);
      currentIndex = o;
    }
    h.port.MQObj_GetVertex(object, v, point);
    if (write) h.port.MQObj_SetVertex(object, v, point);
  }
}

MQObject CurrentObjectCalls(const BaselineCalls& h, MQDocument doc) {
  const int index = h.port.MQDoc_GetCurrentObjectIndex(doc);
  return index < 0 ? nullptr : h.port.MQDoc_GetObject(doc, index);
}

void RefreshCalls(const BaselineCalls& h, MQDocument doc, const Selected& selected) {
  SnapshotCalls(h, doc);
  MQObject current = CurrentObjectCalls(h, doc);
  if (current == nullptr) return;
  float matrix[16];
  h.port.MQDoc_GetGlobalInverseMatrix(doc, current, matrix);
  WalkCalls(h, doc, selected, false);
}

// Move, rotate and align share one shape: snapshot, frame, walk with writes, refresh.
void EditCalls(const BaselineCalls& h, MQDocument doc, const Selected& selected) {
  SnapshotCalls(h, doc);
  MQObject current = CurrentObjectCalls(h, doc);
  if (current == nullptr) return;
  float matrix[16];
  h.port.MQDoc_GetGlobalMatrix(doc, current, matrix);
  h.port.MQDoc_GetGlobalInverseMatrix(doc, current, matrix);
  WalkCalls(h, doc, selected, true);
  RefreshCalls(h, doc, selected);
}

// Origin from the first selected vertex of each object, the axis from the first
// selected line, as the local-frame operation asks.
void LocalFrameCalls(const BaselineCalls& h, MQDocument doc) {
  MQObject current = CurrentObjectCalls(h, doc);
  if (current == nullptr) return;
  float point[3];
  const int objectCount = h.port.MQDoc_GetObjectCount(doc);
  for (int o = 0; o < objectCount; ++o) {
    MQObject object = h.port.MQDoc_GetObject(doc, o);
    if (object == nullptr) continue;
    const int vertices = h.port.MQObj_GetVertexCount(object);
    for (int v = 0; v < vertices; ++v) {
      if (h.port.MQDoc_IsSelectVertex(doc, o, v) == 0) continue;
      h.port.MQObj_GetVertex(object, v, point);
      h.port.MQObj_SetFloatArray(current, 771, point);
      break;
    }
    const int faces = h.port.MQObj_GetFaceCount(object);
    for (int f = 0; f < faces; ++f) {
      const int n = h.port.MQObj_GetFacePointCount(object, f);
      const int lines = n >= 3 ? n : (n == 2 ? 1 : 0);
      for (int k = 0; k < lines; ++k) {
        if (h.port.MQDoc_IsSelectLine(doc, o, f, k) == 0) continue;
        MQObject owner = h.port.MQDoc_GetObject(doc, o);
        if (h.port.MQObj_GetFacePointCount(owner, f) > 256) return;
        h.port.MQObj_GetFacePointArray(owner, f, t_points);
        h.port.MQObj_GetVertexCount(owner);
        h.port.MQObj_GetVertex(owner, t_points[k], point);
        h.port.MQObj_GetVertex(owner, t_points[(k + 1) % n], point);
        h.port.MQObj_SetFloatArray(current, 770, point);
        return;
      }
    }
  }
}

int BaselineCallback(MQDocument doc, void* option) {
  const CallbackRecord& record = *static_cast<CallbackRecord*>(option);
  const BaselineCalls& h = *record.calls;
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

bool BindBaselineCalls(const char* path, BaselineCalls* calls) {
#ifdef _WIN32
  void* module = LoadLibraryA(path);
#else
  void* module = dlopen(path, RTLD_NOW);
#endif
  if (module == nullptr) return false;
  bool bound = Bind(module, "MQ_StationCallback", &calls->stationCallback);
#define GRIDWELL_BIND(result, name, parameters) bound = Bind(module, #name, &calls->port.name) && bound;
  GRIDWELL_DOCUMENT_PORT(GRIDWELL_BIND)
#undef GRIDWELL_BIND
  return bound;
}

void RunBaseline(const BaselineCalls& calls, MQDocument doc, BaselineOperation operation,
                 const std::vector<std::pair<int, int>>& selected) {
  CallbackRecord record = {&calls, operation, &selected};
  // A refresh runs on a host event; everything else through a station callback.
  if (operation == BaselineOperation::kRefresh) {
    BaselineCallback(doc, &record);
  } else {
    calls.stationCallback(&BaselineCallback, &record);
  }
}
