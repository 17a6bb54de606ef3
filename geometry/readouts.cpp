// The panel's readouts of the selection: centre (the mean), per-axis maximum and
// minimum in the global or the local frame, and the total length of the selected lines.
#include "geometry/document_access.h"
#include "geometry/point_math.h"
#include "geometry/selection_walk.h"
#include "panel/control_ids.h"
#include "panel/station_panel.h"
#include "panel/value_fields.h"
#include "plugin/gridshift_plugin.h"

namespace {

// Running per-axis extremes. A NaN component never replaces a running value, since
// neither comparison holds for it.
struct Bounds {
  Point3 max = {0, 0, 0};
  Point3 min = {0, 0, 0};

  void Start(const Point3& p) { max = min = p; }
  void Include(const Point3& p) {
    if (p.x > max.x) max.x = p.x;
    if (p.y > max.y) max.y = p.y;
    if (p.z > max.z) max.z = p.z;
    if (p.x < min.x) min.x = p.x;
    if (p.y < min.y) min.y = p.y;
    if (p.z < min.z) min.z = p.z;
  }
};

Point3 Divide(const Point3& sum, int count) {
  const float n = static_cast<float>(count);
  return {static_cast<float>(static_cast<double>(sum.x) / n),
          static_cast<float>(static_cast<double>(sum.y) / n),
          static_cast<float>(static_cast<double>(sum.z) / n)};
}

}  // namespace

void GridshiftPlugin::RefreshReadouts(MQDocument doc, bool reset) {
  // Without a panel there is nothing to show; during a walk the operation that walks
  // refreshes when it is done.
  if (m_panel == nullptr || m_walkingSnapshot) return;

  TakeSelectionSnapshot(doc);
  MQObject current = CurrentObject(doc);
  if (current == nullptr) return;
  Matrix4 inverse = {};
  host::MQDoc_GetGlobalInverseMatrix(doc, current, inverse.m);
  const WideMatrix toLocal = Widen(inverse);

  // Only the frame the panel shows is measured: the other frame's sums and extremes
  // would be thrown away, and skipping them halves the work per vertex.
  const bool inGlobal = m_panel->IsChecked(ctl::kGlobal);
  Point3 sum = {0, 0, 0};
  Bounds bounds;
  int count = 0;
  WalkSelectedVertices(doc, [&](MQObject object, int vertex) {
    const Point3 v = ReadVertex(object, vertex);
    const Point3 p = inGlobal ? v : TransformPoint(v, toLocal);
    sum = Add(sum, p);
    if (count == 0) {
      bounds.Start(p);
    } else {
      bounds.Include(p);
    }
    ++count;
  });

  const Point3 centre = count > 0 ? Divide(sum, count) : Point3{0, 0, 0};
  WriteCentreFields(centre.x, centre.y, centre.z);
  WriteMaxFields(bounds.max.x, bounds.max.y, bounds.max.z);
  WriteMinFields(bounds.min.x, bounds.min.y, bounds.min.z);

  if (m_panel->IsChecked(ctl::kAbsolute)) {
    WriteMoveFields(centre.x, centre.y, centre.z);
  } else if (reset) {
    WriteMoveFields(0, 0, 0);
  }
  WriteValueField(*m_panel, ctl::kTotalLength, m_selectedLineLength);
}

bool GridshiftPlugin::UpdateReadouts(MQDocument doc) {
  RefreshReadouts(doc, false);
  return true;
}

bool GridshiftPlugin::UpdateReadoutsResetMove(MQDocument doc) {
  RefreshReadouts(doc, true);
  return true;
}
