#include "panel/win32/subclassed_window.h"

namespace {

// The object that took a window over, kept as a window property so that any
// procedure can find it without touching the window's user data.
constexpr char kObjectProperty[] = "Gridwell.SubclassedWindow";

}  // namespace

SubclassedWindow::~SubclassedWindow() { Unsubclass(); }

bool SubclassedWindow::SubclassWindow(HWND window) {
  if (window == nullptr || m_hWnd != nullptr || !IsWindow(window)) return false;
  if (GetPropA(window, kObjectProperty) != nullptr) return false;
  if (!SetPropA(window, kObjectProperty, this)) return false;
  auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedWindow::WindowProc)));
  if (previous == nullptr) {
    RemovePropA(window, kObjectProperty);
    return false;
  }
  m_originalProc = previous;
  m_hWnd = window;
  return true;
}

// Lets go of the window while it still exists (the object is going away first).
void SubclassedWindow::Unsubclass() {
  if (m_hWnd == nullptr) return;
  if (GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) ==
      reinterpret_cast<LONG_PTR>(&SubclassedWindow::WindowProc)) {
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_originalProc));
  }
  RemovePropA(m_hWnd, kObjectProperty);
  m_hWnd = nullptr;
}

LRESULT CALLBACK SubclassedWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = static_cast<SubclassedWindow*>(GetPropA(window, kObjectProperty));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  const WNDPROC original = self->m_originalProc;

  if (message == WM_NCDESTROY) {
    // The field's own procedure sees its final message first; then the original
    // procedure goes back, unless someone else took the window over after us, in
    // which case pointing it at our procedure must stay harmless: the property is
    // gone, so stray messages go to DefWindowProc.
    LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) ==
        reinterpret_cast<LONG_PTR>(&SubclassedWindow::WindowProc)) {
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    RemovePropA(window, kObjectProperty);
    self->m_hWnd = nullptr;
    self->OnFinalMessage(window);
    return result;
  }

  LRESULT result = 0;
  if (self->ProcessWindowMessage(window, message, wParam, lParam, result, 0)) return result;
  return CallWindowProcA(original, window, message, wParam, lParam);
}
