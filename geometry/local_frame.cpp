// The current object's local frame as the host keeps it in per-object float arrays:
// origin and Z axis set from the selection, and two slots to store and load the whole
// frame block.
#include <cmath>
#include <cstring>
#include <utility>

#include "geometry/angles.h"
#include "geometry/document_access.h"
#include "geometry/point_math.h"
#include "plugin/gridshift_plugin.h"
#include "plugin/host_functions.h"

namespace {

constexpr int kFrameFloats = 16;

// Lines of a face of n points that can be selected: every edge of a polygon, the one
// line of a two-point face, none of a single point.
int SelectableLines(int n) {
  if (n >= 3) return n;
  return n == 2 ? 1 : 0;
}

void StoreFrame(MQDocument doc, float (&slot)[kFrameFloats]) {
  MQObject current = CurrentObject(doc);
  if (current == nullptr) return;
  // Zeroed first: a host that fills nothing stores zeros rather than stale floats.
  float frame[kFrameFloats] = {};
  host::MQObj_GetFloatArray(current, kLocalFrameArray, frame);
  std::memcpy(slot, frame, sizeof frame);
}

void LoadFrame(MQDocument doc, const float (&slot)[kFrameFloats]) {
  MQObject current = CurrentObject(doc);
  if (current == nullptr) return;
  host::MQObj_SetFloatArray(current, kLocalFrameArray, slot);
}

}  // namespace

bool GridshiftPlugin::SetLocalFrameFromSelection(MQDocument doc) {
  // Both arrays belong to the current object, whichever object holds the selection.
  MQObject current = CurrentObject(doc);
  if (current == nullptr) return true;

  int referenceVertex = -1;
  const int objectCount = host::MQDoc_GetObjectCount(doc);
  for (int i = 0; i < objectCount; ++i) {
    MQObject object = host::MQDoc_GetObject(doc, i);
    if (object == nullptr) continue;

    // Origin: the first selected vertex of this object. A later object with a selected
    // vertex overwrites it, up to the object that holds the first selected line.
    const int vertexCount = host::MQObj_GetVertexCount(object);
    for (int j = 0; j < vertexCount; ++j) {
      if (host::MQDoc_IsSelectVertex(doc, i, j) == 0) continue;
      const Point3 origin = ReadVertex(object, j);
      host::MQObj_SetFloatArray(current, kLocalOriginArray, &origin.x);
      referenceVertex = j;
      break;
    }

    // Z axis: the first selected line, taken away from the origin when it is an end.
    const int faceCount = host::MQObj_GetFaceCount(object);
    for (int f = 0; f < faceCount; ++f) {
      const int lines = SelectableLines(host::MQObj_GetFacePointCount(object, f));
      for (int k = 0; k < lines; ++k) {
        if (host::MQDoc_IsSelectLine(doc, i, f, k) == 0) continue;
        const Point3 angles = MeasureEdgeDirection(doc, i, f, k, referenceVertex);
        host::MQObj_SetFloatArray(current, kLocalAnglesArray, &angles.x);
        return true;
      }
    }
  }
  return true;
}

Point3 GridshiftPlugin::MeasureEdgeDirection(MQDocument doc, int objectIndex, int face, int line,
                                             int referenceVertex) {
  const Point3 none = {0, 0, 0};
  MQObject object = host::MQDoc_GetObject(doc, objectIndex);
  if (object == nullptr) return none;
  const int n = host::MQObj_GetFacePointCount(object, face);
  if (line < 0 || line >= n) return none;
  int* points = m_facePoints.Reserve(n);
  if (points == nullptr) return none;
  host::MQObj_GetFacePointArray(object, face, points);

  int start = points[line];
  int end = points[(line + 1) % n];
  // When the reference vertex is an end, the line runs away from it.
  if (end == referenceVertex) std::swap(start, end);
  const int vertexCount = host::MQObj_GetVertexCount(object);
  if (start < 0 || start >= vertexCount || end < 0 || end >= vertexCount) return none;

  const Point3 d = Subtract(ReadVertex(object, end), ReadVertex(object, start));
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

bool GridshiftPlugin::StoreLocalFrame1(MQDocument doc) {
  StoreFrame(doc, m_frameSlots[0]);
  return true;
}

bool GridshiftPlugin::StoreLocalFrame2(MQDocument doc) {
  StoreFrame(doc, m_frameSlots[1]);
  return true;
}

bool GridshiftPlugin::LoadLocalFrame1(MQDocument doc) {
  LoadFrame(doc, m_frameSlots[0]);
  return true;
}

bool GridshiftPlugin::LoadLocalFrame2(MQDocument doc) {
  LoadFrame(doc, m_frameSlots[1]);
  return true;
}
