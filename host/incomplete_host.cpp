// A host module that exports every host function but the last, MQXmlElem_Value:
// MQInit must answer 0 for it. All of them are inert; the module holds no document
// and no state.
#include "host/export.h"
#include "plugin/host_functions.h"

#define GRIDWELL_INERT(name) \
  HOSTAPI_EXPORT void* name() { return nullptr; }
#define GRIDWELL_INERT_CALL(result, name, parameters) GRIDWELL_INERT(name)
GRIDWELL_HOST_FUNCTIONS_BUT_LAST(GRIDWELL_INERT_CALL, GRIDWELL_INERT, GRIDWELL_INERT)
#undef GRIDWELL_INERT_CALL
#undef GRIDWELL_INERT
