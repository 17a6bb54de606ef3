// The one plug-in object: identity, event operations, the station-callback mechanism,
// and the controller between the panel and the geometry. Each panel operation reads
// what it needs from the panel, hands plain values to the geometry, and writes the
// results back; the state it keeps between calls is private.
#pragma once

#include <cstdint>

#include "geometry/local_frame.h"
#include "geometry/point_math.h"
#include "geometry/rotate.h"
#include "geometry/selection_snapshot.h"
#include "panel/panel_client.h"
#include "plugin/plugin_base.h"

class StationPanel;

constexpr uint32_t kProductId = 0x65206520;  // 1696621856
constexpr uint32_t kPluginId = 0x65200307;   // 1696596743
constexpr int kStationPluginType = 6;
constexpr int kPluginMessageAnswer = 59;  // what ReceivePlugInMessage answers

class GridshiftPlugin;

// A panel operation: runs inside a station callback on the document it is given.
// Every one answers true.
typedef bool (GridshiftPlugin::*StationOperation)(MQDocument doc);

// What the plug-in hands to MQ_StationCallback: the object and the operation.
struct StationCallRecord {
  GridshiftPlugin* plugin;
  StationOperation* operation;
};

// The procedure handed to MQ_StationCallback; option points at a StationCallRecord.
int StationCallbackProc(MQDocument doc, void* option);

class GridshiftPlugin : public MQStationPlugin,
                        public PanelClient,
                        private SelectionSnapshot {
 public:
  constexpr GridshiftPlugin() = default;
  ~GridshiftPlugin() override;
  GridshiftPlugin(const GridshiftPlugin&) = delete;
  GridshiftPlugin& operator=(const GridshiftPlugin&) = delete;

  // Identity.
  void ReportPlugInID(uint32_t* product, uint32_t* id) override;
  const char* ReportPlugInName() override;
  int ReportPlugInType() override;
  const char* ReportEnumString() override;

  // Station lifecycle (plugin/station_lifecycle.cpp).
  int StartStation() override;
  void StopStation() override;
  int ShowStation(MQDocument doc, int flag) override;
  int IsStationShown(MQDocument doc) override;

  // Events.
  void OnEvent102(MQDocument doc, int flag) override;
  int ReceivePlugInMessage(MQDocument doc, int product, int id, void* description,
                           void* message) override;
  void OnEvent110(MQDocument doc, void* scene, int width, int height) override;
  void OnEvent200(MQDocument doc, void* filename, Event200Record* record) override;
  void OnEvent201(MQDocument doc) override;
  void OnEvent202(MQDocument doc, void* filename, Event202Record* record) override;
  int OnEvent210(MQDocument doc, int state) override;
  int OnEvent211(MQDocument doc, int state) override;
  void OnEvent212(MQDocument doc, int state, int size) override;
  void OnEvent221(MQDocument doc) override;
  void OnEvent222(MQDocument doc) override;
  void OnEvent220(MQDocument doc) override;
  void OnEvent231(MQDocument doc) override;
  void OnEvent230(MQDocument doc) override;
  void OnEvent240(MQDocument doc, void* scene) override;
  bool RunOperation(MQDocument doc, void* operation) override;

  // Runs one operation inside a station callback; answers what MQ_StationCallback
  // answered.
  int RunStationOperation(StationOperation operation);

  // The panel's commands (plugin/panel_commands.cpp): each button's operation runs
  // through RunStationOperation; the close box clears the shown flag and tells the
  // host.
  bool RunCommand(int id) override;
  void OnPanelClosed() override;

  // --- Panel operations (plugin/station_operations.cpp) ---
  // The readouts: a fresh snapshot measured in the frame the panel shows, written to
  // the centre, maximum, minimum and total-length fields, and in absolute mode to the
  // move fields (with reset, in relative mode, the move fields are cleared).
  void TakeSelectionSnapshot(MQDocument doc);
  void RefreshReadouts(MQDocument doc, bool reset);
  bool UpdateReadouts(MQDocument doc);
  bool UpdateReadoutsResetMove(MQDocument doc);

  bool MoveSelection(MQDocument doc);
  bool RotateSelection(MQDocument doc);

  bool CopyToStoredPoint(MQDocument doc);
  bool PasteStoredX(MQDocument doc);
  bool PasteStoredY(MQDocument doc);
  bool PasteStoredZ(MQDocument doc);
  bool PasteStoredXY(MQDocument doc);
  bool PasteStoredXZ(MQDocument doc);
  bool PasteStoredYZ(MQDocument doc);
  bool PasteStoredXYZ(MQDocument doc);
  bool AlignCentreX(MQDocument doc);
  bool AlignCentreY(MQDocument doc);
  bool AlignCentreZ(MQDocument doc);
  bool AlignMaxX(MQDocument doc);
  bool AlignMaxY(MQDocument doc);
  bool AlignMaxZ(MQDocument doc);
  bool AlignMinX(MQDocument doc);
  bool AlignMinY(MQDocument doc);
  bool AlignMinZ(MQDocument doc);
  bool AlignStoredX(MQDocument doc);
  bool AlignStoredY(MQDocument doc);
  bool AlignStoredZ(MQDocument doc);
  // Sets component axis (1 x, 2 y, 3 z) of every selected vertex to value.
  bool SetSelectionAxis(MQDocument doc, int axis, float value);

  bool SetLocalFrameFromSelection(MQDocument doc);
  Point3 MeasureEdgeDirection(MQDocument doc, int object, int face, int line, int referenceVertex);
  bool StoreLocalFrame1(MQDocument doc);
  bool StoreLocalFrame2(MQDocument doc);
  bool LoadLocalFrame1(MQDocument doc);
  bool LoadLocalFrame2(MQDocument doc);

  // The hidden "RearView" button: asks for scene 0 and does nothing with it.
  bool FetchScene(MQDocument doc);

  // --- Value fields (plugin/panel_fields.cpp) ---
  // The readers answer 0 and the writers do nothing while there is no panel.
  Point3 ReadMoveFields();
  void WriteMoveFields(float x, float y, float z);
  RotationTriple ReadRotationFields();
  void WriteRotationFields(float a0, float a1, float a2);
  Point3 ReadCentreFields();
  void WriteCentreFields(float x, float y, float z);
  Point3 ReadMaxFields();
  void WriteMaxFields(float x, float y, float z);
  Point3 ReadMinFields();
  void WriteMinFields(float x, float y, float z);
  void WriteStoredFields(float x, float y, float z);
  bool ClearMoveFields(MQDocument doc);
  bool ClearRotationFields(MQDocument doc);

  // --- What the station holds, read-only ---
  const SelectionSnapshot& Selection() const { return *this; }
  Point3 StoredPoint() const { return m_storedPoint; }
  bool RefreshEnabled() const { return m_refreshEnabled; }

 private:
  // The host's document of this call, through the bound document port.
  static HostDocument DocumentOf(MQDocument doc);
  // Whether the panel shows the global frame ("Global" checked) or the local one.
  bool ShowsGlobalFrame();
  // The frame of a move or a rotation: writes reposition(p, frame) to every selected
  // vertex unless usable is false, holding off event-driven refreshes while it
  // writes, then refreshes the readouts. Without a current object nothing is written
  // and nothing refreshed.
  template <typename Reposition>
  void RepositionSelection(MQDocument doc, bool usable, Reposition&& reposition);
  // Writes the stored coordinate's components of rows (x, y, z) into the move fields.
  void PasteStored(bool x, bool y, bool z);

  // Destroys the panel window and deletes the panel object.
  void ReleasePanel();

  // --- State, constant-initialised ---
  StationPanel* m_panel = nullptr;  // owned
  bool m_shown = false;
  bool m_refreshEnabled = false;
  FrameSlot m_frameSlots[2] = {};
  Point3 m_storedPoint = {0, 0, 0};
  // The snapshot fields m_selection, m_selectionCount, m_selectionCapacity and
  // m_selectedLineLength are SelectionSnapshot's.
};

// The plug-in object, from load to unload.
extern GridshiftPlugin g_plugin;
