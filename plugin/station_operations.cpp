// The panel's operations, each a StationOperation run inside a station callback: what
// it reads from the panel, which computation of the geometry it runs on the document,
// and what it writes back.
#include <cmath>

#include "geometry/readouts.h"
#include "geometry/reposition.h"
#include "panel/control_ids.h"
#include "panel/station_panel.h"
#include "panel/value_fields.h"
#include "plugin/gridshift_plugin.h"
#include "plugin/host_functions.h"

// --- Readouts ---

void GridshiftPlugin::TakeSelectionSnapshot(MQDocument doc) {
  SelectionSnapshot::TakeSelectionSnapshot(DocumentOf(doc));
}

void GridshiftPlugin::RefreshReadouts(MQDocument doc, bool reset) {
  // Without a panel there is nothing to show; during a walk the operation that walks
  // refreshes when it is done.
  if (m_panel == nullptr || IsWalking()) return;
  const bool inGlobal = ShowsGlobalFrame();
  const bool absolute = m_panel->IsChecked(ctl::kAbsolute);

  TakeSelectionSnapshot(doc);
  SelectionReadouts readouts;
  if (!MeasureSelection(DocumentOf(doc), *this, inGlobal, &readouts)) return;

  const Point3& centre = readouts.centre;
  WriteCentreFields(centre.x, centre.y, centre.z);
  WriteMaxFields(readouts.max.x, readouts.max.y, readouts.max.z);
  WriteMinFields(readouts.min.x, readouts.min.y, readouts.min.z);
  if (absolute) {
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

// --- Move and rotate ---

bool GridshiftPlugin::ShowsGlobalFrame() { return m_panel->IsChecked(ctl::kGlobal); }

// Host events that refresh under m_refreshEnabled leave the readouts alone while the
// vertices are written; they are refreshed once at the end.
template <typename Reposition>
void GridshiftPlugin::RepositionSelection(MQDocument doc, bool usable, Reposition&& reposition) {
  const HostDocument document = DocumentOf(doc);
  TakeSelectionSnapshot(doc);
  m_refreshEnabled = false;
  FrameMatrices frame;
  const bool framed = ReadCurrentFrame(document, &frame);
  if (framed && usable) {
    RewriteSelectedVertices(document, *this,
                            [&](const Point3& p) { return reposition(p, frame); });
  }
  m_refreshEnabled = true;
  if (framed) RefreshReadouts(doc, false);
}

// By the vector in the move fields (relative), or so that the centre lands on the
// position typed there (absolute).
bool GridshiftPlugin::MoveSelection(MQDocument doc) {
  if (m_panel == nullptr) return true;
  Point3 move = ReadMoveFields();
  WriteMoveFields(move.x, move.y, move.z);
  const Point3 centre = ReadCentreFields();
  if (m_panel->IsChecked(ctl::kAbsolute)) move = Subtract(move, centre);
  const bool inGlobal = ShowsGlobalFrame();

  // A field that read as infinity or NaN gives no usable displacement at all.
  RepositionSelection(doc, IsFinite(move), [&](const Point3& p, const FrameMatrices& frame) {
    return MovedPoint(p, move, inGlobal, frame);
  });
  return true;
}

bool GridshiftPlugin::RotateSelection(MQDocument doc) {
  if (m_panel == nullptr) return true;
  const RotationTriple angles = ReadRotationFields();
  // The fields show the angles as read (400.000 stays 400.000); only the rotation's
  // own copy is brought into a whole turn.
  WriteRotationFields(angles.yRow, angles.xRow, angles.zRow);
  const bool inGlobal = ShowsGlobalFrame();

  const Turn turn(angles);
  RepositionSelection(doc, turn.IsUsable(), [&](const Point3& p, const FrameMatrices& frame) {
    return turn.Apply(p, inGlobal, frame);
  });
  return true;
}

// --- The stored coordinate and the aligns ---

bool GridshiftPlugin::CopyToStoredPoint(MQDocument) {
  if (m_panel == nullptr) return true;
  // In absolute mode the move fields hold a target position; otherwise the centre as
  // shown is what the user means.
  m_storedPoint = m_panel->IsChecked(ctl::kAbsolute) ? ReadMoveFields() : ReadCentreFields();
  WriteStoredFields(m_storedPoint.x, m_storedPoint.y, m_storedPoint.z);
  return true;
}

void GridshiftPlugin::PasteStored(bool x, bool y, bool z) {
  if (m_panel == nullptr) return;
  if (x) WriteValueField(*m_panel, ctl::kMoveX, m_storedPoint.x);
  if (y) WriteValueField(*m_panel, ctl::kMoveY, m_storedPoint.y);
  if (z) WriteValueField(*m_panel, ctl::kMoveZ, m_storedPoint.z);
}

bool GridshiftPlugin::PasteStoredX(MQDocument) {
  PasteStored(true, false, false);
  return true;
}

bool GridshiftPlugin::PasteStoredY(MQDocument) {
  PasteStored(false, true, false);
  return true;
}

bool GridshiftPlugin::PasteStoredZ(MQDocument) {
  PasteStored(false, false, true);
  return true;
}

bool GridshiftPlugin::PasteStoredXY(MQDocument) {
  PasteStored(true, true, false);
  return true;
}

bool GridshiftPlugin::PasteStoredXZ(MQDocument) {
  PasteStored(true, false, true);
  return true;
}

bool GridshiftPlugin::PasteStoredYZ(MQDocument) {
  PasteStored(false, true, true);
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

// Unlike a move or a rotation, an align leaves m_refreshEnabled alone: the snapshot
// it walks stays valid all the same, since a refresh never rebuilds it during a walk.
bool GridshiftPlugin::SetSelectionAxis(MQDocument doc, int axis, float value) {
  if (m_panel == nullptr) return true;
  const bool inGlobal = ShowsGlobalFrame();
  const HostDocument document = DocumentOf(doc);

  TakeSelectionSnapshot(doc);
  FrameMatrices frame;
  if (!ReadCurrentFrame(document, &frame)) return true;
  // A readout that shows "inf" or "nan" is no coordinate to align to.
  if (std::isfinite(value) && IsAxis(axis)) {
    RewriteSelectedVertices(document, *this, [&](const Point3& p) {
      return AlignedPoint(p, axis, value, inGlobal, frame);
    });
  }
  RefreshReadouts(doc, false);
  return true;
}

// --- The local frame ---

bool GridshiftPlugin::SetLocalFrameFromSelection(MQDocument doc) {
  ::SetLocalFrameFromSelection(DocumentOf(doc), FacePoints());
  return true;
}

Point3 GridshiftPlugin::MeasureEdgeDirection(MQDocument doc, int object, int face, int line,
                                             int referenceVertex) {
  return ::MeasureEdgeDirection(DocumentOf(doc), FacePoints(), object, face, line,
                                referenceVertex);
}

bool GridshiftPlugin::StoreLocalFrame1(MQDocument doc) {
  StoreLocalFrame(DocumentOf(doc), m_frameSlots[0]);
  return true;
}

bool GridshiftPlugin::StoreLocalFrame2(MQDocument doc) {
  StoreLocalFrame(DocumentOf(doc), m_frameSlots[1]);
  return true;
}

bool GridshiftPlugin::LoadLocalFrame1(MQDocument doc) {
  LoadLocalFrame(DocumentOf(doc), m_frameSlots[0]);
  return true;
}

bool GridshiftPlugin::LoadLocalFrame2(MQDocument doc) {
  LoadLocalFrame(DocumentOf(doc), m_frameSlots[1]);
  return true;
}

// --- The hidden "RearView" button ---

bool GridshiftPlugin::FetchScene(MQDocument doc) {
  BoundHostCalls().MQDoc_GetScene(doc, 0);
  return true;
}
