// The one place where a command or a typed character is carried out, for both panels:
// the headless panel and CMainDlg with its numeric edits hand every command, and every
// character typed into a value field, to the functions below, and differ only in how
// they hide a window and enable a button. What a command does beyond the panel is the
// PanelClient's.
//
// A command is matched on the control ID in the low 16 bits of its first parameter;
// the notification code is never examined.
#pragma once

#include <cstdint>

#include "panel/keystroke_filter.h"
#include "panel/panel_client.h"

// What a command changes on the panel itself; each panel does it to its own window.
class PanelCommandTarget {
 public:
  // Hides the panel window; nothing else.
  virtual void HidePanel() = 0;
  // Enables or disables the seven paste buttons, in the order of ctl::kPasteButtons.
  virtual void SetPasteButtonsEnabled(bool enabled) = 0;

 protected:
  ~PanelCommandTarget() = default;
};

// Carries out a command on panel. Command 1 hides the panel. Command 2, the close
// box, hides it and tells the client. Every other command is the client's; after it,
// the value-mode radios switch the paste buttons ("relative" off, "absolute" on),
// whether or not the client's operation ran. False for a command that neither the
// panel nor the client knows (nothing runs while client is null), which the caller
// leaves to default processing.
bool RunPanelCommand(unsigned commandParam, PanelClient* client, PanelCommandTarget& panel);

// One character typed into a value field of kind (the character parameter of
// WM_CHAR): the keystroke filter's verdict, after Return in a move or rotation field
// has run the move or the rotation command on client (nothing runs while client is
// null). The caller beeps for kBeep and hands kToField to the field; every other
// verdict consumes the character.
KeyVerdict RunTypedChar(NumEditKind kind, uintptr_t charParam, PanelClient* client);
