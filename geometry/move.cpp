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

  TakeSelectionSnapshot(doc);
  // Host events that refresh under this flag leave the readouts alone while the
  // vertices are written; they are refreshed once at the end.
  m_refreshEnabled = false;
  MQObject current = CurrentObject(doc);
  if (current == nullptr) {
    m_refreshEnabled = true;
    return true;
  }
  const bool inGlobal = m_panel->IsChecked(ctl::kGlobal);
  const FrameMatrices frame = ReadFrameMatrices(doc, current);

  if (usable) {
    WalkSelectedVertices(doc, [&](MQObject object, int vertex) {
      const Point3 v = ReadVertex(object, vertex);
      Point3 moved;
      if (inGlobal) {
        moved = Add(v, move);
      } else {
        const Point3 local = Add(TransformPoint(v, frame.toLocal), move);
        moved = TransformPoint(local, frame.toGlobal);
      }
      // A position that overflowed (or a frame that is not invertible) is not written.
      if (IsFinite(moved)) WriteVertex(object, vertex, moved);
    });
  }

  m_refreshEnabled = true;
  RefreshReadouts(doc, false);
  return true;
}
