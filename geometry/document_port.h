// The host's document as the geometry reaches it: the handles the host hands out and
// the host functions that read and write vertices, faces, selection, matrices and the
// per-object float arrays. Nothing else of the host, and nothing of the panel or the
// plug-in object, is known here.
//
// The port is a table of the host's own functions, called directly: the plug-in fills
// it from the functions it binds by name, tests from the stand-in host's exports.
#pragma once

#include "geometry/point_math.h"

// Handles are opaque: never looked into, never kept beyond the call that delivered them.
struct MQDocumentHandle;
struct MQObjectHandle;
typedef MQDocumentHandle* MQDocument;
typedef MQObjectHandle* MQObject;

// The document functions the geometry calls, each with the host's own signature:
// the one place where these signatures are written. X(result, name, parameters).
#define GRIDWELL_DOCUMENT_PORT(X)                                                   \
  X(int, MQDoc_GetObjectCount, (MQDocument doc))                                    \
  X(MQObject, MQDoc_GetObject, (MQDocument doc, int index))                         \
  X(int, MQDoc_GetCurrentObjectIndex, (MQDocument doc))                             \
  X(int, MQDoc_IsSelectVertex, (MQDocument doc, int object, int vertex))            \
  X(int, MQDoc_IsSelectLine, (MQDocument doc, int object, int face, int line))      \
  X(int, MQDoc_IsSelectFace, (MQDocument doc, int object, int face))                \
  X(void, MQDoc_GetGlobalMatrix, (MQDocument doc, MQObject obj, float* matrix))     \
  X(void, MQDoc_GetGlobalInverseMatrix, (MQDocument doc, MQObject obj, float* matrix)) \
  X(int, MQObj_GetVertexCount, (MQObject obj))                                      \
  X(void, MQObj_GetVertex, (MQObject obj, int vertex, float* point))                \
  X(void, MQObj_SetVertex, (MQObject obj, int vertex, const float* point))          \
  X(int, MQObj_GetFaceCount, (MQObject obj))                                        \
  X(int, MQObj_GetFacePointCount, (MQObject obj, int face))                         \
  X(void, MQObj_GetFacePointArray, (MQObject obj, int face, int* points))           \
  X(void, MQObj_GetFloatArray, (MQObject obj, int id, float* values))               \
  X(void, MQObj_SetFloatArray, (MQObject obj, int id, const float* values))

struct DocumentPort {
#define GRIDWELL_PORT_ENTRY(result, name, parameters) result(*name) parameters = nullptr;
  GRIDWELL_DOCUMENT_PORT(GRIDWELL_PORT_ENTRY)
#undef GRIDWELL_PORT_ENTRY
};

// Per-object float arrays that hold the object's local frame as the host keeps it.
constexpr int kLocalAnglesArray = 770;  // 3 floats: heading, elevation, 0 (degrees)
constexpr int kLocalOriginArray = 771;  // 3 floats: a vertex position
constexpr int kLocalFrameArray = 772;   // 16 floats, never interpreted
constexpr int kLocalFrameFloats = 16;

// One document of the host for the length of one call: its handle and the port to it.
// Two pointers, passed by value: a function that holds its own copy keeps both in
// registers across the host calls, which it makes for every vertex.
// Each member is one host call with the arguments in the host's order, so the
// geometry reads as what it asks of the host.
class HostDocument {
 public:
  HostDocument(const DocumentPort& port, MQDocument handle) : m_port(&port), m_handle(handle) {}

  int ObjectCount() const { return m_port->MQDoc_GetObjectCount(m_handle); }
  // Null for an index without an object.
  MQObject Object(int index) const { return m_port->MQDoc_GetObject(m_handle, index); }
  // -1 when the document has no current object.
  int CurrentObjectIndex() const { return m_port->MQDoc_GetCurrentObjectIndex(m_handle); }
  // The current object, or null when there is none.
  MQObject CurrentObject() const {
    const int index = CurrentObjectIndex();
    return index < 0 ? nullptr : Object(index);
  }

  bool IsVertexSelected(int object, int vertex) const {
    return m_port->MQDoc_IsSelectVertex(m_handle, object, vertex) != 0;
  }
  // Line k of a face runs from its point k to point (k + 1) mod n.
  bool IsLineSelected(int object, int face, int line) const {
    return m_port->MQDoc_IsSelectLine(m_handle, object, face, line) != 0;
  }
  bool IsFaceSelected(int object, int face) const {
    return m_port->MQDoc_IsSelectFace(m_handle, object, face) != 0;
  }

  // The matrix from the object's local frame to global coordinates, and its inverse.
  Matrix4 GlobalMatrix(MQObject object) const {
    Matrix4 matrix = {};
    m_port->MQDoc_GetGlobalMatrix(m_handle, object, matrix.m);
    return matrix;
  }
  Matrix4 GlobalInverseMatrix(MQObject object) const {
    Matrix4 matrix = {};
    m_port->MQDoc_GetGlobalInverseMatrix(m_handle, object, matrix.m);
    return matrix;
  }

  int VertexCount(MQObject object) const { return m_port->MQObj_GetVertexCount(object); }
  // Global coordinates, as the host stores them.
  Point3 Vertex(MQObject object, int vertex) const {
    Point3 p = {0, 0, 0};
    m_port->MQObj_GetVertex(object, vertex, &p.x);
    return p;
  }
  void SetVertex(MQObject object, int vertex, const Point3& p) const {
    m_port->MQObj_SetVertex(object, vertex, &p.x);
  }

  int FaceCount(MQObject object) const { return m_port->MQObj_GetFaceCount(object); }
  int FacePointCount(MQObject object, int face) const {
    return m_port->MQObj_GetFacePointCount(object, face);
  }
  // Fills the face's vertex indices in point order; points has room for all of them.
  void FacePoints(MQObject object, int face, int* points) const {
    m_port->MQObj_GetFacePointArray(object, face, points);
  }

  // As many floats as the array holds.
  void ReadFloatArray(MQObject object, int id, float* values) const {
    m_port->MQObj_GetFloatArray(object, id, values);
  }
  void WriteFloatArray(MQObject object, int id, const float* values) const {
    m_port->MQObj_SetFloatArray(object, id, values);
  }

 private:
  const DocumentPort* m_port;
  MQDocument m_handle;
};
