#include "panel/win32/num_edit.h"

bool CNumEdit::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result,
                                    DWORD mapId) {
  if (mapId != 0 || message != WM_CHAR) return false;
  return FilterTypedChar(NumEditKind::kPlain, wParam, result);
}

bool CNumEdit::FilterTypedChar(NumEditKind kind, WPARAM charParam, LRESULT& result) {
  switch (ClassifyTypedChar(kind, charParam)) {
    case KeyVerdict::kToField:
      return false;
    case KeyVerdict::kBeep:
      MessageBeep(0xFFFFFFFF);
      break;
    case KeyVerdict::kRunAndConsume:
      RunFieldOperation();
      break;
    case KeyVerdict::kConsume:
      break;
  }
  result = 0;
  return true;
}
