// Signatures of the host functions the plug-in calls. The plug-in casts the
// bound addresses to these; the stand-in host checks its exports against them.
#pragma once

#include "plugin/host_types.h"

namespace hostsig {
typedef MQWindowHandle (*MQ_GetWindowHandle)();
typedef int (*MQ_StationCallback)(MQStationCallbackProc proc, void* option);
typedef int (*MQ_SendMessage)(int message, void* data);
typedef int (*MQDoc_GetObjectCount)(MQDocument doc);
typedef MQObject (*MQDoc_GetObject)(MQDocument doc, int index);
typedef int (*MQDoc_GetCurrentObjectIndex)(MQDocument doc);
typedef int (*MQDoc_IsSelectVertex)(MQDocument doc, int object, int vertex);
typedef int (*MQDoc_IsSelectLine)(MQDocument doc, int object, int face, int line);
typedef int (*MQDoc_IsSelectFace)(MQDocument doc, int object, int face);
typedef MQScene (*MQDoc_GetScene)(MQDocument doc, int index);
typedef void (*MQDoc_GetGlobalMatrix)(MQDocument doc, MQObject obj, float* matrix);
typedef void (*MQDoc_GetGlobalInverseMatrix)(MQDocument doc, MQObject obj, float* matrix);
typedef int (*MQObj_GetVertexCount)(MQObject obj);
typedef void (*MQObj_GetVertex)(MQObject obj, int vertex, float* point);
typedef void (*MQObj_SetVertex)(MQObject obj, int vertex, const float* point);
typedef int (*MQObj_GetFaceCount)(MQObject obj);
typedef int (*MQObj_GetFacePointCount)(MQObject obj, int face);
typedef void (*MQObj_GetFacePointArray)(MQObject obj, int face, int* points);
typedef void (*MQObj_GetFloatArray)(MQObject obj, int id, float* values);
typedef void (*MQObj_SetFloatArray)(MQObject obj, int id, const float* values);
}  // namespace hostsig
