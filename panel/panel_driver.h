// Drives a panel as a person would: clicks, typed characters, and what can be seen.
// The scenario tool uses it on both builds: natively on the headless panel, on
// Windows on the real dialog through window messages. Controls are named by ID.
#pragma once

class PanelDriver {
 public:
  virtual ~PanelDriver() = default;
  // False while no panel window exists.
  virtual bool Exists() = 0;
  virtual bool IsVisible() = 0;
  // A click on a button or radio (BM_CLICK on Windows). False for an unknown ID.
  virtual bool Click(int id) = 0;
  // A command sent to the panel as if from control id (WM_COMMAND), with any
  // notification code in the high word.
  virtual bool Command(int id, int notification) = 0;
  // The mouse moved onto the middle of control id and left there, so that its
  // tooltip shows (on Windows a real cursor move). False for an unknown ID.
  virtual bool Hover(int id) = 0;
  // One character typed into a field (WM_CHAR), Return included.
  virtual bool Type(int id, char c) = 0;
  // A key pressed while the panel window itself has the focus (WM_KEYDOWN).
  virtual bool PanelKey(int virtualKey) = 0;
  // A key pressed and released as a person does it, going to whatever has the
  // keyboard focus in the panel (the panel window itself when no control has it)
  // through the dialog keyboard handling of the host's message loop: Tab moves to the
  // next tab stop, Return presses the focused push button, runs a move or rotation
  // field's own operation, and elsewhere presses the default button (1008), Escape
  // is command 2. A hidden panel takes no key: nothing happens. False while no panel
  // exists, or for a key the panel cannot model.
  virtual bool PressKey(int virtualKey) = 0;
  virtual bool SetText(int id, const char* text) = 0;
  // Text of a control, at most size - 1 bytes; false for an unknown ID.
  virtual bool GetText(int id, char* buffer, int size) = 0;
  virtual bool IsChecked(int id) = 0;
  virtual bool IsEnabled(int id) = 0;
  // ID of the control with the keyboard focus, 0 for none.
  virtual int FocusedControl() = 0;
  // Beeps given since the panel was created.
  virtual int BeepCount() = 0;
};
