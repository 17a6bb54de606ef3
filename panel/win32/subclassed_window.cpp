#include "panel/win32/subclassed_window.h"

namespace {

// The object that took a window over, kept as a window property so that any
// procedure can find it without touching the window's user data.
constexpr char kObjectProperty[] = "Gridwell.SubclassedWindow";

// The same pairs, remembered here as well: every message to a taken-over window
// passes the window procedure, which must find its object, and on some systems
// reading a property is a request to the window server (a refresh alone reads
// thirteen fields). The panel takes over nineteen fields; windows beyond the slots
// are found by their property alone. Windows live on the host's user-interface
// thread, so nothing else touches the table.
struct TakenOverWindow {
  HWND window;
  SubclassedWindow* object;
};
TakenOverWindow g_takenOver[32];  // a free slot has a null window

void Remember(HWND window, SubclassedWindow* object) {
  for (TakenOverWindow& slot : g_takenOver) {
    if (slot.window == nullptr) {
      slot = {window, object};
      return;
    }
  }
}

void Forget(HWND window) {
  for (TakenOverWindow& slot : g_takenOver) {
    if (slot.window == window) slot = {nullptr, nullptr};
  }
}

SubclassedWindow* FindObject(HWND window) {
  for (const TakenOverWindow& slot : g_takenOver) {
    if (slot.window == window) return slot.object;
  }
  return static_cast<SubclassedWindow*>(GetPropA(window, kObjectProperty));
}

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
  Remember(window, this);
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
  Forget(m_hWnd);
  m_hWnd = nullptr;
}

int SubclassedWindow::WindowTextW(HWND window, wchar_t* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = L'\0';
  const SubclassedWindow* self = FindObject(window);
  if (self == nullptr || self->m_hWnd != window) return GetWindowTextW(window, buffer, size);
  // CallWindowProcW passes the message to the original procedure in its own form.
  return static_cast<int>(CallWindowProcW(self->m_originalProc, window, WM_GETTEXT,
                                          static_cast<WPARAM>(size),
                                          reinterpret_cast<LPARAM>(buffer)));
}

LRESULT CALLBACK SubclassedWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  SubclassedWindow* self = FindObject(window);
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
    Forget(window);
    self->m_hWnd = nullptr;
    self->OnFinalMessage(window);
    return result;
  }

  LRESULT result = 0;
  if (self->ProcessWindowMessage(window, message, wParam, lParam, result, 0)) return result;
  return CallWindowProcA(original, window, message, wParam, lParam);
}
