// What moves, rotations and aligns share: the current object's frame, and the walk
// that writes every selected vertex its new position.
#pragma once

#include "geometry/document_port.h"
#include "geometry/point_math.h"
#include "geometry/selection_snapshot.h"

// The current object's matrix from its local frame to global coordinates, and back,
// widened once for the per-vertex transforms. This one pair serves every selected
// vertex, whichever object it belongs to.
struct FrameMatrices {
  WideMatrix toGlobal;
  WideMatrix toLocal;
};

// The frame of the document's current object: false, with nothing read, when the
// document has none.
inline bool ReadCurrentFrame(HostDocument doc, FrameMatrices* frame) {
  MQObject current = doc.CurrentObject();
  if (current == nullptr) return false;
  const Matrix4 toGlobal = doc.GlobalMatrix(current);
  const Matrix4 toLocal = doc.GlobalInverseMatrix(current);
  *frame = {Widen(toGlobal), Widen(toLocal)};
  return true;
}

// Writes position(p) to every selected vertex at p, unless it is not finite (an
// overflow, a frame that cannot be inverted): that vertex stays where it was.
//
// Each new position depends on its own vertex alone, so the vertices are read in runs
// and each run is then written: the rounding chains of a run (two transforms and more
// for a move in the local frame) overlap in the processor instead of each waiting for
// the host calls between them. Every vertex is still read once before it is written
// once, and the arithmetic is the same, so are the bits. The run lives on the stack:
// nothing is allocated.
template <typename Position>
void RewriteSelectedVertices(HostDocument doc, SelectionSnapshot& snapshot,
                             Position&& position) {
  constexpr int kRun = 32;
  struct ReadVertexAt {
    MQObject object;
    int vertex;
    Point3 p;
  };
  ReadVertexAt run[kRun];
  int count = 0;
  auto writeRun = [&] {
    // No host call between the computations, so the frame stays in registers.
    for (int i = 0; i < count; ++i) run[i].p = position(run[i].p);
    for (int i = 0; i < count; ++i) {
      if (IsFinite(run[i].p)) doc.SetVertex(run[i].object, run[i].vertex, run[i].p);
    }
    count = 0;
  };
  snapshot.WalkSelectedVertices(
      doc,
      [&](MQObject object, int vertex) {
        run[count++] = {object, vertex, doc.Vertex(object, vertex)};
        if (count == kRun) writeRun();
      },
      writeRun);
}

// The new positions, each from a vertex p in global coordinates. In the local frame
// p is taken there, changed, and brought back, rounding to float after every step.

// Moved by the vector move (global or local).
inline Point3 MovedPoint(const Point3& p, const Point3& move, bool inGlobal,
                         const FrameMatrices& frame) {
  if (inGlobal) return Add(p, move);
  const Point3 local = Add(TransformPoint(p, frame.toLocal), move);
  return TransformPoint(local, frame.toGlobal);
}

// The axes an align may set: 1 (x), 2 (y) and 3 (z).
constexpr bool IsAxis(int axis) { return axis >= 1 && axis <= 3; }

// Component axis (1 x, 2 y, 3 z) set to value; the other two stay bit for bit.
inline Point3 AlignedPoint(const Point3& p, int axis, float value, bool inGlobal,
                           const FrameMatrices& frame) {
  Point3 aligned = inGlobal ? p : TransformPoint(p, frame.toLocal);
  if (float* component = AxisComponent(aligned, axis)) *component = value;
  return inGlobal ? aligned : TransformPoint(aligned, frame.toGlobal);
}
