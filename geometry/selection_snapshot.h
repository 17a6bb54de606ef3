// The selection snapshot: one entry per vertex of every object of the document,
// flagged when the vertex counts as selected (selected itself, a corner of a selected
// face or an end of a selected line), and the total length of the selected lines.
// Every operation and every refresh rebuilds it first; only the buffer lasts.
#pragma once

#include <cstdint>

#include "geometry/document_port.h"
#include "geometry/face_point_buffer.h"

// Entries the snapshot buffer holds from the start of the station.
constexpr int32_t kInitialSelectionCapacity = 100000;

// One vertex of the document. 12 bytes.
struct SelectionEntry {
  int32_t object;
  int32_t vertex;
  uint8_t selected;  // 0 or 1
};
static_assert(sizeof(SelectionEntry) == 12, "snapshot entries are 12 bytes");

class SelectionSnapshot {
 public:
  constexpr SelectionSnapshot() = default;
  ~SelectionSnapshot() { ReleaseSelection(); }
  SelectionSnapshot(const SelectionSnapshot&) = delete;
  SelectionSnapshot& operator=(const SelectionSnapshot&) = delete;

  // A buffer of capacity entries in place of the one held; false (and no buffer) when
  // memory ran out.
  bool AllocateSelection(int32_t capacity);
  // Frees the buffer: null, capacity and count 0.
  void ReleaseSelection();

  // Rebuilds the entries and the line length from the document. The buffer grows to
  // the document's vertex count and never shrinks. While a walk is under way nothing
  // happens: the operation that walks refreshes when it is done.
  void TakeSelectionSnapshot(HostDocument doc);

  // The snapshot walk: visit(object, vertex index) for each selected entry in order,
  // the object fetched once per run of entries of the same object, then finish(),
  // still inside the walk.
  template <typename Visit, typename Finish>
  void WalkSelectedVertices(HostDocument doc, Visit&& visit, Finish&& finish);
  template <typename Visit>
  void WalkSelectedVertices(HostDocument doc, Visit&& visit) {
    WalkSelectedVertices(doc, visit, [] {});
  }
  // True while a walk is under way.
  bool IsWalking() const { return m_walkingSnapshot; }

  // The room for one face's vertex indices, shared with whoever else reads faces.
  FacePointBuffer& FacePoints() { return m_facePoints; }

  SelectionEntry* m_selection = nullptr;  // owned array of m_selectionCapacity
  int32_t m_selectionCount = 0;           // every vertex of the document, not the selected
  int32_t m_selectionCapacity = 0;
  float m_selectedLineLength = 0;

 private:
  // Marks the corners of selected faces and the ends of selected lines of object o,
  // whose entries start at first, and adds the selected lines' lengths.
  void MarkFacesAndLines(HostDocument doc, int o, MQObject object, SelectionEntry* first,
                         int vertexCount);

  FacePointBuffer m_facePoints;
  // Set while an operation walks the snapshot, so that a refresh the host triggers
  // meanwhile cannot rebuild the snapshot under the walk.
  bool m_walkingSnapshot = false;
};

// Entries of one object are contiguous, so the object handle is fetched once per run
// of selected entries of the same object. Entries are read by index on every step and
// the count is re-read, so nothing the walk holds can dangle.
template <typename Visit, typename Finish>
void SelectionSnapshot::WalkSelectedVertices(HostDocument doc, Visit&& visit,
                                             Finish&& finish) {
  m_walkingSnapshot = true;
  int currentIndex = -1;
  MQObject object = nullptr;
  for (int32_t i = 0; i < m_selectionCount; ++i) {
    const SelectionEntry entry = m_selection[i];
    if (entry.selected == 0) continue;
    if (entry.object != currentIndex) {
      object = doc.Object(entry.object);
      currentIndex = entry.object;
    }
    if (object != nullptr) visit(object, entry.vertex);
  }
  finish();
  m_walkingSnapshot = false;
}
