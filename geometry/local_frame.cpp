#include "geometry/local_frame.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "geometry/angles.h"

namespace {

// Lines of a face of n points that can be selected: every edge of a polygon, the one
// line of a two-point face, none of a single point.
int SelectableLines(int n) {
  if (n >= 3) return n;
  return n == 2 ? 1 : 0;
}

}  // namespace

void SetLocalFrameFromSelection(HostDocument doc, FacePointBuffer& facePoints) {
  // Both arrays belong to the current object, whichever object holds the selection.
  MQObject current = doc.CurrentObject();
  if (current == nullptr) return;

  int referenceVertex = -1;
  const int objectCount = doc.ObjectCount();
  for (int i = 0; i < objectCount; ++i) {
    MQObject object = doc.Object(i);
    if (object == nullptr) continue;

    // Origin: the first selected vertex of this object.
    const int vertexCount = doc.VertexCount(object);
    for (int j = 0; j < vertexCount; ++j) {
      if (!doc.IsVertexSelected(i, j)) continue;
      const Point3 origin = doc.Vertex(object, j);
      doc.WriteFloatArray(current, kLocalOriginArray, &origin.x);
      referenceVertex = j;
      break;
    }

    // Z axis: the first selected line.
    const int faceCount = doc.FaceCount(object);
    for (int f = 0; f < faceCount; ++f) {
      const int lines = SelectableLines(doc.FacePointCount(object, f));
      for (int k = 0; k < lines; ++k) {
        if (!doc.IsLineSelected(i, f, k)) continue;
        const Point3 angles = MeasureEdgeDirection(doc, facePoints, i, f, k, referenceVertex);
        doc.WriteFloatArray(current, kLocalAnglesArray, &angles.x);
        return;
      }
    }
  }
}

Point3 MeasureEdgeDirection(HostDocument doc, FacePointBuffer& facePoints, int objectIndex,
                            int face, int line, int referenceVertex) {
  const Point3 none = {0, 0, 0};
  MQObject object = doc.Object(objectIndex);
  if (object == nullptr) return none;
  const int n = doc.FacePointCount(object, face);
  if (line < 0 || line >= n) return none;
  int* points = facePoints.Reserve(n);
  if (points == nullptr) return none;
  doc.FacePoints(object, face, points);

  int start = points[line];
  int end = points[(line + 1) % n];
  // When the reference vertex is an end, the line runs away from it.
  if (end == referenceVertex) std::swap(start, end);
  const int vertexCount = doc.VertexCount(object);
  if (start < 0 || start >= vertexCount || end < 0 || end >= vertexCount) return none;

  const Point3 d = Subtract(doc.Vertex(object, end), doc.Vertex(object, start));
  const float lengthSquared =
      static_cast<float>(static_cast<double>(d.x) * d.x + static_cast<double>(d.y) * d.y +
                         static_cast<double>(d.z) * d.z);
  // A line of no length has no direction (0/0 would make the elevation NaN), and
  // neither has one with an end that is not finite.
  if (lengthSquared == 0 || !std::isfinite(lengthSquared)) return none;
  const float length = std::sqrt(lengthSquared);

  const float heading = static_cast<float>(std::atan2(static_cast<double>(d.x), d.z));
  const float sine = static_cast<float>(static_cast<double>(d.y) / length);
  const float rise = static_cast<float>(std::asin(static_cast<double>(sine)));
  // Elevation is measured downwards: a rising line gets [270, 360], a falling one (0, 90].
  return {NormalizeDegrees(RadiansToDegrees(heading)), NormalizeDegrees(RadiansToDegrees(-rise)),
          0};
}

void StoreLocalFrame(HostDocument doc, FrameSlot& slot) {
  MQObject current = doc.CurrentObject();
  if (current == nullptr) return;
  // Zeroed first: a host that fills nothing stores zeros rather than stale floats.
  FrameSlot frame = {};
  doc.ReadFloatArray(current, kLocalFrameArray, frame);
  std::memcpy(slot, frame, sizeof frame);
}

void LoadLocalFrame(HostDocument doc, const FrameSlot& slot) {
  MQObject current = doc.CurrentObject();
  if (current == nullptr) return;
  doc.WriteFloatArray(current, kLocalFrameArray, slot);
}
