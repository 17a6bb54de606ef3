// The panel's tooltips: one tooltip window, made by the panel and destroyed with it,
// that shows each control's tip (panel/tooltips.h) in the language of the user
// interface. Each control is a tool twice: by its window, which gets the mouse while
// the control is enabled, and by its rectangle on the panel, which gets the mouse over
// the control while it is disabled (the paste buttons in relative mode), so that a
// disabled control still says what it does and why it cannot be pressed.
#pragma once

#include <windows.h>

class PanelTooltips {
 public:
  PanelTooltips() = default;
  PanelTooltips(const PanelTooltips&) = delete;
  PanelTooltips& operator=(const PanelTooltips&) = delete;

  // Makes the tooltip window for panel, whose controls exist. Without common
  // controls the panel simply has no tips.
  void Create(HWND panel);
  // Destroys the tooltip window, if it still exists.
  void Destroy();

 private:
  HWND m_window = nullptr;
};
