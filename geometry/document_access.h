// Reading and writing the host's document in the shapes the geometry works with.
#pragma once

#include "geometry/point_math.h"
#include "plugin/host_functions.h"

inline Point3 ReadVertex(MQObject object, int vertex) {
  Point3 p = {0, 0, 0};
  host::MQObj_GetVertex(object, vertex, &p.x);
  return p;
}

inline void WriteVertex(MQObject object, int vertex, const Point3& p) {
  host::MQObj_SetVertex(object, vertex, &p.x);
}

// The document's current object, or null when there is none.
inline MQObject CurrentObject(MQDocument doc) {
  const int index = host::MQDoc_GetCurrentObjectIndex(doc);
  if (index < 0) return nullptr;
  return host::MQDoc_GetObject(doc, index);
}

// The current object's matrix from its local frame to global coordinates, and back,
// widened once for the per-vertex transforms.
struct FrameMatrices {
  WideMatrix toGlobal;
  WideMatrix toLocal;
};

inline FrameMatrices ReadFrameMatrices(MQDocument doc, MQObject current) {
  Matrix4 toGlobal = {}, toLocal = {};
  host::MQDoc_GetGlobalMatrix(doc, current, toGlobal.m);
  host::MQDoc_GetGlobalInverseMatrix(doc, current, toLocal.m);
  return {Widen(toGlobal), Widen(toLocal)};
}
