// The stand-in host's main window on Windows: a plain visible top-level window that
// owns the plug-in's panel, as a modeller's main window would.
#include "host/host_window_win32.h"

#include <windows.h>

#include "host/stand_in_host.h"

namespace standin {
namespace {

constexpr char kClassName[] = "GridwellStandInHostWindow";

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) return 0;  // the host outlives its window's close box
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

MQWindowHandle CreateHostMainWindow() {
  Host& host = Host::Instance();
  if (host.mainWindow != nullptr) return host.mainWindow;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  HWND window = CreateWindowExA(0, kClassName, "host main window", WS_OVERLAPPEDWINDOW, 0, 0, 800,
                                600, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return nullptr;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  host.mainWindow = window;
  return window;
}

namespace {

// The top-level dialog that msg is meant for, if the host should hand it to that
// dialog's keyboard handling: a window of the dialog class on this thread, other
// than the host's own main window. Null otherwise (thread messages included).
HWND ToolDialogOf(const MSG& msg) {
  if (msg.hwnd == nullptr) return nullptr;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (root == nullptr || root == static_cast<HWND>(Host::Instance().mainWindow)) return nullptr;
  if (GetWindowThreadProcessId(root, nullptr) != GetCurrentThreadId()) return nullptr;
  wchar_t className[16] = {};
  GetClassNameW(root, className, 16);
  return lstrcmpW(className, L"#32770") == 0 ? root : nullptr;
}

}  // namespace

void PumpHostMessages() {
  // Unicode throughout, as the panel is a Unicode dialog: characters that
  // TranslateMessage makes reach it without a round trip through the code page.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    HWND dialog = ToolDialogOf(message);
    if (dialog != nullptr && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace standin
