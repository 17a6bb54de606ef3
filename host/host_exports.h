// The stand-in host's exports: every host function, by name, as a plain C function.
// The ones the plug-in calls are declared here from the host function table, so their
// definitions in host_exports.cpp must have exactly the table's signatures (a C
// function cannot be declared twice differently); all the others are exported inert.
#pragma once

#include "geometry/document_port.h"
#include "host/export.h"
#include "plugin/host_functions.h"


#define GRIDWELL_DECLARE(result, name, parameters) HOSTAPI_EXPORT result name parameters;
#define GRIDWELL_NONE(...)
GRIDWELL_HOST_FUNCTIONS(GRIDWELL_DECLARE, GRIDWELL_NONE, GRIDWELL_NONE)
GRIDWELL_DOCUMENT_PORT(GRIDWELL_DECLARE)
#undef GRIDWELL_DECLARE
#undef GRIDWELL_NONE

namespace standin {
// The geometry's document port over this host's own exports, for tests that run the
// geometry on a stand-in document without a plug-in in between.
inline DocumentPort HostDocumentPort() {
  DocumentPort port;
#define GRIDWELL_PORT_ENTRY(result, name, parameters) port.name = &::name;
  GRIDWELL_DOCUMENT_PORT(GRIDWELL_PORT_ENTRY)
#undef GRIDWELL_PORT_ENTRY
  return port;
}
}  // namespace standin
