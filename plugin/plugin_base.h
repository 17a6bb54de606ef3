// The host's plug-in base classes as this plug-in sees them: a station plug-in
// overrides twenty-four operations that the entry points reach, and a command
// plug-in (a kind of station plug-in) adds thirteen pointer and key operations.
#pragma once

#include "plugin/host_types.h"

// Built by the dispatcher for event 200; lives for the duration of the call.
struct Event200Record {
  void* element;  // value pointer of "xml_elem"
};

// Built by the dispatcher for event 202. saveUniqueIds starts at 0; an operation
// that sets it makes the dispatcher write 1 into "save_uid".
struct Event202Record {
  void* element;  // value pointer of "xml_elem"
  int32_t saveUniqueIds;
};

// Mouse and key state handed to command plug-ins (events 120 to 130, 140, 141).
struct MouseStateRecord {
  int32_t x;
  int32_t y;
  int32_t wheel;
  int32_t leftButton;    // bit 0 of "button_state"
  int32_t middleButton;  // bit 4
  int32_t rightButton;   // bit 1
  int32_t shiftKey;      // bit 2
  int32_t ctrlKey;       // bit 3
  int32_t altKey;        // bit 5
};

class MQBasePlugin {
 public:
  constexpr MQBasePlugin() = default;
  virtual ~MQBasePlugin() = default;
  virtual void ReportPlugInID(uint32_t* product, uint32_t* id) = 0;
  virtual const char* ReportPlugInName() = 0;
  virtual int ReportPlugInType() = 0;
};

class MQStationPlugin : public MQBasePlugin {
 public:
  constexpr MQStationPlugin() = default;
  virtual const char* ReportEnumString() = 0;
  virtual int StartStation() = 0;
  virtual void StopStation() = 0;
  virtual int ShowStation(MQDocument doc, int flag) = 0;
  virtual int IsStationShown(MQDocument doc) = 0;
  virtual void OnEvent102(MQDocument doc, int flag) = 0;
  virtual int ReceivePlugInMessage(MQDocument doc, int product, int id, void* description,
                                   void* message) = 0;
  virtual void OnEvent110(MQDocument doc, void* scene, int width, int height) = 0;
  virtual void OnEvent200(MQDocument doc, void* filename, Event200Record* record) = 0;
  virtual void OnEvent201(MQDocument doc) = 0;
  virtual void OnEvent202(MQDocument doc, void* filename, Event202Record* record) = 0;
  virtual int OnEvent210(MQDocument doc, int state) = 0;
  virtual int OnEvent211(MQDocument doc, int state) = 0;
  virtual void OnEvent212(MQDocument doc, int state, int size) = 0;
  virtual void OnEvent221(MQDocument doc) = 0;
  virtual void OnEvent222(MQDocument doc) = 0;
  virtual void OnEvent220(MQDocument doc) = 0;
  virtual void OnEvent231(MQDocument doc) = 0;
  virtual void OnEvent230(MQDocument doc) = 0;
  virtual void OnEvent240(MQDocument doc, void* scene) = 0;
  // Runs *operation on this object inside a station callback (see StationCallRecord).
  virtual bool RunOperation(MQDocument doc, void* operation) = 0;
};

// A station plug-in that also takes pointer and key events, one operation per event
// in event order: 120 to 130, then 140 and 141.
class MQCommandPlugin : public MQStationPlugin {
 public:
  constexpr MQCommandPlugin() = default;
  virtual int OnLeftButtonDown(MQDocument doc, void* scene, MouseStateRecord* state) = 0;
  virtual int OnLeftButtonMove(MQDocument doc, void* scene, MouseStateRecord* state) = 0;
  virtual int OnLeftButtonUp(MQDocument doc, void* scene, MouseStateRecord* state) = 0;
  virtual int OnMiddleButtonDown(MQDocument doc, void* scene, MouseStateRecord* state) = 0;
  virtual int OnMiddleButtonMove(MQDocument doc, void* scene, MouseStateRecord* state) = 0;
  virtual int OnMiddleButtonUp(MQDocument doc, void* scene, MouseStateRecord* state) = 0;
  virtual int OnRightButtonDown(MQDocument doc, void* scene, MouseStateRecord* state) = 0;
  virtual int OnRightButtonMove(MQDocument doc, void* scene, MouseStateRecord* state) = 0;
  virtual int OnRightButtonUp(MQDocument doc, void* scene, MouseStateRecord* state) = 0;
  virtual int OnMouseMove(MQDocument doc, void* scene, MouseStateRecord* state) = 0;
  virtual int OnMouseWheel(MQDocument doc, void* scene, MouseStateRecord* state) = 0;
  virtual int OnKeyDown(MQDocument doc, void* scene, int key, MouseStateRecord* state) = 0;
  virtual int OnKeyUp(MQDocument doc, void* scene, int key, MouseStateRecord* state) = 0;
};
