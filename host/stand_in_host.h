// READ /work/main/docs/DEVELOPING.md FIRST: the rules every contributor follows
// (git discipline with parallel helpers, naming, tests). Remove this line when done.
//
// The stand-in host: the document model behind the 140 host functions, and the
// host-side state a real modeller keeps (its main window, the document a station
// callback edits, the messages plug-ins send it).
//
// One process-wide instance, shared by the exported host functions and by tests
// and scenarios that build documents and check results.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugin/host_types.h"

namespace standin {

struct Vertex {
  float x, y, z;
};

using Matrix = std::array<float, 16>;
constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct Face {
  std::vector<int> points;        // vertex indices in point order; any length
  bool selected = false;          // the face itself
  std::vector<bool> lineSelected; // line k runs from point k to point (k + 1) mod n
};

struct Object {
  std::string name;
  std::vector<Vertex> vertices;
  std::vector<bool> vertexSelected;
  std::vector<Face> faces;
  Matrix globalMatrix = kIdentity;
  Matrix globalInverse = kIdentity;
  std::array<float, 3> localAngles = {};   // float array 770
  std::array<float, 3> localOrigin = {};   // float array 771
  std::array<float, 16> localFrame = {};   // float array 772
};

class Document {
 public:
  // Objects by index; a null slot is an index for which the host has no object.
  int AddObject(const std::string& name);
  void AddEmptySlot();
  Object* ObjectAt(int index);
  int ObjectCount() const;
  int currentObject = -1;

  int AddVertex(int object, float x, float y, float z);
  int AddFace(int object, const std::vector<int>& points);
  void SelectVertex(int object, int vertex, bool on = true);
  void SelectFace(int object, int face, bool on = true);
  void SelectLine(int object, int face, int line, bool on = true);
  void ClearSelection();
  // Sets an object's global matrix; the inverse follows (general 4x4 inverse).
  void SetGlobalMatrix(int object, const Matrix& m);

  MQDocument Handle();
  static Document* FromHandle(MQDocument handle);

 private:
  std::vector<std::unique_ptr<Object>> objects_;
};

// One call of MQ_SendMessage as the host received it.
struct SentMessage {
  int message;
  HostMessageRecord record;  // copied at the call
  int32_t option;            // the int the record's option pointed at, or -1 if null
};

class Host {
 public:
  static Host& Instance();

  Document& document();   // the open document
  void Reset();           // empty document, counters and log cleared

  // Station callbacks: refused ones answer 0 without calling the procedure.
  bool refuseStationCallbacks = false;
  int stationCallbacks = 0;     // requests received
  bool insideStationCallback = false;

  MQWindowHandle mainWindow = nullptr;  // what MQ_GetWindowHandle answers

  std::vector<SentMessage> sentMessages;

  // Calls per host function, by index in kHostFunctionNames.
  std::array<int, 140> calls = {};
  int CallsTo(const char* name) const;
  // Vertex or float-array writes made outside a station callback: a plug-in fault.
  int editsOutsideCallback = 0;

 private:
  Document document_;
};

}  // namespace standin
