// The stand-in host's document model and host state.
#include "host/stand_in_host.h"

#include <cstring>
#include <string_view>

#include "plugin/host_functions.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace standin {

// --- Matrices ---------------------------------------------------------------

Matrix Inverse(const Matrix& m) {
  double a[16];
  for (int i = 0; i < 16; ++i) a[i] = m[i];
  double inv[16];
  inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
           a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
  inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] -
           a[8] * a[7] * a[14] - a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
  inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
           a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
  inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] -
            a[8] * a[6] * a[13] - a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
  inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] -
           a[9] * a[3] * a[14] - a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
  inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
           a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
  inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
           a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
  inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
            a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
  inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
           a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
  inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
           a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
  inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
            a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
  inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
            a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
  inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] -
           a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
  inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
           a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
  inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
            a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
  inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] +
            a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
  double det = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
  Matrix result = {};
  if (det == 0.0) return result;
  for (int i = 0; i < 16; ++i) result[i] = static_cast<float>(inv[i] / det);
  return result;
}

Matrix Translation(float x, float y, float z) {
  Matrix m = kIdentity;
  m[12] = x;
  m[13] = y;
  m[14] = z;
  return m;
}

// --- Objects ----------------------------------------------------------------

float* Object::FloatArray(int id, int* count) {
  switch (id) {
    case kLocalAnglesArray:
      *count = 3;
      return localAngles.data();
    case kLocalOriginArray:
      *count = 3;
      return localOrigin.data();
    case kLocalFrameArray:
      *count = 16;
      return localFrame.data();
    default:
      *count = 0;
      return nullptr;
  }
}

// --- Document ---------------------------------------------------------------

int Document::AddObject(const std::string& name) {
  auto object = std::make_unique<Object>();
  object->name = name;
  object->index = static_cast<int>(objects_.size());
  liveObjects_.insert(object.get());
  objects_.push_back(std::move(object));
  return static_cast<int>(objects_.size()) - 1;
}

int Document::AddObject(const std::string& name, std::initializer_list<Vertex> vertices,
                        std::initializer_list<std::vector<int>> faces) {
  int index = AddObject(name);
  for (const Vertex& v : vertices) AddVertex(index, v.x, v.y, v.z);
  for (const auto& f : faces) AddFace(index, f);
  return index;
}

int Document::AddEmptySlot() {
  objects_.push_back(nullptr);
  return static_cast<int>(objects_.size()) - 1;
}

int Document::ObjectCount() const { return static_cast<int>(objects_.size()); }

int Document::AddVertex(int object, float x, float y, float z) {
  Object* o = ObjectAt(object);
  if (o == nullptr) return -1;
  o->vertices.push_back({x, y, z});
  o->vertexSelected.push_back(false);
  return static_cast<int>(o->vertices.size()) - 1;
}

int Document::AddFace(int object, const std::vector<int>& points) {
  Object* o = ObjectAt(object);
  if (o == nullptr) return -1;
  Face face;
  face.points = points;
  face.lineSelected.assign(points.size(), false);
  o->faces.push_back(std::move(face));
  return static_cast<int>(o->faces.size()) - 1;
}

void Document::SelectVertex(int object, int vertex, bool on) {
  Object* o = ObjectAt(object);
  if (o == nullptr || vertex < 0 || vertex >= static_cast<int>(o->vertexSelected.size())) return;
  o->vertexSelected[vertex] = on;
}

void Document::SelectFace(int object, int face, bool on) {
  Object* o = ObjectAt(object);
  if (o == nullptr || face < 0 || face >= static_cast<int>(o->faces.size())) return;
  o->faces[face].selected = on;
}

void Document::SelectLine(int object, int face, int line, bool on) {
  Object* o = ObjectAt(object);
  if (o == nullptr || face < 0 || face >= static_cast<int>(o->faces.size())) return;
  Face& f = o->faces[face];
  if (line < 0 || line >= static_cast<int>(f.lineSelected.size())) return;
  f.lineSelected[line] = on;
}

void Document::SelectAllVertices(int object, bool on) {
  Object* o = ObjectAt(object);
  if (o == nullptr) return;
  o->vertexSelected.assign(o->vertices.size(), on);
}

void Document::ClearSelection() {
  for (auto& o : objects_) {
    if (!o) continue;
    o->vertexSelected.assign(o->vertices.size(), false);
    for (Face& f : o->faces) {
      f.selected = false;
      f.lineSelected.assign(f.points.size(), false);
    }
  }
}

void Document::SetGlobalMatrix(int object, const Matrix& m) {
  SetGlobalMatrices(object, m, Inverse(m));
}

void Document::SetGlobalMatrices(int object, const Matrix& m, const Matrix& inverse) {
  Object* o = ObjectAt(object);
  if (o == nullptr) return;
  o->globalMatrix = m;
  o->globalInverse = inverse;
}

bool Document::SetFloatArray(int object, int id, const float* values) {
  Object* o = ObjectAt(object);
  if (o == nullptr) return false;
  int count = 0;
  float* array = o->FloatArray(id, &count);
  if (array == nullptr) return false;
  std::memcpy(array, values, sizeof(float) * count);
  return true;
}

Vertex Document::VertexAt(int object, int vertex) const {
  const Object* o = ObjectAt(object);
  if (o == nullptr || vertex < 0 || vertex >= static_cast<int>(o->vertices.size())) {
    return {0, 0, 0};
  }
  return o->vertices[vertex];
}

void Document::Clear() {
  objects_.clear();
  liveObjects_.clear();
  lastHandle_ = nullptr;
  lastObject_ = nullptr;
  currentObject = -1;
}

MQDocument Document::Handle() { return TagHandle<MQDocument>(this); }

Document* Document::FromHandle(MQDocument handle) {
  Document* document = &Host::Instance().document();
  return UntagHandle(handle) == document ? document : nullptr;
}

Object* Document::FindObjectHandle(MQObject handle) {
  void* address = UntagHandle(handle);
  if (address == nullptr || liveObjects_.count(address) == 0) return nullptr;
  lastHandle_ = handle;
  lastObject_ = static_cast<Object*>(address);
  return lastObject_;
}

// --- Host -------------------------------------------------------------------

namespace {
#ifndef _WIN32
// Natively the main window is only passed on to the headless panel: any non-null
// value that no one dereferences.
char g_fakeMainWindow;
#endif
char g_scene0;
}  // namespace

Host::Host() : mainWindow(nullptr) {
#ifndef _WIN32
  mainWindow = &g_fakeMainWindow;
#endif
}

Host& Host::Instance() {
  static Host host;
  return host;
}

Document& Host::document() { return document_; }

Document& Host::Reset() {
  document_.Clear();
  refuseStationCallbacks = false;
  stationCallbacks = 0;
  insideStationCallback = false;
  sentMessages.clear();
  calls.fill(0);
  editsOutsideCallback = 0;
  whileReadingTheFrame = nullptr;
  return document_;
}

int Host::CallsTo(const char* name) const {
  int index = HostFunctionIndex(name);
  return index < 0 ? -1 : calls[index];
}

void Host::CountCall(int index) {
  if (index >= 0 && index < static_cast<int>(calls.size())) ++calls[index];
}

const char* HostModulePath() {
  static std::string path;
  if (!path.empty()) return path.c_str();
#ifdef _WIN32
  HMODULE module = nullptr;
  if (GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&HostModulePath), &module)) {
    char buffer[MAX_PATH];
    DWORD n = GetModuleFileNameA(module, buffer, sizeof buffer);
    if (n > 0 && n < sizeof buffer) path.assign(buffer, n);
  }
#else
  Dl_info info;
  if (dladdr(reinterpret_cast<void*>(&HostModulePath), &info) && info.dli_fname) {
    path = info.dli_fname;
  }
#endif
  return path.c_str();
}

MQScene SceneHandle() { return TagHandle<MQScene>(&g_scene0); }

}  // namespace standin
