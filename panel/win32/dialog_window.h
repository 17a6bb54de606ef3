// A modeless dialog bound to an object. The object is found on the dialog's first
// message through the module's creation list (the creation parameter stays free),
// and from then on every message goes to ProcessWindowMessage. Results go back the
// way dialog procedures return them.
#pragma once

#include <windows.h>

class DialogWindow {
 public:
  DialogWindow() = default;
  virtual ~DialogWindow() = default;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // A dialog from template templateId in module, owned by owner, creation
  // parameter 0. Null on failure, and then the object holds no window.
  HWND CreateDialogWindow(HINSTANCE module, int templateId, HWND owner);
  HWND Handle() const { return m_hWnd; }

 protected:
  virtual bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result, DWORD mapId) = 0;
  // Called once the window is gone and the handle cleared.
  virtual void OnFinalMessage(HWND) {}

  HWND m_hWnd = nullptr;

 private:
  static INT_PTR CALLBACK StartDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
