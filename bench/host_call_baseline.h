// The host-call baseline: for each benchmarked operation, the same sequence of calls
// to the stand-in host that the plug-in makes, through function pointers bound by
// name from the host module as the plug-in binds its own, with none of the plug-in's
// work (no snapshot entries, no arithmetic, no panel). Timing it beside the plug-in
// tells how much the plug-in adds to what the host costs anyway.
#pragma once

#include <utility>
#include <vector>

#include "geometry/document_port.h"
#include "plugin/host_functions.h"

// The host functions the baseline calls: the station callback and the document port,
// each with the host's own signature.
struct BaselineCalls {
  decltype(HostCalls::MQ_StationCallback) stationCallback = nullptr;
  DocumentPort port;
};

// Binds them from the host module at path; false if a name is missing.
bool BindBaselineCalls(const char* path, BaselineCalls* calls);

enum class BaselineOperation { kRefresh, kMove, kRotate, kSetAxis, kSetLocalFrame };

// Runs the host calls of one operation on doc. selected lists the (object, vertex)
// pairs the host reports as selected, in document order; it is worked out once
// before timing, since finding it is the plug-in's work. Operations that edit run
// inside a station callback, as the plug-in's do.
void RunBaseline(const BaselineCalls& calls, MQDocument doc, BaselineOperation operation,
                 const std::vector<std::pair<int, int>>& selected);
