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

void PumpHostMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace standin
