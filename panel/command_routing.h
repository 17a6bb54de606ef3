// What each panel command does, and the one place where it is done: both panels hand
// every command, and every character typed into a value field, to the functions
// below. The headless panel and CMainDlg with its numeric edits differ only in how
// they hide a window and enable a button.
//
// A command is matched on the control ID in the low 16 bits of its first parameter;
// the notification code is never examined.
#pragma once

#include <cstdint>

#include "panel/keystroke_filter.h"
#include "plugin/gridshift_plugin.h"

enum class PanelAction {
  kRunOperation,  // run operation through RunStationOperation
  kHidePanel,     // command 1: hide, nothing else
  kClosePanel,    // command 2: the close sequence
};

// What a route does to the seven paste buttons after its operation has run.
enum class PasteButtons { kUnchanged, kDisable, kEnable };

struct CommandRoute {
  int id;
  PanelAction action;
  StationOperation operation;  // for kRunOperation
  PasteButtons pasteAfter;
};

// The route of a command, or null: the command is then left to the platform's
// default processing. commandParam is the command's first parameter whole.
const CommandRoute* FindCommandRoute(unsigned commandParam);

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
// box, hides it, clears the plug-in's shown flag and tells the host with message 100.
// A button runs its operation on plugin inside a station callback, then sets the paste
// buttons as its route says, whether or not the host ran the operation. False for a
// command without a route, which the caller leaves to default processing.
bool RunPanelCommand(unsigned commandParam, GridshiftPlugin* plugin, PanelCommandTarget& panel);

// One character typed into a value field of kind (the character parameter of
// WM_CHAR): the keystroke filter's verdict, after Return in a move or rotation field
// has run the move or the rotation on plugin inside a station callback (nothing runs
// while plugin is null). The caller beeps for kBeep and hands kToField to the field;
// every other verdict consumes the character.
KeyVerdict RunTypedChar(NumEditKind kind, uintptr_t charParam, GridshiftPlugin* plugin);
