#include "panel/command_routing.h"

#include "panel/control_ids.h"

bool RunPanelCommand(unsigned commandParam, PanelClient* client, PanelCommandTarget& panel) {
  // The notification code in the high word is never looked at: any notification from
  // a control runs its command.
  const int id = static_cast<int>(commandParam & 0xFFFFu);
  switch (id) {
    case ctl::kHideCommand:
      panel.HidePanel();
      return true;
    case ctl::kCloseCommand:
      panel.HidePanel();
      if (client != nullptr) client->OnPanelClosed();
      return true;
    default:
      break;
  }
  const bool ran = client != nullptr && client->RunCommand(id);
  // The paste buttons hold a target position only in absolute mode, so they follow
  // the value-mode radios, after the refresh, whether or not the host ran it.
  if (id == ctl::kRelative || id == ctl::kAbsolute) {
    panel.SetPasteButtonsEnabled(id == ctl::kAbsolute);
    return true;
  }
  return ran;
}

KeyVerdict RunTypedChar(NumEditKind kind, uintptr_t charParam, PanelClient* client) {
  const KeyVerdict verdict = ClassifyTypedChar(kind, charParam);
  // Return in a move or rotation field takes the road of the button beside it.
  if (verdict == KeyVerdict::kRunAndConsume && client != nullptr) {
    client->RunCommand(kind == NumEditKind::kMove ? ctl::kMove : ctl::kRotate);
  }
  return verdict;
}
