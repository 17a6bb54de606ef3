// The one plug-in object: identity, event operations, the station-callback
// mechanism, and the state the panel and the geometry operations keep between calls.
#pragma once

#include <cstdint>

#include "geometry/face_point_buffer.h"
#include "geometry/point_math.h"
#include "plugin/plugin_base.h"

class StationPanel;

constexpr uint32_t kProductId = 0x65206520;  // 1696621856
constexpr uint32_t kPluginId = 0x65200307;   // 1696596743
constexpr int kStationPluginType = 6;
constexpr int kPluginMessageAnswer = 59;  // what ReceivePlugInMessage answers

// Entries the snapshot buffer holds from the start of the station.
constexpr int32_t kInitialSelectionCapacity = 100000;

// One vertex of the document in the selection snapshot. 12 bytes.
struct SelectionEntry {
  int32_t object;
  int32_t vertex;
  uint8_t selected;  // 0 or 1
};
static_assert(sizeof(SelectionEntry) == 12, "snapshot entries are 12 bytes");

// The rotation fields as ReadRotationFields delivers them: Y row first.
struct RotationTriple {
  float yRow, xRow, zRow;
};

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

class GridshiftPlugin : public MQStationPlugin {
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

  // --- Selection snapshot and readouts (geometry/) ---
  void TakeSelectionSnapshot(MQDocument doc);
  void RefreshReadouts(MQDocument doc, bool reset);
  bool UpdateReadouts(MQDocument doc);
  bool UpdateReadoutsResetMove(MQDocument doc);

  // --- Move and rotate (geometry/) ---
  bool MoveSelection(MQDocument doc);
  bool RotateSelection(MQDocument doc);

  // --- Align and paste (geometry/) ---
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
  bool SetSelectionAxis(MQDocument doc, int axis, float value);

  // --- Local frame (geometry/) ---
  bool SetLocalFrameFromSelection(MQDocument doc);
  Point3 MeasureEdgeDirection(MQDocument doc, int object, int face, int line, int referenceVertex);
  bool StoreLocalFrame1(MQDocument doc);
  bool StoreLocalFrame2(MQDocument doc);
  bool LoadLocalFrame1(MQDocument doc);
  bool LoadLocalFrame2(MQDocument doc);

  // The hidden "RearView" button: asks for scene 0 and does nothing with it.
  bool FetchScene(MQDocument doc);

  // --- Value fields (panel/value_fields.cpp) ---
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

  // --- State, in this order; constant-initialised ---
  StationPanel* m_panel = nullptr;  // owned
  bool m_shown = false;
  bool m_refreshEnabled = false;
  float m_frameSlots[2][16] = {};
  SelectionEntry* m_selection = nullptr;  // owned array of m_selectionCapacity
  int32_t m_selectionCount = 0;
  int32_t m_selectionCapacity = 0;
  float m_selectedLineLength = 0;
  Point3 m_storedPoint = {0, 0, 0};

 private:
  // Frees the snapshot buffer: null, capacity and count 0.
  void ReleaseSelection();
  // Destroys the panel window and deletes the panel object.
  void ReleasePanel();

  // The snapshot walk every geometry operation shares: visit(object, vertex index)
  // for each selected entry, the object fetched once per run of entries, then
  // finish() (geometry/selection_walk.h).
  template <typename Visit>
  void WalkSelectedVertices(MQDocument doc, Visit&& visit);
  template <typename Visit, typename Finish>
  void WalkSelectedVertices(MQDocument doc, Visit&& visit, Finish&& finish);
  // Writes position(p) to every selected vertex at p, unless it is not finite
  // (geometry/selection_walk.h).
  template <typename Position>
  void RewriteSelectedVertices(MQDocument doc, Position&& position);
  // The frame of a move or a rotation (geometry/selection_walk.h): writes
  // reposition(position, inGlobal, frame) to every selected vertex, holding off
  // event-driven refreshes while it writes, then refreshes the readouts.
  template <typename Reposition>
  void RepositionSelection(MQDocument doc, bool usable, Reposition&& reposition);
  // Marks the corners of selected faces and the ends of selected lines of object o,
  // whose entries start at first, and adds the selected lines' lengths.
  void MarkFacesAndLines(MQDocument doc, int o, MQObject object, SelectionEntry* first,
                         int vertexCount);

  // A face's vertex indices while the snapshot reads it.
  FacePointBuffer m_facePoints;
  // Set while an operation walks the snapshot, so that a refresh the host triggers
  // meanwhile cannot rebuild the snapshot under the walk.
  bool m_walkingSnapshot = false;
};

// The plug-in object, from load to unload.
extern GridshiftPlugin g_plugin;
