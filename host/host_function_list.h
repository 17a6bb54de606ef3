// The host function names in binding order (plugin/host_functions.h), as an
// X-macro: REAL(name) for the ones the plug-in calls, which the stand-in host
// implements with their exact signatures, INERT(name) for all the others, which it
// exports as present and inert. The last name, MQXmlElem_Value, stands apart so that
// the incomplete host module can leave out exactly that one.
// host/host_exports.cpp checks at compile time that this order matches
// kHostFunctionNames entry by entry.
#pragma once

#define GRIDWELL_HOST_FUNCTIONS_BUT_LAST(REAL, INERT) \
  REAL(MQ_GetWindowHandle)                            \
  INERT(MQ_CreateObject)                              \
  INERT(MQ_CreateMaterial)                            \
  INERT(MQ_ShowFileDialog)                            \
  INERT(MQ_ImportAxis)                                \
  INERT(MQ_ExportAxis)                                \
  INERT(MQ_LoadImage)                                 \
  INERT(MQ_GetSystemPath)                             \
  INERT(MQ_RefreshView)                               \
  REAL(MQ_StationCallback)                            \
  REAL(MQ_SendMessage)                                \
  REAL(MQDoc_GetObjectCount)                          \
  REAL(MQDoc_GetObject)                               \
  REAL(MQDoc_GetCurrentObjectIndex)                   \
  INERT(MQDoc_SetCurrentObjectIndex)                  \
  INERT(MQDoc_AddObject)                              \
  INERT(MQDoc_DeleteObject)                           \
  INERT(MQDoc_GetObjectIndex)                         \
  INERT(MQDoc_GetMaterialCount)                       \
  INERT(MQDoc_GetMaterial)                            \
  INERT(MQDoc_GetCurrentMaterialIndex)                \
  INERT(MQDoc_SetCurrentMaterialIndex)                \
  INERT(MQDoc_AddMaterial)                            \
  INERT(MQDoc_DeleteMaterial)                         \
  INERT(MQDoc_Compact)                                \
  INERT(MQDoc_ClearSelect)                            \
  INERT(MQDoc_AddSelectVertex)                        \
  INERT(MQDoc_DeleteSelectVertex)                     \
  REAL(MQDoc_IsSelectVertex)                          \
  INERT(MQDoc_AddSelectLine)                          \
  INERT(MQDoc_DeleteSelectLine)                       \
  REAL(MQDoc_IsSelectLine)                            \
  INERT(MQDoc_AddSelectFace)                          \
  INERT(MQDoc_DeleteSelectFace)                       \
  REAL(MQDoc_IsSelectFace)                            \
  INERT(MQDoc_AddSelectUVVertex)                      \
  INERT(MQDoc_DeleteSelectUVVertex)                   \
  INERT(MQDoc_IsSelectUVVertex)                       \
  INERT(MQDoc_FindMappingFile)                        \
  REAL(MQDoc_GetScene)                                \
  INERT(MQDoc_GetParentObject)                        \
  INERT(MQDoc_GetChildObjectCount)                    \
  INERT(MQDoc_GetChildObject)                         \
  REAL(MQDoc_GetGlobalMatrix)                         \
  REAL(MQDoc_GetGlobalInverseMatrix)                  \
  INERT(MQDoc_InsertObject)                           \
  INERT(MQScene_InitSize)                             \
  INERT(MQScene_GetProjMatrix)                        \
  INERT(MQScene_GetViewMatrix)                        \
  INERT(MQScene_FloatValue)                           \
  INERT(MQScene_GetVisibleFace)                       \
  INERT(MQObj_Delete)                                 \
  INERT(MQObj_Clone)                                  \
  INERT(MQObj_Merge)                                  \
  INERT(MQObj_Freeze)                                 \
  INERT(MQObj_GetName)                                \
  REAL(MQObj_GetVertexCount)                          \
  REAL(MQObj_GetVertex)                               \
  REAL(MQObj_SetVertex)                               \
  INERT(MQObj_GetVertexArray)                         \
  REAL(MQObj_GetFaceCount)                            \
  REAL(MQObj_GetFacePointCount)                       \
  REAL(MQObj_GetFacePointArray)                       \
  INERT(MQObj_GetFaceCoordinateArray)                 \
  INERT(MQObj_GetFaceMaterial)                        \
  INERT(MQObj_GetFaceUniqueID)                        \
  INERT(MQObj_GetFaceIndexFromUniqueID)               \
  INERT(MQObj_SetName)                                \
  INERT(MQObj_AddVertex)                              \
  INERT(MQObj_DeleteVertex)                           \
  INERT(MQObj_GetVertexRefCount)                      \
  INERT(MQObj_GetVertexUniqueID)                      \
  INERT(MQObj_GetVertexIndexFromUniqueID)             \
  INERT(MQObj_GetVertexWeight)                        \
  INERT(MQObj_SetVertexWeight)                        \
  INERT(MQObj_CopyVertexAttribute)                    \
  INERT(MQObj_AddFace)                                \
  INERT(MQObj_DeleteFace)                             \
  INERT(MQObj_InvertFace)                             \
  INERT(MQObj_SetFaceMaterial)                        \
  INERT(MQObj_SetFaceCoordinateArray)                 \
  INERT(MQObj_GetFaceVertexColor)                     \
  INERT(MQObj_SetFaceVertexColor)                     \
  INERT(MQObj_OptimizeVertex)                         \
  INERT(MQObj_Compact)                                \
  INERT(MQObj_GetVisible)                             \
  INERT(MQObj_SetVisible)                             \
  INERT(MQObj_GetPatchType)                           \
  INERT(MQObj_SetPatchType)                           \
  INERT(MQObj_GetPatchSegment)                        \
  INERT(MQObj_SetPatchSegment)                        \
  INERT(MQObj_GetShading)                             \
  INERT(MQObj_SetShading)                             \
  INERT(MQObj_GetSmoothAngle)                         \
  INERT(MQObj_SetSmoothAngle)                         \
  INERT(MQObj_GetMirrorType)                          \
  INERT(MQObj_SetMirrorType)                          \
  INERT(MQObj_GetMirrorAxis)                          \
  INERT(MQObj_SetMirrorAxis)                          \
  INERT(MQObj_GetMirrorDistance)                      \
  INERT(MQObj_SetMirrorDistance)                      \
  INERT(MQObj_GetLatheType)                           \
  INERT(MQObj_SetLatheType)                           \
  INERT(MQObj_GetLatheAxis)                           \
  INERT(MQObj_SetLatheAxis)                           \
  INERT(MQObj_GetLatheSegment)                        \
  INERT(MQObj_SetLatheSegment)                        \
  INERT(MQObj_GetIntValue)                            \
  REAL(MQObj_GetFloatArray)                           \
  INERT(MQObj_SetIntValue)                            \
  REAL(MQObj_SetFloatArray)                           \
  INERT(MQMat_Delete)                                 \
  INERT(MQMat_GetIntValue)                            \
  INERT(MQMat_GetFloatArray)                          \
  INERT(MQMat_GetName)                                \
  INERT(MQMat_GetColor)                               \
  INERT(MQMat_GetAlpha)                               \
  INERT(MQMat_GetDiffuse)                             \
  INERT(MQMat_GetAmbient)                             \
  INERT(MQMat_GetEmission)                            \
  INERT(MQMat_GetSpecular)                            \
  INERT(MQMat_GetPower)                               \
  INERT(MQMat_GetTextureName)                         \
  INERT(MQMat_GetAlphaName)                           \
  INERT(MQMat_GetBumpName)                            \
  INERT(MQMat_SetIntValue)                            \
  INERT(MQMat_SetFloatArray)                          \
  INERT(MQMat_SetName)                                \
  INERT(MQMat_SetColor)                               \
  INERT(MQMat_SetAlpha)                               \
  INERT(MQMat_SetDiffuse)                             \
  INERT(MQMat_SetAmbient)                             \
  INERT(MQMat_SetEmission)                            \
  INERT(MQMat_SetSpecular)                            \
  INERT(MQMat_SetPower)                               \
  INERT(MQMat_SetTextureName)                         \
  INERT(MQMat_SetAlphaName)                           \
  INERT(MQMat_SetBumpName)                            \
  INERT(MQMatrix_FloatValue)                          \
  /* end */

#define GRIDWELL_HOST_FUNCTION_LAST(REAL, INERT) INERT(MQXmlElem_Value)

#define GRIDWELL_HOST_FUNCTIONS(REAL, INERT)    \
  GRIDWELL_HOST_FUNCTIONS_BUT_LAST(REAL, INERT) \
  GRIDWELL_HOST_FUNCTION_LAST(REAL, INERT)
