// The value fields as triples of numbers, and the two Clr operations. The fields'
// text form is the panel's (panel/value_fields.h); the triples' meaning is here.
#include "panel/station_panel.h"
#include "panel/value_fields.h"
#include "plugin/gridshift_plugin.h"

namespace {

Point3 ReadTriple(StationPanel* panel, const int (&rows)[3]) {
  if (panel == nullptr) return {0, 0, 0};
  return {ReadValueField(*panel, rows[0]), ReadValueField(*panel, rows[1]),
          ReadValueField(*panel, rows[2])};
}

void WriteTriple(StationPanel* panel, const int (&rows)[3], float x, float y, float z) {
  if (panel == nullptr) return;
  WriteValueField(*panel, rows[0], x);
  WriteValueField(*panel, rows[1], y);
  WriteValueField(*panel, rows[2], z);
}

}  // namespace

Point3 GridshiftPlugin::ReadMoveFields() { return ReadTriple(m_panel, fields::kMove); }

void GridshiftPlugin::WriteMoveFields(float x, float y, float z) {
  WriteTriple(m_panel, fields::kMove, x, y, z);
}

// The triple starts with the Y row: the rotation applies Y first.
RotationTriple GridshiftPlugin::ReadRotationFields() {
  const Point3 rows = ReadTriple(m_panel, fields::kRotation);
  return {rows.y, rows.x, rows.z};
}

void GridshiftPlugin::WriteRotationFields(float a0, float a1, float a2) {
  WriteTriple(m_panel, fields::kRotation, a1, a0, a2);
}

Point3 GridshiftPlugin::ReadCentreFields() { return ReadTriple(m_panel, fields::kCentre); }

void GridshiftPlugin::WriteCentreFields(float x, float y, float z) {
  WriteTriple(m_panel, fields::kCentre, x, y, z);
}

Point3 GridshiftPlugin::ReadMaxFields() { return ReadTriple(m_panel, fields::kMax); }

void GridshiftPlugin::WriteMaxFields(float x, float y, float z) {
  WriteTriple(m_panel, fields::kMax, x, y, z);
}

Point3 GridshiftPlugin::ReadMinFields() { return ReadTriple(m_panel, fields::kMin); }

void GridshiftPlugin::WriteMinFields(float x, float y, float z) {
  WriteTriple(m_panel, fields::kMin, x, y, z);
}

void GridshiftPlugin::WriteStoredFields(float x, float y, float z) {
  WriteTriple(m_panel, fields::kStored, x, y, z);
}

bool GridshiftPlugin::ClearMoveFields(MQDocument) {
  if (m_panel == nullptr) return true;
  if (m_panel->IsChecked(ctl::kRelative)) {
    WriteMoveFields(0, 0, 0);
    return true;
  }
  // Absolute: the target becomes the centre as shown, text for text.
  for (int row = 0; row < 3; ++row) {
    char text[kFieldTextSize];
    m_panel->GetFieldText(fields::kCentre[row], text, kFieldTextSize);
    m_panel->SetFieldText(fields::kMove[row], text);
  }
  return true;
}

bool GridshiftPlugin::ClearRotationFields(MQDocument) {
  WriteRotationFields(0, 0, 0);
  return true;
}
