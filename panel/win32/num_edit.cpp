#include "panel/win32/num_edit.h"

#include "panel/command_routing.h"

bool CNumEdit::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result, DWORD mapId) {
  if (mapId != 0) return false;
  if (m_kind != NumEditKind::kPlain && KeepReturnKey(window, message, wParam, lParam, result)) {
    return true;
  }
  if (message != WM_CHAR) return false;
  switch (RunTypedChar(m_kind, wParam, OperationClient())) {
    case KeyVerdict::kToField:
      return false;
    case KeyVerdict::kBeep:
      MessageBeep(0xFFFFFFFF);
      break;
    case KeyVerdict::kRunAndConsume:
    case KeyVerdict::kConsume:
      break;
  }
  result = 0;
  return true;
}

bool CNumEdit::KeepReturnKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT& result) {
  if (message == WM_GETDLGCODE) {
    // The dialog manager asks before it acts on a key-down; lParam is that message.
    const MSG* key = reinterpret_cast<const MSG*>(lParam);
    if (key == nullptr || key->message != WM_KEYDOWN || key->wParam != VK_RETURN) return false;
    result = CallOriginalProc(window, message, wParam, lParam) | DLGC_WANTALLKEYS;
    return true;
  }
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    // Some edit controls answer Return inside a dialog by moving the focus to the
    // default button and pressing it; here the character does the work instead.
    result = 0;
    return true;
  }
  return false;
}
