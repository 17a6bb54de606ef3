// The plug-in object: identity, the inert event operations, and the station-callback
// mechanism that carries every panel operation into the document.
#include "plugin/gridshift_plugin.h"

#include "plugin/host_functions.h"

constinit GridshiftPlugin g_plugin;

GridshiftPlugin::~GridshiftPlugin() {
  ReleaseSelection();
  ReleasePanel();
}

void GridshiftPlugin::ReportPlugInID(uint32_t* product, uint32_t* id) {
  if (product != nullptr) *product = kProductId;
  if (id != nullptr) *id = kPluginId;
}

const char* GridshiftPlugin::ReportPlugInName() {
  return "Gridwell v0.9   Copyright(C) 2026, the Gridwell developers";
}

int GridshiftPlugin::ReportPlugInType() { return kStationPluginType; }

const char* GridshiftPlugin::ReportEnumString() { return "Gridwell"; }

// Events this plug-in takes no interest in.
void GridshiftPlugin::OnEvent102(MQDocument, int) {}
int GridshiftPlugin::ReceivePlugInMessage(MQDocument, int, int, void*, void*) {
  return kPluginMessageAnswer;
}
void GridshiftPlugin::OnEvent110(MQDocument, void*, int, int) {}
void GridshiftPlugin::OnEvent200(MQDocument, void*, Event200Record*) {}
void GridshiftPlugin::OnEvent201(MQDocument) {}
void GridshiftPlugin::OnEvent202(MQDocument, void*, Event202Record*) {}
void GridshiftPlugin::OnEvent212(MQDocument, int, int) {}
void GridshiftPlugin::OnEvent231(MQDocument) {}
void GridshiftPlugin::OnEvent230(MQDocument) {}
void GridshiftPlugin::OnEvent240(MQDocument, void*) {}

bool GridshiftPlugin::RunOperation(MQDocument doc, void* operation) {
  StationOperation op = *static_cast<StationOperation*>(operation);
  return (this->*op)(doc);
}

int GridshiftPlugin::RunStationOperation(StationOperation operation) {
  // Buttons exist only after a bound start, but a later MQInit that failed leaves
  // the table unusable: then nothing runs.
  if (!HostFunctionsBound()) return 0;
  StationOperation pending = operation;
  StationCallRecord record = {this, &pending};
  return BoundHostCalls().MQ_StationCallback(StationCallbackProc, &record);
}

int StationCallbackProc(MQDocument doc, void* option) {
  auto* record = static_cast<StationCallRecord*>(option);
  MQStationPlugin* plugin = record->plugin;
  return plugin->RunOperation(doc, record->operation) ? 1 : 0;
}

HostDocument GridshiftPlugin::DocumentOf(MQDocument doc) { return HostDocument(BoundDocumentPort(), doc); }
