// The panel of the native build: the controls of the layout table held in memory, with
// clicks, typed characters and panel keys carried out by the same portable code as
// the Windows dialog's (panel/command_routing.h).
//
// It is both the StationPanel the plug-in drives and the PanelDriver through which
// tests and scenarios act as a person at the panel would.
#pragma once

#include <string>
#include <vector>

#include "panel/command_routing.h"
#include "panel/layout.h"
#include "panel/panel_driver.h"
#include "panel/station_panel.h"

class HeadlessPanel final : public StationPanel, public PanelDriver, private PanelCommandTarget {
 public:
  explicit HeadlessPanel(GridshiftPlugin* plugin);
  ~HeadlessPanel() override;
  HeadlessPanel(const HeadlessPanel&) = delete;
  HeadlessPanel& operator=(const HeadlessPanel&) = delete;

  // The panel object most recently made and not yet deleted, or null.
  static HeadlessPanel* Current();
  // Makes the next CreatePanel fail, as a window creation can; for tests.
  static void FailNextCreation();

  // StationPanel.
  bool CreatePanel(MQWindowHandle owner) override;
  void DestroyPanel() override;
  void ShowPanel(bool show) override;
  void MakeTopmost() override;
  void SetEditPlugin(GridshiftPlugin* plugin) override;
  void GetFieldText(int id, char* buffer, int size) override;
  void SetFieldText(int id, const char* text) override;
  bool IsChecked(int id) override;  // also the driver's

  // PanelDriver.
  bool Exists() override;
  bool IsVisible() override;
  bool Click(int id) override;
  bool Command(int id, int notification) override;
  bool Type(int id, char c) override;
  bool PanelKey(int virtualKey) override;
  bool PressKey(int virtualKey) override;
  bool SetText(int id, const char* text) override;
  bool GetText(int id, char* buffer, int size) override;
  bool IsEnabled(int id) override;
  int FocusedControl() override;
  int BeepCount() override;

  bool IsTopmost() const { return m_topmost; }
  // Field texts the plug-in changed through SetFieldText since the panel was created:
  // the writes a window system would see. Unchanged texts are not written.
  long FieldWrites() const { return m_fieldWrites; }
  MQWindowHandle Owner() const { return m_owner; }

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

  GridshiftPlugin* m_plugin;                // runs the buttons' operations
  GridshiftPlugin* m_editPlugin = nullptr;  // runs Return in move and rotation fields
  std::vector<Control> m_controls;          // in template order, while the window exists
  bool m_windowExists = false;
  bool m_visible = false;
  bool m_topmost = false;
  MQWindowHandle m_owner = nullptr;
  int m_focus = 0;  // control ID with the focus, 0 for the panel itself
  int m_beeps = 0;
  long m_fieldWrites = 0;
};
