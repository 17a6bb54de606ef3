// The panel's commands: which operation each button runs, and what the two mode
// radios then do to the paste buttons.
#include "panel/command_routing.h"

#include "panel/control_ids.h"
#include "plugin/host_functions.h"

namespace {

using P = GridshiftPlugin;

constexpr CommandRoute Run(int id, StationOperation operation,
                           PasteButtons pasteAfter = PasteButtons::kUnchanged) {
  return {id, PanelAction::kRunOperation, operation, pasteAfter};
}

// The paste buttons hold a target position only in absolute mode, so they follow the
// value-mode radios: disabled by "relative", enabled by "absolute", after the refresh.
const CommandRoute kRoutes[] = {
    {ctl::kHideCommand, PanelAction::kHidePanel, nullptr, PasteButtons::kUnchanged},
    {ctl::kCloseCommand, PanelAction::kClosePanel, nullptr, PasteButtons::kUnchanged},
    Run(ctl::kMove, &P::MoveSelection),
    Run(ctl::kRotate, &P::RotateSelection),
    Run(ctl::kClearMove, &P::ClearMoveFields),
    Run(ctl::kClearRotation, &P::ClearRotationFields),
    Run(ctl::kGlobal, &P::UpdateReadouts),
    Run(ctl::kLocal, &P::UpdateReadouts),
    Run(ctl::kRelative, &P::UpdateReadoutsResetMove, PasteButtons::kDisable),
    Run(ctl::kAbsolute, &P::UpdateReadouts, PasteButtons::kEnable),
    Run(ctl::kAlignCentreX, &P::AlignCentreX),
    Run(ctl::kAlignCentreY, &P::AlignCentreY),
    Run(ctl::kAlignCentreZ, &P::AlignCentreZ),
    Run(ctl::kAlignMaxX, &P::AlignMaxX),
    Run(ctl::kAlignMaxY, &P::AlignMaxY),
    Run(ctl::kAlignMaxZ, &P::AlignMaxZ),
    Run(ctl::kAlignMinX, &P::AlignMinX),
    Run(ctl::kAlignMinY, &P::AlignMinY),
    Run(ctl::kAlignMinZ, &P::AlignMinZ),
    Run(ctl::kAlignStoredX, &P::AlignStoredX),
    Run(ctl::kAlignStoredY, &P::AlignStoredY),
    Run(ctl::kAlignStoredZ, &P::AlignStoredZ),
    Run(ctl::kCopy, &P::CopyToStoredPoint),
    Run(ctl::kPasteX, &P::PasteStoredX),
    Run(ctl::kPasteY, &P::PasteStoredY),
    Run(ctl::kPasteZ, &P::PasteStoredZ),
    Run(ctl::kPasteXY, &P::PasteStoredXY),
    Run(ctl::kPasteXZ, &P::PasteStoredXZ),
    Run(ctl::kPasteYZ, &P::PasteStoredYZ),
    Run(ctl::kPasteXYZ, &P::PasteStoredXYZ),
    Run(ctl::kSetLocalFrame, &P::SetLocalFrameFromSelection),
    Run(ctl::kStoreFrame1, &P::StoreLocalFrame1),
    Run(ctl::kLoadFrame1, &P::LoadLocalFrame1),
    Run(ctl::kStoreFrame2, &P::StoreLocalFrame2),
    Run(ctl::kLoadFrame2, &P::LoadLocalFrame2),
    Run(ctl::kRearView, &P::FetchScene),
};

}  // namespace

const CommandRoute* FindCommandRoute(unsigned commandParam) {
  // The notification code in the high word is never looked at: any notification from
  // a listed control runs its handler.
  const int id = static_cast<int>(commandParam & 0xFFFFu);
  for (const CommandRoute& route : kRoutes) {
    if (route.id == id) return &route;
  }
  return nullptr;
}

void ReportStationClosed(GridshiftPlugin* plugin) {
  if (plugin == nullptr) return;
  plugin->m_shown = false;
  uint32_t product = 0;
  uint32_t id = 0;
  plugin->ReportPlugInID(&product, &id);
  int32_t zero = 0;
  HostMessageRecord record = {product, id, 0, &zero};
  if (HostFunctionsBound()) host::MQ_SendMessage(kStationClosedMessage, &record);
}
