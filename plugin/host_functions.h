// The host function table: every function the host exports for plug-ins, bound by
// name when the host calls MQInit. The plug-in calls the host only through here.
#pragma once

#include <string_view>

#include "plugin/host_types.h"

constexpr int kHostFunctionCount = 140;

// The names in binding order, family by family (MQ_, MQDoc_, MQScene_, MQObj_,
// MQMat_, MQMatrix_, MQXmlElem_). A host must export all of them.
inline constexpr const char* kHostFunctionNames[kHostFunctionCount] = {
    // MQ_
    "MQ_GetWindowHandle",
    "MQ_CreateObject",
    "MQ_CreateMaterial",
    "MQ_ShowFileDialog",
    "MQ_ImportAxis",
    "MQ_ExportAxis",
    "MQ_LoadImage",
    "MQ_GetSystemPath",
    "MQ_RefreshView",
    "MQ_StationCallback",
    "MQ_SendMessage",
    // MQDoc_
    "MQDoc_GetObjectCount",
    "MQDoc_GetObject",
    "MQDoc_GetCurrentObjectIndex",
    "MQDoc_SetCurrentObjectIndex",
    "MQDoc_AddObject",
    "MQDoc_DeleteObject",
    "MQDoc_GetObjectIndex",
    "MQDoc_GetMaterialCount",
    "MQDoc_GetMaterial",
    "MQDoc_GetCurrentMaterialIndex",
    "MQDoc_SetCurrentMaterialIndex",
    "MQDoc_AddMaterial",
    "MQDoc_DeleteMaterial",
    "MQDoc_Compact",
    "MQDoc_ClearSelect",
    "MQDoc_AddSelectVertex",
    "MQDoc_DeleteSelectVertex",
    "MQDoc_IsSelectVertex",
    "MQDoc_AddSelectLine",
    "MQDoc_DeleteSelectLine",
    "MQDoc_IsSelectLine",
    "MQDoc_AddSelectFace",
    "MQDoc_DeleteSelectFace",
    "MQDoc_IsSelectFace",
    "MQDoc_AddSelectUVVertex",
    "MQDoc_DeleteSelectUVVertex",
    "MQDoc_IsSelectUVVertex",
    "MQDoc_FindMappingFile",
    "MQDoc_GetScene",
    "MQDoc_GetParentObject",
    "MQDoc_GetChildObjectCount",
    "MQDoc_GetChildObject",
    "MQDoc_GetGlobalMatrix",
    "MQDoc_GetGlobalInverseMatrix",
    "MQDoc_InsertObject",
    // MQScene_
    "MQScene_InitSize",
    "MQScene_GetProjMatrix",
    "MQScene_GetViewMatrix",
    "MQScene_FloatValue",
    "MQScene_GetVisibleFace",
    // MQObj_
    "MQObj_Delete",
    "MQObj_Clone",
    "MQObj_Merge",
    "MQObj_Freeze",
    "MQObj_GetName",
    "MQObj_GetVertexCount",
    "MQObj_GetVertex",
    "MQObj_SetVertex",
    "MQObj_GetVertexArray",
    "MQObj_GetFaceCount",
    "MQObj_GetFacePointCount",
    "MQObj_GetFacePointArray",
    "MQObj_GetFaceCoordinateArray",
    "MQObj_GetFaceMaterial",
    "MQObj_GetFaceUniqueID",
    "MQObj_GetFaceIndexFromUniqueID",
    "MQObj_SetName",
    "MQObj_AddVertex",
    "MQObj_DeleteVertex",
    "MQObj_GetVertexRefCount",
    "MQObj_GetVertexUniqueID",
    "MQObj_GetVertexIndexFromUniqueID",
    "MQObj_GetVertexWeight",
    "MQObj_SetVertexWeight",
    "MQObj_CopyVertexAttribute",
    "MQObj_AddFace",
    "MQObj_DeleteFace",
    "MQObj_InvertFace",
    "MQObj_SetFaceMaterial",
    "MQObj_SetFaceCoordinateArray",
    "MQObj_GetFaceVertexColor",
    "MQObj_SetFaceVertexColor",
    "MQObj_OptimizeVertex",
    "MQObj_Compact",
    "MQObj_GetVisible",
    "MQObj_SetVisible",
    "MQObj_GetPatchType",
    "MQObj_SetPatchType",
    "MQObj_GetPatchSegment",
    "MQObj_SetPatchSegment",
    "MQObj_GetShading",
    "MQObj_SetShading",
    "MQObj_GetSmoothAngle",
    "MQObj_SetSmoothAngle",
    "MQObj_GetMirrorType",
    "MQObj_SetMirrorType",
    "MQObj_GetMirrorAxis",
    "MQObj_SetMirrorAxis",
    "MQObj_GetMirrorDistance",
    "MQObj_SetMirrorDistance",
    "MQObj_GetLatheType",
    "MQObj_SetLatheType",
    "MQObj_GetLatheAxis",
    "MQObj_SetLatheAxis",
    "MQObj_GetLatheSegment",
    "MQObj_SetLatheSegment",
    "MQObj_GetIntValue",
    "MQObj_GetFloatArray",
    "MQObj_SetIntValue",
    "MQObj_SetFloatArray",
    // MQMat_
    "MQMat_Delete",
    "MQMat_GetIntValue",
    "MQMat_GetFloatArray",
    "MQMat_GetName",
    "MQMat_GetColor",
    "MQMat_GetAlpha",
    "MQMat_GetDiffuse",
    "MQMat_GetAmbient",
    "MQMat_GetEmission",
    "MQMat_GetSpecular",
    "MQMat_GetPower",
    "MQMat_GetTextureName",
    "MQMat_GetAlphaName",
    "MQMat_GetBumpName",
    "MQMat_SetIntValue",
    "MQMat_SetFloatArray",
    "MQMat_SetName",
    "MQMat_SetColor",
    "MQMat_SetAlpha",
    "MQMat_SetDiffuse",
    "MQMat_SetAmbient",
    "MQMat_SetEmission",
    "MQMat_SetSpecular",
    "MQMat_SetPower",
    "MQMat_SetTextureName",
    "MQMat_SetAlphaName",
    "MQMat_SetBumpName",
    // MQMatrix_
    "MQMatrix_FloatValue",
    // MQXmlElem_
    "MQXmlElem_Value",
};

// Position of a name in the table, or -1.
constexpr int HostFunctionIndex(std::string_view name) {
  for (int i = 0; i < kHostFunctionCount; ++i) {
    if (name == kHostFunctionNames[i]) return i;
  }
  return -1;
}

// Binds the table from the module at path: loads it, looks up every name in order,
// stops at the first missing one. Answers true when every name was bound. Entries
// bound before a failure stay in the table, but the table then counts as unbound
// until a later binding succeeds: they may point into a module that is gone.
bool BindHostFunctions(const char* path);

// True after a binding that found every name, so that any host function may be
// called. False before the first MQInit and after one that answered 0.
bool HostFunctionsBound();

// Typed calls for the twenty host functions the plug-in uses. Each goes through the
// bound table; callers make sure HostFunctionsBound() holds.
namespace host {
MQWindowHandle MQ_GetWindowHandle();
int MQ_StationCallback(MQStationCallbackProc proc, void* option);
int MQ_SendMessage(int message, void* data);
int MQDoc_GetObjectCount(MQDocument doc);
MQObject MQDoc_GetObject(MQDocument doc, int index);
int MQDoc_GetCurrentObjectIndex(MQDocument doc);
int MQDoc_IsSelectVertex(MQDocument doc, int object, int vertex);
int MQDoc_IsSelectLine(MQDocument doc, int object, int face, int line);
int MQDoc_IsSelectFace(MQDocument doc, int object, int face);
MQScene MQDoc_GetScene(MQDocument doc, int index);
void MQDoc_GetGlobalMatrix(MQDocument doc, MQObject obj, float* matrix);
void MQDoc_GetGlobalInverseMatrix(MQDocument doc, MQObject obj, float* matrix);
int MQObj_GetVertexCount(MQObject obj);
void MQObj_GetVertex(MQObject obj, int vertex, float* point);
void MQObj_SetVertex(MQObject obj, int vertex, const float* point);
int MQObj_GetFaceCount(MQObject obj);
int MQObj_GetFacePointCount(MQObject obj, int face);
void MQObj_GetFacePointArray(MQObject obj, int face, int* points);
void MQObj_GetFloatArray(MQObject obj, int id, float* values);
void MQObj_SetFloatArray(MQObject obj, int id, const float* values);
}  // namespace host
