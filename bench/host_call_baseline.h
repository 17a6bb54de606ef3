// The host-call baseline: for each benchmarked operation, the same sequence of calls
// to the stand-in host that the plug-in makes, through function pointers bound by
// name from the host module as the plug-in binds its own, with none of the plug-in's
// work (no snapshot entries, no arithmetic, no panel). Timing it beside the plug-in
// tells how much the plug-in adds to what the host costs anyway.
#pragma once

#include <utility>
#include <vector>

#include "plugin/host_function_signatures.h"

struct HostCalls {
  hostsig::MQ_StationCallback stationCallback;
  hostsig::MQDoc_GetObjectCount getObjectCount;
  hostsig::MQDoc_GetObject getObject;
  hostsig::MQDoc_GetCurrentObjectIndex getCurrentObjectIndex;
  hostsig::MQDoc_IsSelectVertex isSelectVertex;
  hostsig::MQDoc_IsSelectLine isSelectLine;
  hostsig::MQDoc_IsSelectFace isSelectFace;
  hostsig::MQDoc_GetGlobalMatrix getGlobalMatrix;
  hostsig::MQDoc_GetGlobalInverseMatrix getGlobalInverseMatrix;
  hostsig::MQObj_GetVertexCount getVertexCount;
  hostsig::MQObj_GetVertex getVertex;
  hostsig::MQObj_SetVertex setVertex;
  hostsig::MQObj_GetFaceCount getFaceCount;
  hostsig::MQObj_GetFacePointCount getFacePointCount;
  hostsig::MQObj_GetFacePointArray getFacePointArray;
  hostsig::MQObj_SetFloatArray setFloatArray;
};

// Binds the table from the host module at path; false if a name is missing.
bool BindHostCalls(const char* path, HostCalls* calls);

enum class BaselineOperation { kRefresh, kMove, kRotate, kSetAxis, kSetLocalFrame };

// Runs the host calls of one operation on doc. selected lists the (object, vertex)
// pairs the host reports as selected, in document order; it is worked out once
// before timing, since finding it is the plug-in's work. Operations that edit run
// inside a station callback, as the plug-in's do.
void RunBaseline(const HostCalls& calls, MQDocument doc, BaselineOperation operation,
                 const std::vector<std::pair<int, int>>& selected);
