// The stand-in host: the document model behind the host functions, and the
// host-side state a real modeller keeps (its main window, the document a station
// callback edits, the messages plug-ins send it).
//
// One process-wide instance, shared by the exported host functions and by tests
// and scenarios that build documents and check results. Natively it lives in
// libgridwell-hostapi.so, on Windows in gridwell-hostapi.dll (tests) or inside
// gridwell-host.exe (the scenario tool); the plug-in binds the same instance's
// exports through MQInit(HostModulePath()).
//
// Building a small document in a line or two:
//
//   auto& doc = standin::Host::Instance().Reset();
//   int cube = doc.AddObject("cube", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 2}});
//   doc.SelectVertex(cube, 1);
//   doc.currentObject = cube;
//
// Every lookup is O(1), as a real modeller's: objects, vertices, faces and lines by
// index, handles by a hash set. Out-of-range indices and unknown handles answer
// 0/null/nothing and never crash.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "plugin/host_functions.h"
#include "plugin/host_types.h"

namespace standin {

// Handles as the host hands them out and takes them back. On a 64-bit build every
// document, object, scene and window handle carries a tag in its top 16 bits, which
// no user-space address has, so it has bits above 4 GiB set wherever the host's memory
// happens to lie. A handle that comes back without its tag, as one kept in a 32-bit
// int on the way would, is refused like an unknown one, and the test that used it
// fails. A 32-bit build has no upper half to lose, and no tag.
//
// Windows uses only the low 32 bits of a window handle (so that 32-bit and 64-bit
// programs can share windows), and so does Wine: the main window's handle with its tag
// is accepted as the panel's owner, which then is the main window itself.
constexpr uintptr_t kHandleTagMask = static_cast<uintptr_t>(0xFFFF'0000'0000'0000ull);
constexpr uintptr_t kHandleTag = static_cast<uintptr_t>(0x4757'0000'0000'0000ull);

template <typename Handle>
Handle TagHandle(const void* address) {
  if (address == nullptr) return nullptr;
  return reinterpret_cast<Handle>(reinterpret_cast<uintptr_t>(address) | kHandleTag);
}

// The address behind a handle, or null for one without the tag.
inline void* UntagHandle(const void* handle) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if ((value & kHandleTagMask) != kHandleTag) return nullptr;
  return reinterpret_cast<void*>(value & ~kHandleTagMask);
}

struct Vertex {
  float x, y, z;
  bool operator==(const Vertex&) const = default;
};

// Sixteen floats, points are row vectors on the left, translation in m[12..14].
using Matrix = std::array<float, 16>;
constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// The general 4x4 inverse, formed in double and rounded to float; all zero for a
// singular matrix.
Matrix Inverse(const Matrix& m);
// A pure translation.
Matrix Translation(float x, float y, float z);

struct Face {
  std::vector<int> points;  // vertex indices in point order; any length
  bool selected = false;    // the face itself
  // Line k runs from point k to point (k + 1) mod n. Flags are bytes rather than
  // packed bits: they are asked for once per line on every refresh.
  std::vector<uint8_t> lineSelected;
};

struct Object {
  std::string name;
  int index = -1;  // its slot in the document
  std::vector<Vertex> vertices;
  std::vector<uint8_t> vertexSelected;
  std::vector<Face> faces;
  Matrix globalMatrix = kIdentity;
  Matrix globalInverse = kIdentity;
  std::array<float, 3> localAngles = {};  // float array 770
  std::array<float, 3> localOrigin = {};  // float array 771
  std::array<float, 16> localFrame = {};  // float array 772

  // The float array of an identifier (770, 771, 772) and its length; null and 0
  // for any other identifier.
  float* FloatArray(int id, int* count);
};

class Document {
 public:
  Document() = default;
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Objects by index; an empty slot is an index for which the host has no object
  // (MQDoc_GetObject answers null there).
  int AddObject(const std::string& name = "obj");
  // An object with its vertices and faces in one call; answers its index.
  int AddObject(const std::string& name, std::initializer_list<Vertex> vertices,
                std::initializer_list<std::vector<int>> faces = {});
  int AddEmptySlot();
  // Null for an empty slot or an index out of range. Inline: every host call that
  // names an object by index comes through here.
  Object* ObjectAt(int index) {
    if (index < 0 || index >= static_cast<int>(objects_.size())) return nullptr;
    return objects_[index].get();
  }
  const Object* ObjectAt(int index) const {
    if (index < 0 || index >= static_cast<int>(objects_.size())) return nullptr;
    return objects_[index].get();
  }
  int ObjectCount() const;  // slots, empty ones included
  int currentObject = -1;   // -1: none

  // Each answers the new index, or -1 when the object does not exist.
  int AddVertex(int object, float x, float y, float z);
  int AddFace(int object, const std::vector<int>& points);
  // Selection; out-of-range indices do nothing.
  void SelectVertex(int object, int vertex, bool on = true);
  void SelectFace(int object, int face, bool on = true);
  void SelectLine(int object, int face, int line, bool on = true);
  void SelectAllVertices(int object, bool on = true);
  void ClearSelection();
  // Sets an object's global matrix; the inverse follows (general 4x4 inverse).
  void SetGlobalMatrix(int object, const Matrix& m);
  // Sets both, for tests that want chosen inverse bits.
  void SetGlobalMatrices(int object, const Matrix& m, const Matrix& inverse);
  // Writes an object's float array (3 or 16 floats by id); false for an unknown id.
  bool SetFloatArray(int object, int id, const float* values);

  // Reading back; zeros for what does not exist.
  Vertex VertexAt(int object, int vertex) const;

  void Clear();  // no objects, no current object

  MQDocument Handle();
  // The document behind a handle, or null for anything but the host's document.
  static Document* FromHandle(MQDocument handle);
  // The object behind a handle of this document, or null for an unknown handle.
  // Plug-ins ask about one object many times in a row: the handle last found live is
  // answered at once, and only another one is looked up in the set.
  Object* FromObjectHandle(MQObject handle) {
    if (handle != nullptr && handle == lastHandle_) return lastObject_;
    return FindObjectHandle(handle);
  }
  static MQObject HandleOf(Object* object) { return TagHandle<MQObject>(object); }

 private:
  Object* FindObjectHandle(MQObject handle);

  std::vector<std::unique_ptr<Object>> objects_;
  std::unordered_set<const void*> liveObjects_;
  // The handle last found live; objects only go away in Clear(), which forgets it.
  MQObject lastHandle_ = nullptr;
  Object* lastObject_ = nullptr;
};

// One call of MQ_SendMessage as the host received it.
struct SentMessage {
  int message;
  HostMessageRecord record;  // copied at the call (all zero when data was null)
  int32_t option;            // the int the record's option pointed at, or -1 if null
  bool hadData;              // data pointer was non-null
};

class Host {
 public:
  static Host& Instance();

  Document& document();
  // Empty document, counters, flags and message log cleared; answers the document.
  // The main window stays.
  Document& Reset();

  // Station callbacks: refused ones answer 0 without calling the procedure.
  bool refuseStationCallbacks = false;
  int stationCallbacks = 0;  // requests received, refused ones included
  bool insideStationCallback = false;

  MQWindowHandle mainWindow;  // the host's main window; a non-null fake natively
  // What MQ_GetWindowHandle answers: the main window's handle, tagged.
  MQWindowHandle WindowHandle() const { return TagHandle<MQWindowHandle>(mainWindow); }

  std::vector<SentMessage> sentMessages;

  // Calls per host function, by index in kHostFunctionNames.
  std::array<int, kHostFunctionCount> calls = {};
  int CallsTo(const char* name) const;  // -1 for a name that is not a host function
  void CountCall(int index);
  // Vertex or float-array writes made outside a station callback: a plug-in fault.
  int editsOutsideCallback = 0;

  // Called as MQDoc_GetGlobalMatrix begins, as if the host delivered something to the
  // plug-in at that moment: the moment a move, a rotation or an align reads the
  // current object's frame, after its snapshot and before its writes.
  std::function<void()> whileReadingTheFrame;

 private:
  Host();
  Document document_;
};

// File name of the module that exports the host functions and holds this
// instance: what a host passes to the plug-in's MQInit.
const char* HostModulePath();

// The scene handle MQDoc_GetScene answers for scene 0.
MQScene SceneHandle();

}  // namespace standin
