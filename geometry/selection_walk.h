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
// the count is re-read, so nothing the walk holds can dangle.
template <typename Visit>
void GridshiftPlugin::WalkSelectedVertices(MQDocument doc, Visit&& visit) {
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
  m_walkingSnapshot = false;
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
    WalkSelectedVertices(doc, [&](MQObject object, int vertex) {
      const Point3 moved = reposition(ReadVertex(object, vertex), inGlobal, frame);
      if (IsFinite(moved)) WriteVertex(object, vertex, moved);
    });
  }
  m_refreshEnabled = true;
  RefreshReadouts(doc, false);
}
