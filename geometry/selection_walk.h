// The one way the operations visit the selected vertices of a snapshot.
#pragma once

#include "geometry/document_access.h"
#include "geometry/point_math.h"
#include "panel/control_ids.h"
#include "panel/station_panel.h"
#include "plugin/gridshift_plugin.h"
#include "plugin/host_functions.h"

// Entries of one object are contiguous, so the object handle is fetched once per run
// of selected entries of the same object. Entries are read by index on every step and
// the count is re-read, so nothing the walk holds can dangle. finish runs at the end,
// still inside the walk.
template <typename Visit, typename Finish>
void GridshiftPlugin::WalkSelectedVertices(MQDocument doc, Visit&& visit, Finish&& finish) {
  m_walkingSnapshot = true;
  int currentIndex = -1;
  MQObject object = nullptr;
  for (int32_t i = 0; i < m_selectionCount; ++i) {
    const SelectionEntry entry = m_selection[i];
    if (entry.selected == 0) continue;
    if (entry.object != currentIndex) {
      object = host::MQDoc_GetObject(doc, entry.object);
      currentIndex = entry.object;
    }
    if (object != nullptr) visit(object, entry.vertex);
  }
  finish();
  m_walkingSnapshot = false;
}

template <typename Visit>
void GridshiftPlugin::WalkSelectedVertices(MQDocument doc, Visit&& visit) {
  WalkSelectedVertices(doc, visit, [] {});
}

// Each new position depends on its own vertex alone, so the vertices are read in runs
// and each run is then written: the rounding chains of a run (two transforms and more
// for a move in the local frame) overlap in the processor instead of each waiting for
// the host calls between them. Every vertex is still read once before it is written
// once, and the arithmetic is the same, so are the bits. The run lives on the stack:
// nothing is allocated.
template <typename Position>
void GridshiftPlugin::RewriteSelectedVertices(MQDocument doc, Position&& position) {
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
      if (IsFinite(run[i].p)) WriteVertex(run[i].object, run[i].vertex, run[i].p);
    }
    count = 0;
  };
  WalkSelectedVertices(
      doc,
      [&](MQObject object, int vertex) {
        run[count++] = {object, vertex, ReadVertex(object, vertex)};
        if (count == kRun) writeRun();
      },
      writeRun);
}

// Nothing is written when usable is false (an input that read as infinity or NaN) or
// the document has no current object, and without a current object nothing is
// refreshed either; a new position that is not finite (an overflow, a frame that
// cannot be inverted) leaves the vertex where it was.
template <typename Reposition>
void GridshiftPlugin::RepositionSelection(MQDocument doc, bool usable, Reposition&& reposition) {
  TakeSelectionSnapshot(doc);
  // Host events that refresh under this flag leave the readouts alone while the
  // vertices are written; they are refreshed once at the end.
  m_refreshEnabled = false;
  MQObject current = CurrentObject(doc);
  if (current == nullptr) {
    m_refreshEnabled = true;
    return;
  }
  const bool inGlobal = m_panel->IsChecked(ctl::kGlobal);
  const FrameMatrices frame = ReadFrameMatrices(doc, current);
  if (usable) {
    RewriteSelectedVertices(doc, [&](const Point3& p) { return reposition(p, inGlobal, frame); });
  }
  m_refreshEnabled = true;
  RefreshReadouts(doc, false);
}
