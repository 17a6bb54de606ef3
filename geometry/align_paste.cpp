// The stored coordinate (Copy and the seven pastes into the move fields) and the align
// buttons, which set one coordinate of every selected vertex to a shown value.
#include <cmath>

#include "geometry/document_access.h"
#include "geometry/point_math.h"
#include "geometry/selection_walk.h"
#include "panel/control_ids.h"
#include "panel/station_panel.h"
#include "panel/value_fields.h"
#include "plugin/gridshift_plugin.h"

namespace {

// Which of the stored coordinate's components a paste writes into the move fields.
struct PasteRows {
  bool x, y, z;
};

void PasteStored(StationPanel* panel, const Point3& stored, PasteRows rows) {
  if (panel == nullptr) return;
  if (rows.x) WriteValueField(*panel, ctl::kMoveX, stored.x);
  if (rows.y) WriteValueField(*panel, ctl::kMoveY, stored.y);
  if (rows.z) WriteValueField(*panel, ctl::kMoveZ, stored.z);
}

}  // namespace

bool GridshiftPlugin::CopyToStoredPoint(MQDocument) {
  if (m_panel == nullptr) return true;
  // In absolute mode the move fields hold a target position; otherwise the centre as
  // shown is what the user means.
  m_storedPoint = m_panel->IsChecked(ctl::kAbsolute) ? ReadMoveFields() : ReadCentreFields();
  WriteStoredFields(m_storedPoint.x, m_storedPoint.y, m_storedPoint.z);
  return true;
}

bool GridshiftPlugin::PasteStoredX(MQDocument) {
  PasteStored(m_panel, m_storedPoint, {true, false, false});
  return true;
}

bool GridshiftPlugin::PasteStoredY(MQDocument) {
  PasteStored(m_panel, m_storedPoint, {false, true, false});
  return true;
}

bool GridshiftPlugin::PasteStoredZ(MQDocument) {
  PasteStored(m_panel, m_storedPoint, {false, false, true});
  return true;
}

bool GridshiftPlugin::PasteStoredXY(MQDocument) {
  PasteStored(m_panel, m_storedPoint, {true, true, false});
  return true;
}

bool GridshiftPlugin::PasteStoredXZ(MQDocument) {
  PasteStored(m_panel, m_storedPoint, {true, false, true});
  return true;
}

bool GridshiftPlugin::PasteStoredYZ(MQDocument) {
  PasteStored(m_panel, m_storedPoint, {false, true, true});
  return true;
}

bool GridshiftPlugin::PasteStoredXYZ(MQDocument) {
  WriteMoveFields(m_storedPoint.x, m_storedPoint.y, m_storedPoint.z);
  return true;
}

// The centre, maximum and minimum aligns use the readouts as shown (three decimals),
// the stored aligns the stored coordinate at full precision.
bool GridshiftPlugin::AlignCentreX(MQDocument doc) {
  return SetSelectionAxis(doc, 1, ReadCentreFields().x);
}
bool GridshiftPlugin::AlignCentreY(MQDocument doc) {
  return SetSelectionAxis(doc, 2, ReadCentreFields().y);
}
bool GridshiftPlugin::AlignCentreZ(MQDocument doc) {
  return SetSelectionAxis(doc, 3, ReadCentreFields().z);
}
bool GridshiftPlugin::AlignMaxX(MQDocument doc) {
  return SetSelectionAxis(doc, 1, ReadMaxFields().x);
}
bool GridshiftPlugin::AlignMaxY(MQDocument doc) {
  return SetSelectionAxis(doc, 2, ReadMaxFields().y);
}
bool GridshiftPlugin::AlignMaxZ(MQDocument doc) {
  return SetSelectionAxis(doc, 3, ReadMaxFields().z);
}
bool GridshiftPlugin::AlignMinX(MQDocument doc) {
  return SetSelectionAxis(doc, 1, ReadMinFields().x);
}
bool GridshiftPlugin::AlignMinY(MQDocument doc) {
  return SetSelectionAxis(doc, 2, ReadMinFields().y);
}
bool GridshiftPlugin::AlignMinZ(MQDocument doc) {
  return SetSelectionAxis(doc, 3, ReadMinFields().z);
}
bool GridshiftPlugin::AlignStoredX(MQDocument doc) {
  return SetSelectionAxis(doc, 1, m_storedPoint.x);
}
bool GridshiftPlugin::AlignStoredY(MQDocument doc) {
  return SetSelectionAxis(doc, 2, m_storedPoint.y);
}
bool GridshiftPlugin::AlignStoredZ(MQDocument doc) {
  return SetSelectionAxis(doc, 3, m_storedPoint.z);
}

bool GridshiftPlugin::SetSelectionAxis(MQDocument doc, int axis, float value) {
  if (m_panel == nullptr) return true;

  TakeSelectionSnapshot(doc);
  MQObject current = CurrentObject(doc);
  if (current == nullptr) return true;
  const bool inGlobal = m_panel->IsChecked(ctl::kGlobal);
  const FrameMatrices frame = ReadFrameMatrices(doc, current);

  // A readout that shows "inf" or "nan" is no coordinate to align to; an axis other
  // than 1, 2 or 3 replaces nothing.
  Point3 probe = {0, 0, 0};
  if (std::isfinite(value) && AxisComponent(probe, axis) != nullptr) {
    RewriteSelectedVertices(doc, [&](const Point3& v) {
      Point3 aligned = inGlobal ? v : TransformPoint(v, frame.toLocal);
      *AxisComponent(aligned, axis) = value;
      return inGlobal ? aligned : TransformPoint(aligned, frame.toGlobal);
    });
  }

  RefreshReadouts(doc, false);
  return true;
}
