// The one way the operations visit the selected vertices of a snapshot.
#pragma once

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
