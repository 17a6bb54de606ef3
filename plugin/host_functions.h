// The host function table: every function the host exports for plug-ins, bound by
// name when the host calls MQInit. The plug-in calls the host only through here.
//
// The one list of them, in binding order, family by family (MQ_, MQDoc_, MQScene_,
// MQObj_, MQMat_, MQMatrix_, MQXmlElem_). A host must export all of them. Each row is
//   CALL(result, name, parameters)  called by the plug-in itself, with its signature;
//   PORT(name)                      called by the geometry through its document port,
//                                   whose list gives the signature
//                                   (geometry/document_port.h);
//   BIND(name)                      bound, never called.
// The binding, the typed tables and the stand-in host's exports are all made from
// this list. The last name stands apart so that a host module lacking exactly that
// one can be made from the others.
#pragma once

#include <string_view>

#include "geometry/document_port.h"
#include "plugin/host_types.h"

#define GRIDWELL_HOST_FUNCTIONS_BUT_LAST(CALL, PORT, BIND) \
  CALL(MQWindowHandle, MQ_GetWindowHandle, ())                               \
  BIND(MQ_CreateObject)                                                      \
  BIND(MQ_CreateMaterial)                                                    \
  BIND(MQ_ShowFileDialog)                                                    \
  BIND(MQ_ImportAxis)                                                        \
  BIND(MQ_ExportAxis)                                                        \
  BIND(MQ_LoadImage)                                                         \
  BIND(MQ_GetSystemPath)                                                     \
  BIND(MQ_RefreshView)                                                       \
  CALL(int, MQ_StationCallback, (MQStationCallbackProc proc, void* option))  \
  CALL(int, MQ_SendMessage, (int message, void* data))                       \
  PORT(MQDoc_GetObjectCount)                                                 \
  PORT(MQDoc_GetObject)                                                      \
  PORT(MQDoc_GetCurrentObjectIndex)                                          \
  BIND(MQDoc_SetCurrentObjectIndex)                                          \
  BIND(MQDoc_AddObject)                                                      \
  BIND(MQDoc_DeleteObject)                                                   \
  BIND(MQDoc_GetObjectIndex)                                                 \
  BIND(MQDoc_GetMaterialCount)                                               \
  BIND(MQDoc_GetMaterial)                                                    \
  BIND(MQDoc_GetCurrentMaterialIndex)                                        \
  BIND(MQDoc_SetCurrentMaterialIndex)                                        \
  BIND(MQDoc_AddMaterial)                                                    \
  BIND(MQDoc_DeleteMaterial)                                                 \
  BIND(MQDoc_Compact)                                                        \
  BIND(MQDoc_ClearSelect)                                                    \
  BIND(MQDoc_AddSelectVertex)                                                \
  BIND(MQDoc_DeleteSelectVertex)                                             \
  PORT(MQDoc_IsSelectVertex)                                                 \
  BIND(MQDoc_AddSelectLine)                                                  \
  BIND(MQDoc_DeleteSelectLine)                                               \
  PORT(MQDoc_IsSelectLine)                                                   \
  BIND(MQDoc_AddSelectFace)                                                  \
  BIND(MQDoc_DeleteSelectFace)                                               \
  PORT(MQDoc_IsSelectFace)                                                   \
  BIND(MQDoc_AddSelectUVVertex)                                              \
  BIND(MQDoc_DeleteSelectUVVertex)                                           \
  BIND(MQDoc_IsSelectUVVertex)                                               \
  BIND(MQDoc_FindMappingFile)                                                \
  CALL(MQScene, MQDoc_GetScene, (MQDocument doc, int index))                 \
  BIND(MQDoc_GetParentObject)                                                \
  BIND(MQDoc_GetChildObjectCount)                                            \
  BIND(MQDoc_GetChildObject)                                                 \
  PORT(MQDoc_GetGlobalMatrix)                                                \
  PORT(MQDoc_GetGlobalInverseMatrix)                                         \
  BIND(MQDoc_InsertObject)                                                   \
  BIND(MQScene_InitSize)                                                     \
  BIND(MQScene_GetProjMatrix)                                                \
  BIND(MQScene_GetViewMatrix)                                                \
  BIND(MQScene_FloatValue)                                                   \
  BIND(MQScene_GetVisibleFace)                                               \
  BIND(MQObj_Delete)                                                         \
  BIND(MQObj_Clone)                                                          \
  BIND(MQObj_Merge)                                                          \
  BIND(MQObj_Freeze)                                                         \
  BIND(MQObj_GetName)                                                        \
  PORT(MQObj_GetVertexCount)                                                 \
  PORT(MQObj_GetVertex)                                                      \
  PORT(MQObj_SetVertex)                                                      \
  BIND(MQObj_GetVertexArray)                                                 \
  PORT(MQObj_GetFaceCount)                                                   \
  PORT(MQObj_GetFacePointCount)                                              \
  PORT(MQObj_GetFacePointArray)                                              \
  BIND(MQObj_GetFaceCoordinateArray)                                         \
  BIND(MQObj_GetFaceMaterial)                                                \
  BIND(MQObj_GetFaceUniqueID)                                                \
  BIND(MQObj_GetFaceIndexFromUniqueID)                                       \
  BIND(MQObj_SetName)                                                        \
  BIND(MQObj_AddVertex)                                                      \
  BIND(MQObj_DeleteVertex)                                                   \
  BIND(MQObj_GetVertexRefCount)                                              \
  BIND(MQObj_GetVertexUniqueID)                                              \
  BIND(MQObj_GetVertexIndexFromUniqueID)                                     \
  BIND(MQObj_GetVertexWeight)                                                \
  BIND(MQObj_SetVertexWeight)                                                \
  BIND(MQObj_CopyVertexAttribute)                                            \
  BIND(MQObj_AddFace)                                                        \
  BIND(MQObj_DeleteFace)                                                     \
  BIND(MQObj_InvertFace)                                                     \
  BIND(MQObj_SetFaceMaterial)                                                \
  BIND(MQObj_SetFaceCoordinateArray)                                         \
  BIND(MQObj_GetFaceVertexColor)                                             \
  BIND(MQObj_SetFaceVertexColor)                                             \
  BIND(MQObj_OptimizeVertex)                                                 \
  BIND(MQObj_Compact)                                                        \
  BIND(MQObj_GetVisible)                                                     \
  BIND(MQObj_SetVisible)                                                     \
  BIND(MQObj_GetPatchType)                                                   \
  BIND(MQObj_SetPatchType)                                                   \
  BIND(MQObj_GetPatchSegment)                                                \
  BIND(MQObj_SetPatchSegment)                                                \
  BIND(MQObj_GetShading)                                                     \
  BIND(MQObj_SetShading)                                                     \
  BIND(MQObj_GetSmoothAngle)                                                 \
  BIND(MQObj_SetSmoothAngle)                                                 \
  BIND(MQObj_GetMirrorType)                                                  \
  BIND(MQObj_SetMirrorType)                                                  \
  BIND(MQObj_GetMirrorAxis)                                                  \
  BIND(MQObj_SetMirrorAxis)                                                  \
  BIND(MQObj_GetMirrorDistance)                                              \
  BIND(MQObj_SetMirrorDistance)                                              \
  BIND(MQObj_GetLatheType)                                                   \
  BIND(MQObj_SetLatheType)                                                   \
  BIND(MQObj_GetLatheAxis)                                                   \
  BIND(MQObj_SetLatheAxis)                                                   \
  BIND(MQObj_GetLatheSegment)                                                \
  BIND(MQObj_SetLatheSegment)                                                \
  BIND(MQObj_GetIntValue)                                                    \
  PORT(MQObj_GetFloatArray)                                                  \
  BIND(MQObj_SetIntValue)                                                    \
  PORT(MQObj_SetFloatArray)                                                  \
  BIND(MQMat_Delete)                                                         \
  BIND(MQMat_GetIntValue)                                                    \
  BIND(MQMat_GetFloatArray)                                                  \
  BIND(MQMat_GetName)                                                        \
  BIND(MQMat_GetColor)                                                       \
  BIND(MQMat_GetAlpha)                                                       \
  BIND(MQMat_GetDiffuse)                                                     \
  BIND(MQMat_GetAmbient)                                                     \
  BIND(MQMat_GetEmission)                                                    \
  BIND(MQMat_GetSpecular)                                                    \
  BIND(MQMat_GetPower)                                                       \
  BIND(MQMat_GetTextureName)                                                 \
  BIND(MQMat_GetAlphaName)                                                   \
  BIND(MQMat_GetBumpName)                                                    \
  BIND(MQMat_SetIntValue)                                                    \
  BIND(MQMat_SetFloatArray)                                                  \
  BIND(MQMat_SetName)                                                        \
  BIND(MQMat_SetColor)                                                       \
  BIND(MQMat_SetAlpha)                                                       \
  BIND(MQMat_SetDiffuse)                                                     \
  BIND(MQMat_SetAmbient)                                                     \
  BIND(MQMat_SetEmission)                                                    \
  BIND(MQMat_SetSpecular)                                                    \
  BIND(MQMat_SetPower)                                                       \
  BIND(MQMat_SetTextureName)                                                 \
  BIND(MQMat_SetAlphaName)                                                   \
  BIND(MQMat_SetBumpName)                                                    \
  BIND(MQMatrix_FloatValue)                                                  \
  /* end */

#define GRIDWELL_HOST_FUNCTION_LAST(CALL, PORT, BIND) BIND(MQXmlElem_Value)

#define GRIDWELL_HOST_FUNCTIONS(CALL, PORT, BIND)    \
  GRIDWELL_HOST_FUNCTIONS_BUT_LAST(CALL, PORT, BIND) \
  GRIDWELL_HOST_FUNCTION_LAST(CALL, PORT, BIND)

namespace hostfn {
#define GRIDWELL_COUNT_ROW(...) +1
#define GRIDWELL_NAME_OF_CALL(result, name, parameters) #name,
#define GRIDWELL_NAME_OF(name) #name,
#define GRIDWELL_NONE(...)
#define GRIDWELL_TRUE(...) true,
#define GRIDWELL_FALSE(...) false,

// Every name, in binding order.
inline constexpr const char* kNames[] = {
    GRIDWELL_HOST_FUNCTIONS(GRIDWELL_NAME_OF_CALL, GRIDWELL_NAME_OF, GRIDWELL_NAME_OF)};
// Whether the plug-in calls the function of the same place, itself or through the port.
inline constexpr bool kCalled[] = {
    GRIDWELL_HOST_FUNCTIONS(GRIDWELL_TRUE, GRIDWELL_TRUE, GRIDWELL_FALSE)};
// The names of the port's rows, in binding order, and the port's own list.
inline constexpr const char* kPortRowNames[] = {
    GRIDWELL_HOST_FUNCTIONS(GRIDWELL_NONE, GRIDWELL_NAME_OF, GRIDWELL_NONE)};
inline constexpr const char* kPortNames[] = {GRIDWELL_DOCUMENT_PORT(GRIDWELL_NAME_OF_CALL)};
inline constexpr int kCalledCount =
    0 GRIDWELL_HOST_FUNCTIONS(GRIDWELL_COUNT_ROW, GRIDWELL_COUNT_ROW, GRIDWELL_NONE);

#undef GRIDWELL_COUNT_ROW
#undef GRIDWELL_NAME_OF_CALL
#undef GRIDWELL_NAME_OF
#undef GRIDWELL_NONE
#undef GRIDWELL_TRUE
#undef GRIDWELL_FALSE
}  // namespace hostfn

constexpr int kHostFunctionCount = static_cast<int>(std::size(hostfn::kNames));
// How many of them the plug-in calls.
constexpr int kCalledHostFunctionCount = hostfn::kCalledCount;
inline constexpr const char* const (&kHostFunctionNames)[kHostFunctionCount] = hostfn::kNames;

// Position of a name in the table, or -1.
constexpr int HostFunctionIndex(std::string_view name) {
  for (int i = 0; i < kHostFunctionCount; ++i) {
    if (name == kHostFunctionNames[i]) return i;
  }
  return -1;
}

// True for the function at index that the plug-in calls.
constexpr bool IsCalledHostFunction(int index) {
  return index >= 0 && index < kHostFunctionCount && hostfn::kCalled[index];
}

namespace hostfn {
// Every port row names a function of the port, and the port has no function without a
// row: the two lists name the same functions.
constexpr bool PortRowsMatchThePort() {
  if (std::size(kPortRowNames) != std::size(kPortNames)) return false;
  for (const char* name : kPortNames) {
    bool found = false;
    for (const char* row : kPortRowNames) found = found || std::string_view(row) == name;
    if (!found) return false;
  }
  return true;
}
static_assert(PortRowsMatchThePort(),
              "the PORT rows must name exactly the functions of GRIDWELL_DOCUMENT_PORT");
}  // namespace hostfn

// The functions the plug-in calls itself, typed, from the CALL rows.
struct HostCalls {
#define GRIDWELL_CALL_ENTRY(result, name, parameters) result(*name) parameters = nullptr;
#define GRIDWELL_NONE(...)
  GRIDWELL_HOST_FUNCTIONS(GRIDWELL_CALL_ENTRY, GRIDWELL_NONE, GRIDWELL_NONE)
#undef GRIDWELL_CALL_ENTRY
#undef GRIDWELL_NONE
};

// Binds the table from the module at path: loads it, looks up every name in order,
// stops at the first missing one. Answers true when every name was bound. Entries
// bound before a failure stay in the table, but the table then counts as unbound
// until a later binding succeeds: they may point into a module that is gone.
bool BindHostFunctions(const char* path);

// True after a binding that found every name, so that any host function may be
// called. False before the first MQInit and after one that answered 0.
bool HostFunctionsBound();

// The bound functions, typed: the plug-in's own calls, and the geometry's document
// port. Callers make sure HostFunctionsBound() holds.
const HostCalls& BoundHostCalls();
const DocumentPort& BoundDocumentPort();
