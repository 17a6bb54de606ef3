// Drives the plug-in's panel dialog through window messages, as a person at the
// keyboard and mouse would, from the thread that owns the panel.
//
// - The panel is the dialog of this process titled as the layout says; it is found
//   again whenever the window it knew is gone.
// - Clicks are BM_CLICK sent to the control, which also gives it the focus; a click
//   into a field gives it the focus. A disabled or hidden control takes no click (a
//   person could not reach it), so nothing happens.
// - Typed characters are WM_CHAR sent to the field, so they pass the field's
//   keystroke filter; keys on the panel itself are WM_KEYDOWN sent to the dialog.
// - Pressed keys are what a keyboard gives: WM_KEYDOWN and WM_KEYUP posted to the
//   window with the focus, then the host's message loop runs, so that the dialog's
//   keyboard handling sees them first and TranslateMessage makes the WM_CHAR, as for
//   a real key. When the focus is outside the panel, the panel is activated first, as
//   a person clicks a window before typing into it, which puts the focus back on
//   the control that last had it.
// - Texts cross as UTF-8 both ways, so that labels read the same as on the
//   headless panel.
// - Beeps: MessageBeep leaves no trace a program can read, so the driver patches
//   the user32!MessageBeep entry of the import table of the module that made the
//   panel (the plug-in) with a counter that then calls the real function. Only this
//   test-side driver patches; the plug-in is unchanged. Beeps are counted from the
//   first time the driver finds a panel window and restart at zero for each new one.
#include "host/win32_panel_driver.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "host/host_window_win32.h"
#include "host/import_patch_win32.h"
#include "panel/layout.h"

namespace {

// --- Beep counting -------------------------------------------------------------

typedef BOOL(WINAPI* MessageBeepProc)(UINT);

int s_beeps = 0;
MessageBeepProc s_realMessageBeep = nullptr;

BOOL WINAPI CountingMessageBeep(UINT type) {
  ++s_beeps;
  return s_realMessageBeep != nullptr ? s_realMessageBeep(type) : TRUE;
}

// Points module's import of user32!MessageBeep at CountingMessageBeep, unless it
// already does. False when the module does not import it by name.
bool HookMessageBeep(HMODULE module) {
  const auto counting = reinterpret_cast<void*>(&CountingMessageBeep);
  void* previous = PatchImport(module, "user32.dll", "MessageBeep", counting);
  if (previous == nullptr) return false;
  if (previous != counting && s_realMessageBeep == nullptr)
    s_realMessageBeep = reinterpret_cast<MessageBeepProc>(previous);
  return true;
}

// --- Finding the panel ---------------------------------------------------------

bool IsPanelWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return false;
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  if (std::strcmp(className, "#32770") != 0) return false;
  char title[64] = {};
  GetWindowTextA(window, title, sizeof(title));
  return std::strcmp(title, kPanelTitle) == 0;
}

BOOL CALLBACK FindPanelWindow(HWND window, LPARAM found) {
  if (!IsPanelWindow(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

std::wstring Utf8ToWide(const char* text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length) - 1);
  return wide;
}

// --- The driver ----------------------------------------------------------------

class Win32PanelDriver : public PanelDriver {
 public:
  bool Exists() override { return Panel() != nullptr; }

  bool IsVisible() override {
    HWND panel = Panel();
    return panel != nullptr && IsWindowVisible(panel);
  }

  bool Click(int id) override {
    HWND control = Control(id);
    if (control == nullptr) return false;
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if ((style & WS_VISIBLE) == 0 || !IsWindowEnabled(control)) return true;
    char className[16] = {};
    GetClassNameA(control, className, sizeof(className));
    if (_stricmp(className, "Edit") == 0) {
      SetFocus(control);  // a click into a field only gives it the focus
    } else {
      SendMessageA(control, BM_CLICK, 0, 0);
    }
    return true;
  }

  bool Command(int id, int notification) override {
    HWND panel = Panel();
    if (panel == nullptr) return false;
    const WPARAM param = MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(notification));
    SendMessageA(panel, WM_COMMAND, param, reinterpret_cast<LPARAM>(GetDlgItem(panel, id)));
    return true;
  }

  bool Type(int id, char c) override {
    HWND field = Control(id);
    if (field == nullptr) return false;
    SendMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 1);
    return true;
  }

  bool PanelKey(int virtualKey) override {
    HWND panel = Panel();
    if (panel == nullptr) return false;
    const UINT scanCode = MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    SendMessageA(panel, WM_KEYDOWN, static_cast<WPARAM>(virtualKey),
                 static_cast<LPARAM>(1 | (scanCode << 16)));
    return true;
  }

  bool PressKey(int virtualKey) override {
    HWND panel = Panel();
    if (panel == nullptr) return false;
    if (!IsWindowVisible(panel)) return true;  // no key reaches a hidden window
    if (!IsInPanel(panel, GetFocus())) {
      SetActiveWindow(panel);
      standin::PumpHostMessages();
    }
    HWND target = GetFocus();
    if (!IsInPanel(panel, target)) target = panel;
    const UINT key = static_cast<UINT>(virtualKey) & 0xFF;
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, key, 1 | scanCode);
    PostMessageW(target, WM_KEYUP, key, 1 | scanCode | LPARAM{0x40000000} | LPARAM{1} << 31);
    standin::PumpHostMessages();
    return true;
  }

  bool SetText(int id, const char* text) override {
    HWND control = Control(id);
    if (control == nullptr) return false;
    SetWindowTextW(control, Utf8ToWide(text != nullptr ? text : "").c_str());
    return true;
  }

  bool GetText(int id, char* buffer, int size) override {
    if (buffer == nullptr || size <= 0) return false;
    buffer[0] = '\0';
    HWND control = Control(id);
    if (control == nullptr) return false;
    const int length = GetWindowTextLengthW(control);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(control, wide.data(), length + 1);
    const int written =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, buffer, size, nullptr, nullptr);
    if (written == 0) {
      // Too long for the buffer: cut at a character boundary.
      std::string whole(static_cast<size_t>(length) * 4 + 1, '\0');
      WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, whole.data(),
                          static_cast<int>(whole.size()), nullptr, nullptr);
      size_t cut = static_cast<size_t>(size) - 1;
      while (cut > 0 && (static_cast<unsigned char>(whole[cut]) & 0xC0) == 0x80) --cut;
      std::memcpy(buffer, whole.data(), cut);
      buffer[cut] = '\0';
    }
    return true;
  }

  bool Hover(int id) override {
    HWND control = Control(id);
    RECT rect = {};
    if (control == nullptr || !GetWindowRect(control, &rect)) return false;
    return SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2) != FALSE;
  }

  bool IsChecked(int id) override {
    HWND control = Control(id);
    return control != nullptr && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  bool IsEnabled(int id) override {
    HWND control = Control(id);
    return control != nullptr && IsWindowEnabled(control);
  }

  int FocusedControl() override {
    HWND panel = Panel();
    HWND focus = GetFocus();
    if (panel == nullptr || focus == nullptr || focus == panel) return 0;
    // Up to the panel's own child, for controls made of several windows.
    while (focus != nullptr && GetParent(focus) != panel) focus = GetParent(focus);
    return focus != nullptr ? GetDlgCtrlID(focus) : 0;
  }

  int BeepCount() override {
    Panel();
    return s_beeps;
  }

 private:
  // The panel window, found again if the one known is gone. Hooks the beep of the
  // module that made it, and restarts the count for a new window.
  HWND Panel() {
    if (m_panel != nullptr && IsWindow(m_panel) && IsPanelWindow(m_panel)) return m_panel;
    HWND found = nullptr;
    EnumWindows(&FindPanelWindow, reinterpret_cast<LPARAM>(&found));
    if (found != m_panel) {
      m_panel = found;
      s_beeps = 0;
      if (found != nullptr) {
        HookMessageBeep(reinterpret_cast<HMODULE>(GetWindowLongPtrA(found, GWLP_HINSTANCE)));
      }
    }
    return m_panel;
  }

  static bool IsInPanel(HWND panel, HWND window) {
    return window != nullptr && (window == panel || IsChild(panel, window));
  }

  // A control of the panel by ID; null for the shared ID of frames and labels.
  HWND Control(int id) {
    if (id == kUnnamedControlId) return nullptr;
    HWND panel = Panel();
    return panel != nullptr ? GetDlgItem(panel, id) : nullptr;
  }

  HWND m_panel = nullptr;
};

}  // namespace

PanelDriver* CreateWin32PanelDriver() { return new Win32PanelDriver(); }
