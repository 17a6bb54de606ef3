// The panel as the plug-in object sees it: a humble dialog. The plug-in reads and
// writes field texts, asks radios for their check state, and creates, shows, raises
// and destroys the window. Everything else (routing clicks and keys, enabling the
// paste buttons, the close sequence) happens inside the implementation, through the
// portable rules of panel/, which hand each command to a PanelClient.
//
// Two implementations: CMainDlg on Windows (panel/win32) and HeadlessPanel
// elsewhere (panel/headless). The one linked in provides CreateStationPanel.
#pragma once

class PanelClient;

// The window that owns the panel: the host's main window (an HWND on Windows).
typedef void* PanelOwner;

class StationPanel {
 public:
  virtual ~StationPanel() = default;

  // Creates the panel window from the layout, owned by owner, and runs its
  // initialisation. The window is not visible afterwards. False when creation
  // failed; the object is then only deleted.
  virtual bool CreatePanel(PanelOwner owner) = 0;
  // Destroys the window (if any); the object stays until deleted.
  virtual void DestroyPanel() = 0;
  virtual void ShowPanel(bool show) = 0;
  // Topmost, position and size unchanged, not activated.
  virtual void MakeTopmost() = 0;
  // Gives the three move-field and three rotation-field edits the client on which
  // Return runs the move or the rotation; null makes Return do nothing.
  virtual void SetEditPlugin(PanelClient* plugin) = 0;

  // Text of a value field in UTF-8, as CopyFieldText (panel/field_text.h) cuts it:
  // at most 255 characters and size - 1 bytes, never half a character, always
  // NUL-terminated. Empty for an unknown ID.
  virtual void GetFieldText(int id, char* buffer, int size) = 0;
  // Sets a value field's text (UTF-8), unless the field already shows exactly that
  // text: a refresh that changes nothing then writes nothing (no repaint, no
  // notification). The comparison is with the text in the field itself, never with a
  // remembered copy, so text a person typed is always replaced when it differs.
  virtual void SetFieldText(int id, const char* text) = 0;
  // BM_GETCHECK of a radio: true when checked.
  virtual bool IsChecked(int id) = 0;
};

// Makes the panel object of the platform's implementation, whose buttons run their
// commands on plugin. No window yet. Null when out of memory.
StationPanel* CreateStationPanel(PanelClient* plugin);
