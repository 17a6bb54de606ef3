// What each of the panel's commands runs: one operation per button and radio, carried
// into the document through a station callback; and what the close box tells the host.
#include "panel/control_ids.h"
#include "plugin/gridshift_plugin.h"
#include "plugin/host_functions.h"

namespace {

using P = GridshiftPlugin;

struct CommandRoute {
  int id;
  StationOperation operation;
};

// The route table: a control ID, the operation its command runs.
constexpr CommandRoute kRoutes[] = {
    {ctl::kMove, &P::MoveSelection},
    {ctl::kRotate, &P::RotateSelection},
    {ctl::kClearMove, &P::ClearMoveFields},
    {ctl::kClearRotation, &P::ClearRotationFields},
    {ctl::kGlobal, &P::UpdateReadouts},
    {ctl::kLocal, &P::UpdateReadouts},
    {ctl::kRelative, &P::UpdateReadoutsResetMove},
    {ctl::kAbsolute, &P::UpdateReadouts},
    {ctl::kAlignCentreX, &P::AlignCentreX},
    {ctl::kAlignCentreY, &P::AlignCentreY},
    {ctl::kAlignCentreZ, &P::AlignCentreZ},
    {ctl::kAlignMaxX, &P::AlignMaxX},
    {ctl::kAlignMaxY, &P::AlignMaxY},
    {ctl::kAlignMaxZ, &P::AlignMaxZ},
    {ctl::kAlignMinX, &P::AlignMinX},
    {ctl::kAlignMinY, &P::AlignMinY},
    {ctl::kAlignMinZ, &P::AlignMinZ},
    {ctl::kAlignStoredX, &P::AlignStoredX},
    {ctl::kAlignStoredY, &P::AlignStoredY},
    {ctl::kAlignStoredZ, &P::AlignStoredZ},
    {ctl::kCopy, &P::CopyToStoredPoint},
    {ctl::kPasteX, &P::PasteStoredX},
    {ctl::kPasteY, &P::PasteStoredY},
    {ctl::kPasteZ, &P::PasteStoredZ},
    {ctl::kPasteXY, &P::PasteStoredXY},
    {ctl::kPasteXZ, &P::PasteStoredXZ},
    {ctl::kPasteYZ, &P::PasteStoredYZ},
    {ctl::kPasteXYZ, &P::PasteStoredXYZ},
    {ctl::kSetLocalFrame, &P::SetLocalFrameFromSelection},
    {ctl::kStoreFrame1, &P::StoreLocalFrame1},
    {ctl::kLoadFrame1, &P::LoadLocalFrame1},
    {ctl::kStoreFrame2, &P::StoreLocalFrame2},
    {ctl::kLoadFrame2, &P::LoadLocalFrame2},
    {ctl::kRearView, &P::FetchScene},
};

}  // namespace

bool GridshiftPlugin::RunCommand(int id) {
  for (const CommandRoute& route : kRoutes) {
    if (route.id != id) continue;
    RunStationOperation(route.operation);
    return true;
  }
  return false;
}

// The close box: the station is no longer shown, and the host is told with message
// 100 naming this plug-in (when there is a bound host to tell).
void GridshiftPlugin::OnPanelClosed() {
  m_shown = false;
  uint32_t product = 0;
  uint32_t id = 0;
  ReportPlugInID(&product, &id);
  int32_t zero = 0;
  HostMessageRecord record = {product, id, 0, &zero};
  if (HostFunctionsBound()) BoundHostCalls().MQ_SendMessage(kStationClosedMessage, &record);
}
