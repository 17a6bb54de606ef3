// Moving the selection by the vector in the move fields (relative) or so that its
// centre lands on the position typed there (absolute), in the global or local frame.
#include "geometry/document_access.h"
#include "geometry/point_math.h"
#include "geometry/selection_walk.h"
#include "panel/control_ids.h"
#include "panel/station_panel.h"
#include "plugin/gridshift_plugin.h"

bool GridshiftPlugin::MoveSelection(MQDocument doc) {
  if (m_panel == nullptr) return true;

  Point3 move = ReadMoveFields();
  WriteMoveFields(move.x, move.y, move.z);
  const Point3 centre = ReadCentreFields();
  if (m_panel->IsChecked(ctl::kAbsolute)) move = Subtract(move, centre);
  // A field that read as infinity or NaN gives no usable displacement at all.
  const bool usable = IsFinite(move);

  RepositionSelection(doc, usable, [&](const Point3& v, bool inGlobal, const FrameMatrices& frame) {
    if (inGlobal) return Add(v, move);
    const Point3 local = Add(TransformPoint(v, frame.toLocal), move);
    return TransformPoint(local, frame.toGlobal);
  });
  return true;
}
