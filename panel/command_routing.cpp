// The panel's commands: which operation each button runs, and what the two mode
// radios then do to the paste buttons.
#include "panel/command_routing.h"

#include "panel/control_ids.h"
#include "plugin/host_functions.h"

namespace {

using P = GridshiftPlugin;

constexpr CommandRoute Run(int id, const char* handler, StationOperation operation,
                           PasteButtons pasteAfter = PasteButtons::kUnchanged) {
  return {id, handler, PanelAction::kRunOperation, operation, pasteAfter};
}

// The paste buttons hold a target position only in absolute mode, so they follow the
// value-mode radios: disabled by "relative", enabled by "absolute", after the refresh.
const CommandRoute kRoutes[] = {
    {ctl::kHideCommand, "OnHidePanel", PanelAction::kHidePanel, nullptr, PasteButtons::kUnchanged},
    {ctl::kCloseCommand, "OnClosePanel", PanelAction::kClosePanel, nullptr,
     PasteButtons::kUnchanged},
    Run(ctl::kMove, "OnMoveButton", &P::MoveSelection),
    Run(ctl::kRotate, "OnRotateButton", &P::RotateSelection),
    Run(ctl::kClearMove, "OnClearMove", &P::ClearMoveFields),
    Run(ctl::kClearRotation, "OnClearRotation", &P::ClearRotationFields),
    Run(ctl::kGlobal, "OnCoordMode", &P::UpdateReadouts),
    Run(ctl::kLocal, "OnCoordMode", &P::UpdateReadouts),
    Run(ctl::kRelative, "OnRelativeMode", &P::UpdateReadoutsResetMove, PasteButtons::kDisable),
    Run(ctl::kAbsolute, "OnAbsoluteMode", &P::UpdateReadouts, PasteButtons::kEnable),
    Run(ctl::kAlignCentreX, "OnAlignButton", &P::AlignCentreX),
    Run(ctl::kAlignCentreY, "OnAlignButton", &P::AlignCentreY),
    Run(ctl::kAlignCentreZ, "OnAlignButton", &P::AlignCentreZ),
    Run(ctl::kAlignMaxX, "OnAlignButton", &P::AlignMaxX),
    Run(ctl::kAlignMaxY, "OnAlignButton", &P::AlignMaxY),
    Run(ctl::kAlignMaxZ, "OnAlignButton", &P::AlignMaxZ),
    Run(ctl::kAlignMinX, "OnAlignButton", &P::AlignMinX),
    Run(ctl::kAlignMinY, "OnAlignButton", &P::AlignMinY),
    Run(ctl::kAlignMinZ, "OnAlignButton", &P::AlignMinZ),
    Run(ctl::kAlignStoredX, "OnAlignButton", &P::AlignStoredX),
    Run(ctl::kAlignStoredY, "OnAlignButton", &P::AlignStoredY),
    Run(ctl::kAlignStoredZ, "OnAlignButton", &P::AlignStoredZ),
    Run(ctl::kCopy, "OnCopyButton", &P::CopyToStoredPoint),
    Run(ctl::kPasteX, "OnPasteButton", &P::PasteStoredX),
    Run(ctl::kPasteY, "OnPasteButton", &P::PasteStoredY),
    Run(ctl::kPasteZ, "OnPasteButton", &P::PasteStoredZ),
    Run(ctl::kPasteXY, "OnPasteButton", &P::PasteStoredXY),
    Run(ctl::kPasteXZ, "OnPasteButton", &P::PasteStoredXZ),
    Run(ctl::kPasteYZ, "OnPasteButton", &P::PasteStoredYZ),
    Run(ctl::kPasteXYZ, "OnPasteButton", &P::PasteStoredXYZ),
    Run(ctl::kSetLocalFrame, "OnSetLocalFrameButton", &P::SetLocalFrameFromSelection),
    Run(ctl::kStoreFrame1, "OnStoreFrameButton", &P::StoreLocalFrame1),
    Run(ctl::kLoadFrame1, "OnLoadFrameButton", &P::LoadLocalFrame1),
    Run(ctl::kStoreFrame2, "OnStoreFrameButton", &P::StoreLocalFrame2),
    Run(ctl::kLoadFrame2, "OnLoadFrameButton", &P::LoadLocalFrame2),
    Run(ctl::kRearView, "OnRearView", &P::FetchScene),
};

constexpr int kRouteCount = sizeof kRoutes / sizeof kRoutes[0];

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

const CommandRoute* CommandRoutes(int* count) {
  if (count != nullptr) *count = kRouteCount;
  return kRoutes;
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
