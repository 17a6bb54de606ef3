#include "panel/win32/panel_tooltips.h"

#include <commctrl.h>

#include "panel/layout.h"
#include "panel/tooltips.h"
#include "panel/win32/app_module.h"

namespace {

// The tool fields of every common-controls version (the version-6 size adds a field
// that older versions refuse).
const UINT kToolInfoSize = TTTOOLINFOW_V2_SIZE;

void AddTool(HWND tooltip, HWND panel, UINT flags, UINT_PTR id, const RECT& rect, wchar_t* text) {
  TTTOOLINFOW tool = {};
  tool.cbSize = kToolInfoSize;
  tool.uFlags = flags | TTF_SUBCLASS;  // the tooltip watches the mouse on the tool's window
  tool.hwnd = panel;
  tool.uId = id;
  tool.rect = rect;
  tool.lpszText = text;  // copied by the tooltip
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

void PanelTooltips::Create(HWND panel) {
  // Owned by no window: Wine does not make a window that owns another topmost when
  // asked after its creation (the panel's start asks, whatever its template says),
  // and the panel must be topmost. The panel destroys the tooltip when it goes
  // (Destroy, on WM_DESTROY); the tooltip raises itself above the topmost panel
  // whenever it shows.
  m_window = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                             nullptr, AppModule::ResourceInstance(), nullptr);
  if (m_window == nullptr) return;
  // The panel's own font, which shows its Japanese labels; the panel keeps it.
  SendMessageW(m_window, WM_SETFONT, SendMessageW(panel, WM_GETFONT, 0, 0), FALSE);
  // A width makes the tooltip break its text at "\n"; no tip is wider than the panel.
  RECT client = {};
  GetClientRect(panel, &client);
  SendMessageW(m_window, TTM_SETMAXTIPWIDTH, 0, client.right);

  const TipLanguage language = TipLanguageFor(GetUserDefaultUILanguage());
  for (const ControlSpec& control : kPanelControls) {
    HWND child = HasTooltip(control) ? GetDlgItem(panel, control.id) : nullptr;
    wchar_t text[256];
    if (child == nullptr ||
        MultiByteToWideChar(CP_UTF8, 0, TooltipText(control.id, language), -1, text, 256) == 0)
      continue;
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, panel, reinterpret_cast<POINT*>(&rect), 2);
    AddTool(m_window, panel, TTF_IDISHWND, reinterpret_cast<UINT_PTR>(child), rect, text);
    AddTool(m_window, panel, 0, static_cast<UINT_PTR>(control.id), rect, text);
  }
}

void PanelTooltips::Destroy() {
  if (m_window != nullptr) DestroyWindow(m_window);
  m_window = nullptr;
}
