// The panel's commands: which operation each button runs, what the two mode radios
// then do to the paste buttons, and the code that carries a command or a typed Return
// out for both panels.
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

// The close box's work besides hiding the window: the plug-in stops reporting the
// station as shown, and the host is told with message 100 naming this plug-in (when
// there is a bound host to tell).
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

void OnHidePanel(PanelCommandTarget& panel) { panel.HidePanel(); }

void OnClosePanel(GridshiftPlugin* plugin, PanelCommandTarget& panel) {
  panel.HidePanel();
  ReportStationClosed(plugin);
}

void OnRunOperation(const CommandRoute& route, GridshiftPlugin* plugin, PanelCommandTarget& panel) {
  if (plugin != nullptr && route.operation != nullptr) plugin->RunStationOperation(route.operation);
  // The paste buttons follow the value mode whether or not the host ran the refresh.
  if (route.pasteAfter == PasteButtons::kDisable) panel.SetPasteButtonsEnabled(false);
  if (route.pasteAfter == PasteButtons::kEnable) panel.SetPasteButtonsEnabled(true);
}

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

bool RunPanelCommand(unsigned commandParam, GridshiftPlugin* plugin, PanelCommandTarget& panel) {
  const CommandRoute* route = FindCommandRoute(commandParam);
  if (route == nullptr) return false;
  switch (route->action) {
    case PanelAction::kHidePanel:
      OnHidePanel(panel);
      break;
    case PanelAction::kClosePanel:
      OnClosePanel(plugin, panel);
      break;
    case PanelAction::kRunOperation:
      OnRunOperation(*route, plugin, panel);
      break;
  }
  return true;
}

KeyVerdict RunTypedChar(NumEditKind kind, uintptr_t charParam, GridshiftPlugin* plugin) {
  const KeyVerdict verdict = ClassifyTypedChar(kind, charParam);
  // Return in a move or rotation field takes the road of the button beside it.
  if (verdict == KeyVerdict::kRunAndConsume && plugin != nullptr) {
    plugin->RunStationOperation(kind == NumEditKind::kMove ? &GridshiftPlugin::MoveSelection
                                                           : &GridshiftPlugin::RotateSelection);
  }
  return verdict;
}
