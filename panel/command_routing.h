// What each panel command does: the routing table both panels dispatch through.
// A command is matched on the control ID in the low 16 bits of its first parameter;
// the notification code is never examined.
#pragma once

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

// The close box's work besides hiding the window, the same on every panel: the
// plug-in stops reporting the station as shown, and the host is told with message
// 100 naming this plug-in (when there is a bound host to tell).
void ReportStationClosed(GridshiftPlugin* plugin);
