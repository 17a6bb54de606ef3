#include "panel/win32/dialog_window.h"

#include "panel/win32/app_module.h"

HWND DialogWindow::CreateDialogWindow(HINSTANCE module, int templateId, HWND owner) {
  if (m_hWnd != nullptr) return nullptr;
  WindowCreation entry;
  if (!g_module.AddWindowCreation(&entry, this)) return nullptr;
  // The Unicode call, so that the template's labels reach the controls as they are
  // written: through the ANSI call they may pass the system code page, and every
  // Japanese label turns into "?" on a system whose code page lacks them.
  HWND window = CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), owner,
                                   &DialogWindow::StartDialogProc, 0);
  // A creation that failed before the first message leaves the entry behind, and
  // it points into this frame.
  g_module.RemoveWindowCreation(&entry);
  if (window == nullptr) m_hWnd = nullptr;
  return window;
}

INT_PTR CALLBACK DialogWindow::StartDialogProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  auto* self = static_cast<DialogWindow*>(g_module.ExtractWindowCreation());
  if (self == nullptr) return FALSE;
  self->m_hWnd = window;
  SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  SetWindowLongPtrW(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&DialogWindow::DialogProc));
  return DialogProc(window, message, wParam, lParam);
}

INT_PTR CALLBACK DialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;

  LRESULT result = 0;
  const bool handled = self->ProcessWindowMessage(window, message, wParam, lParam, result, 0);

  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, DWLP_USER, 0);
    self->m_hWnd = nullptr;
    self->OnFinalMessage(window);
    return FALSE;
  }
  if (!handled) return FALSE;

  switch (message) {
    // Messages whose answer is the procedure's return value itself.
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return static_cast<INT_PTR>(result);
    default:
      SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
      return TRUE;
  }
}
