// A child window taken over after its creation: every message passes the object's
// ProcessWindowMessage first, and whatever that leaves unhandled goes to the
// procedure the window had before. The original procedure is put back when the
// window is finally destroyed or when the object goes away first.
#pragma once

#include <windows.h>

class SubclassedWindow {
 public:
  SubclassedWindow() = default;
  virtual ~SubclassedWindow();
  SubclassedWindow(const SubclassedWindow&) = delete;
  SubclassedWindow& operator=(const SubclassedWindow&) = delete;

  // Takes over window. False (and nothing changed) for a null window, a window
  // already taken over by an object, or when this object already holds one.
  bool SubclassWindow(HWND window);
  HWND Handle() const { return m_hWnd; }

  // The text of window in UTF-16, as GetWindowTextW returns it (at most size - 1
  // units, NUL-terminated), but from the window's own procedure when an object has
  // taken it over. This layer's procedure is an ANSI one, and text that passes it
  // goes through the ANSI code page, which has no room for, say, full-width digits
  // on a Western system.
  static int WindowTextW(HWND window, wchar_t* buffer, int size);

 protected:
  // Only message map 0 exists; an object answers false for any other.
  virtual bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result, DWORD mapId) = 0;
  // Called after the window is gone and the object has let go of it.
  virtual void OnFinalMessage(HWND) {}
  // What the window's own procedure answers to a message.
  LRESULT CallOriginalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(m_originalProc, window, message, wParam, lParam);
  }

  // Gives the window back to the procedure it had when taken over, while it still
  // exists; nothing when this object holds no window.
  void Unsubclass();

  HWND m_hWnd = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  WNDPROC m_originalProc = nullptr;
};
