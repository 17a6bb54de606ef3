// The panel as the plug-in object and the operations see it: a humble dialog. The
// operations read and write field texts and ask radios for their check state; the
// plug-in object creates, shows, raises and destroys the window. Everything else
// (routing clicks and keys, enabling the paste buttons, the close sequence) happens
// inside the implementation, through the portable rules of panel/.
//
// Two implementations: CMainDlg on Windows (panel/win32) and HeadlessPanel
// elsewhere (panel/headless). The one linked in provides CreateStationPanel.
#pragma once

#include "plugin/host_types.h"

class GridshiftPlugin;

class StationPanel {
 public:
  virtual ~StationPanel() = default;

  // Creates the panel window from the layout, owned by owner, and runs its
  // initialisation. The window is not visible afterwards. False when creation
  // failed; the object is then only deleted.
  virtual bool CreatePanel(MQWindowHandle owner) = 0;
  // Destroys the window (if any); the object stays until deleted.
  virtual void DestroyPanel() = 0;
  virtual void ShowPanel(bool show) = 0;
  // Topmost, position and size unchanged, not activated.
  virtual void MakeTopmost() = 0;
  // Gives the three move-field and three rotation-field edits the plug-in object on
  // which Return runs the move or the rotation.
  virtual void SetEditPlugin(GridshiftPlugin* plugin) = 0;

  // Text of a value field, as GetWindowTextA gives it: at most size - 1 characters,
  // always NUL-terminated. Empty for an unknown ID.
  virtual void GetFieldText(int id, char* buffer, int size) = 0;
  // Sets a value field's text, unless the field already shows exactly that text: a
  // refresh that changes nothing then writes nothing (no repaint, no notification).
  // The comparison is with the text in the field itself, never with a remembered
  // copy, so text a person typed is always replaced when it differs.
  virtual void SetFieldText(int id, const char* text) = 0;
  // BM_GETCHECK of a radio: true when checked.
  virtual bool IsChecked(int id) = 0;
};

// Makes the panel object of the platform's implementation for plug-in. No window
// yet. Null when out of memory.
StationPanel* CreateStationPanel(GridshiftPlugin* plugin);
