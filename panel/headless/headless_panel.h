// The panel of the native build: the controls of the layout table held in memory, with
// clicks, typed characters and panel keys carried out by the same portable code as
// the Windows dialog's (panel/command_routing.h).
//
// It is both the StationPanel the plug-in drives and the PanelDriver through which
// tests and scenarios act as a person at the panel would. CreateStationPanel, which
// makes it for the plug-in, stands in a file of its own, so that a test may link a
// panel of its own making in its place.
#pragma once

#include <string>
#include <vector>

#include "panel/command_routing.h"
#include "panel/layout.h"
#include "panel/panel_driver.h"
#include "panel/station_panel.h"

class HeadlessPanel : public StationPanel, public PanelDriver, private PanelCommandTarget {
 public:
  explicit HeadlessPanel(PanelClient* plugin);
  ~HeadlessPanel() override;
  HeadlessPanel(const HeadlessPanel&) = delete;
  HeadlessPanel& operator=(const HeadlessPanel&) = delete;

  // The panel object most recently made and not yet deleted, or null.
  static HeadlessPanel* Current();

  // StationPanel.
  bool CreatePanel(PanelOwner owner) override;
  void DestroyPanel() override;
  void ShowPanel(bool show) override;
  void MakeTopmost() override;
  void SetEditPlugin(PanelClient* plugin) override;
  void GetFieldText(int id, char* buffer, int size) override;
  void SetFieldText(int id, const char* text) override;
  bool IsChecked(int id) override;  // also the driver's

  // PanelDriver.
  bool Exists() override;
  bool IsVisible() override;
  bool Click(int id) override;
  // Nothing to show without windows; true for a known control.
  bool Hover(int id) override { return Find(id) != nullptr; }
  bool Command(int id, int notification) override;
  bool Type(int id, char c) override;
  bool PanelKey(int virtualKey) override;
  bool PressKey(int virtualKey) override;
  bool SetText(int id, const char* text) override;
  bool GetText(int id, char* buffer, int size) override;
  bool IsEnabled(int id) override;
  int FocusedControl() override;
  int BeepCount() override;

 private:
  struct Control {
    const ControlSpec* layout;
    std::string text;
    bool checked;
    bool enabled;
    bool visible;
    // An editable field's selection, as byte offsets into text; the caret is at
    // selectionEnd. Empty and at the start after the program sets the text.
    size_t selectionStart = 0;
    size_t selectionEnd = 0;
  };

  Control* Find(int id);
  void CheckInGroup(int index);
  void RunCommand(unsigned commandParam);
  // PanelCommandTarget.
  void HidePanel() override;
  void SetPasteButtonsEnabled(bool enabled) override;
  void FocusNextTabStop();
  void PressReturn();
  void EditAtCaret(Control& field, char c);
  bool IsTabStop(const Control& control) const;
  void Beep() { ++m_beeps; }

  PanelClient* m_plugin;                // runs the buttons' commands
  PanelClient* m_editPlugin = nullptr;  // runs Return in move and rotation fields
  std::vector<Control> m_controls;          // in template order, while the window exists
  bool m_windowExists = false;
  bool m_visible = false;
  int m_focus = 0;  // control ID with the focus, 0 for the panel itself
  int m_beeps = 0;
};
