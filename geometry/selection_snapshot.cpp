#include "geometry/selection_snapshot.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <new>

namespace {

// Entries the document needs, or -1 when the count cannot be held: more than an int32
// or more bytes than an allocation can ask for.
int64_t CountDocumentVertices(HostDocument doc, int objectCount) {
  int64_t total = 0;
  for (int o = 0; o < objectCount; ++o) {
    MQObject object = doc.Object(o);
    if (object == nullptr) continue;
    const int vertices = doc.VertexCount(object);
    if (vertices > 0) total += vertices;
  }
  constexpr int64_t kMaxEntries = std::numeric_limits<int32_t>::max();
  constexpr uint64_t kMaxBytes = std::numeric_limits<size_t>::max();
  if (total > kMaxEntries) return -1;
  if (static_cast<uint64_t>(total) > kMaxBytes / sizeof(SelectionEntry)) return -1;
  return total;
}

// Length of the edge from a to b, each step rounded to float.
float EdgeLength(const Point3& a, const Point3& b) {
  const Point3 d = Subtract(a, b);
  const float squared =
      static_cast<float>(static_cast<double>(d.x) * d.x + static_cast<double>(d.y) * d.y +
                         static_cast<double>(d.z) * d.z);
  return std::sqrt(squared);
}

}  // namespace

bool SelectionSnapshot::AllocateSelection(int32_t capacity) {
  ReleaseSelection();
  m_selection = new (std::nothrow) SelectionEntry[static_cast<size_t>(capacity)];
  if (m_selection == nullptr) return false;
  m_selectionCapacity = capacity;
  return true;
}

void SelectionSnapshot::ReleaseSelection() {
  delete[] m_selection;
  m_selection = nullptr;
  m_selectionCapacity = 0;
  m_selectionCount = 0;
}

void SelectionSnapshot::TakeSelectionSnapshot(HostDocument doc) {
  if (m_walkingSnapshot) return;

  m_selectedLineLength = 0;
  m_selectionCount = 0;

  const int objectCount = doc.ObjectCount();
  const int64_t needed = CountDocumentVertices(doc, objectCount);
  // A document too large to list leaves the snapshot empty: operations change nothing.
  if (needed < 0) return;
  if (m_selectionCapacity < needed) {
    // Released first, so the old and the new array never need memory together.
    delete[] m_selection;
    m_selection = nullptr;
    m_selectionCapacity = 0;
    m_selection = new (std::nothrow) SelectionEntry[static_cast<size_t>(needed)];
    if (m_selection == nullptr) return;
    m_selectionCapacity = static_cast<int32_t>(needed);
  }
  const int32_t total = static_cast<int32_t>(needed);

  int32_t filled = 0;
  for (int o = 0; o < objectCount; ++o) {
    MQObject object = doc.Object(o);
    if (object == nullptr) continue;
    int vertices = doc.VertexCount(object);
    if (vertices < 0) vertices = 0;
    // Never more than was counted, whatever the host answers the second time.
    if (vertices > total - filled) vertices = total - filled;
    SelectionEntry* first = m_selection + filled;
    for (int v = 0; v < vertices; ++v) {
      first[v] = {o, v, static_cast<uint8_t>(doc.IsVertexSelected(o, v))};
    }
    MarkFacesAndLines(doc, o, object, first, vertices);
    filled += vertices;
  }
  m_selectionCount = filled;
}

void SelectionSnapshot::MarkFacesAndLines(HostDocument doc, int o, MQObject object,
                                          SelectionEntry* first, int vertexCount) {
  // An index outside the object's vertices names no entry: it marks nothing, and a
  // line that ends there has no length. (A negative index, taken as unsigned, lies
  // beyond any count: one comparison serves both ends.)
  auto inRange = [vertexCount](int v) {
    return static_cast<unsigned>(v) < static_cast<unsigned>(vertexCount);
  };
  auto mark = [&](int v) {
    if (inRange(v)) first[v].selected = 1;
  };

  const int faceCount = doc.FaceCount(object);
  for (int f = 0; f < faceCount; ++f) {
    const int n = doc.FacePointCount(object, f);
    if (n < 2) continue;
    int* points = m_facePoints.Reserve(n);
    if (points == nullptr) continue;  // no memory for a face this large
    doc.FacePoints(object, f, points);

    if (n >= 3 && doc.IsFaceSelected(o, f)) {
      for (int i = 0; i < n; ++i) mark(points[i]);
      continue;
    }
    // A two-point face is one line, line 0.
    const int lines = n == 2 ? 1 : n;
    for (int k = 0; k < lines; ++k) {
      if (!doc.IsLineSelected(o, f, k)) continue;
      const int a = points[k];
      // The next point, wrapping to the first: no division on this path.
      const int b = points[k + 1 < n ? k + 1 : 0];
      mark(a);
      mark(b);
      if (inRange(a) && inRange(b)) {
        const float length = EdgeLength(doc.Vertex(object, a), doc.Vertex(object, b));
        m_selectedLineLength =
            static_cast<float>(static_cast<double>(m_selectedLineLength) + length);
      }
    }
  }
}
