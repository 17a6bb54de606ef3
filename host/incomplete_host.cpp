// A host module that exports every host function but the last, MQXmlElem_Value:
// MQInit must answer 0 for it. All 139 are inert; the module holds no
// document and no state.
#include "host/host_function_list.h"

#ifdef _WIN32
#define HOSTAPI_EXPORT extern "C" __declspec(dllexport)
#else
#define HOSTAPI_EXPORT extern "C" __attribute__((visibility("default")))
#endif

#define GRIDWELL_INERT(name) \
  HOSTAPI_EXPORT void* name() { return nullptr; }
GRIDWELL_HOST_FUNCTIONS_BUT_LAST(GRIDWELL_INERT, GRIDWELL_INERT)
#undef GRIDWELL_INERT
