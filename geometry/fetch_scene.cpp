// The hidden "RearView" button's operation: asks the host for scene 0 of the document
// and leaves it at that; nothing in the document or on the panel changes.
#include "plugin/gridshift_plugin.h"
#include "plugin/host_functions.h"

bool GridshiftPlugin::FetchScene(MQDocument doc) {
  host::MQDoc_GetScene(doc, 0);
  return true;
}
