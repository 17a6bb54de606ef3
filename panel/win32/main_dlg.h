// The panel window: a modeless dialog from template 129, owned by the host's main
// window and kept on top. It computes nothing itself: every command goes to the
// portable RunPanelCommand (panel/command_routing.h), which hands it to the plug-in
// (the PanelClient) and tells the dialog when to hide or to switch the paste buttons.
// What it does alone is its initialisation and the keys that reach the panel window
// itself.
#pragma once

#include <windows.h>

#include "panel/command_routing.h"
#include "panel/station_panel.h"
#include "panel/win32/dialog_window.h"
#include "panel/win32/message_loop.h"
#include "panel/win32/num_edit.h"
#include "panel/win32/panel_tooltips.h"

class GridshiftPlugin;

class CMainDlg : public DialogWindow,
                 public StationPanel,
                 public CMessageFilter,
                 public CIdleHandler,
                 private PanelCommandTarget {
 public:
  explicit CMainDlg(PanelClient* plugin);
  ~CMainDlg() override;

  // StationPanel.
  bool CreatePanel(PanelOwner owner) override;
  void DestroyPanel() override;
  void ShowPanel(bool show) override;
  void MakeTopmost() override;
  void SetEditPlugin(PanelClient* plugin) override;
  void GetFieldText(int id, char* buffer, int size) override;
  void SetFieldText(int id, const char* text) override;
  bool IsChecked(int id) override;

  // Message-loop hooks: dialog keyboard handling for the panel, no idle work.
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnIdle() override;

 protected:
  bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result, DWORD mapId) override;
  void OnFinalMessage(HWND window) override;

 private:
  // Message handlers.
  LRESULT OnInitPanel();
  void OnDestroyPanel();
  bool OnPanelKeyDown(WPARAM key);
  bool OnCommand(WPARAM wParam);

  // Steps of the initialisation.
  void CentreOnOwner();
  void SetPanelIcons();
  void RegisterLoopHooks();
  void UnregisterLoopHooks();
  void AttachNumericEdits();
  void DetachNumericEdits();
  void FindControls();
  void TypeWithoutInputMethod();
  HWND FindControl(int id) const;

  // PanelCommandTarget: what a command changes on the dialog itself.
  void HidePanel() override;
  void SetPasteButtonsEnabled(bool enabled) override;

  // A window handle kept since initialisation, looked up as the edits are.
  struct KeptControl {
    HWND handle = nullptr;
    HWND Handle() const { return handle; }
  };
  KeptControl m_radios[4];         // Global, Local, "相対", "絶対"
  HWND m_copyButton = nullptr;     // 1016
  HWND m_pasteButtons[7] = {};     // in the order of ctl::kPasteButtons
  HWND m_moveButton = nullptr;     // 1008
  HWND m_rotateButton = nullptr;   // 1011

  CNumEditMove m_moveEdits[3];        // 1005, 1006, 1007
  CNumEditDegree m_rotationEdits[3];  // 57688, 57686, 57687
  CNumEdit m_readOnlyEdits[13];       // centre, max, min, total length, stored

  PanelTooltips m_tooltips;
  HICON m_bigIcon = nullptr;
  HICON m_smallIcon = nullptr;
  bool m_hooksRegistered = false;

  PanelClient* const m_plugin;  // not owned
};
