// Starting, showing, stopping the station, and the document events that refresh the
// panel's readouts.
#include "panel/station_panel.h"
#include "plugin/gridshift_plugin.h"
#include "plugin/host_functions.h"

int GridshiftPlugin::StartStation() {
  if (m_panel != nullptr) return 1;

  m_panel = CreateStationPanel(this);
  if (m_panel == nullptr) return 0;
  if (!m_panel->CreatePanel(BoundHostCalls().MQ_GetWindowHandle())) {
    ReleasePanel();
    return 0;
  }

  // Bring whatever the fields hold into the "%.3f" form.
  Point3 move = ReadMoveFields();
  WriteMoveFields(move.x, move.y, move.z);
  RotationTriple angles = ReadRotationFields();
  WriteRotationFields(angles.yRow, angles.xRow, angles.zRow);

  m_panel->SetEditPlugin(this);
  m_panel->MakeTopmost();

  if (!AllocateSelection(kInitialSelectionCapacity)) {
    // Out of memory: hold nothing, as after a failed window creation.
    ReleasePanel();
    return 0;
  }

  m_storedPoint = {0, 0, 0};
  WriteStoredFields(0, 0, 0);
  m_refreshEnabled = true;
  return 1;
}

void GridshiftPlugin::StopStation() {
  if (m_panel == nullptr) return;
  ReleasePanel();
  ReleaseSelection();
}

int GridshiftPlugin::ShowStation(MQDocument doc, int flag) {
  if (m_panel == nullptr) return 0;
  m_shown = flag != 0;
  m_panel->ShowPanel(m_shown);
  RefreshReadouts(doc, false);
  return m_shown ? 1 : 0;
}

int GridshiftPlugin::IsStationShown(MQDocument) { return m_panel != nullptr && m_shown ? 1 : 0; }

// Events 210 and 211 refresh always; 220 to 222 only while the moves and rotations
// are not writing vertices. Without a panel there is nothing to refresh.
int GridshiftPlugin::OnEvent210(MQDocument doc, int) {
  if (m_panel != nullptr) RefreshReadouts(doc, false);
  return 0;
}

int GridshiftPlugin::OnEvent211(MQDocument doc, int state) { return OnEvent210(doc, state); }

void GridshiftPlugin::OnEvent221(MQDocument doc) {
  if (m_panel != nullptr && m_refreshEnabled) RefreshReadouts(doc, false);
}

void GridshiftPlugin::OnEvent222(MQDocument doc) { OnEvent221(doc); }

void GridshiftPlugin::OnEvent220(MQDocument doc) { OnEvent221(doc); }

void GridshiftPlugin::ReleasePanel() {
  if (m_panel == nullptr) return;
  m_panel->DestroyPanel();
  delete m_panel;
  m_panel = nullptr;
}
