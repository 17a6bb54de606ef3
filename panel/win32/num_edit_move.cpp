#include "panel/win32/num_edit_move.h"

#include "plugin/gridshift_plugin.h"

bool CNumEditMove::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT& result, DWORD mapId) {
  if (mapId != 0) return false;
  if (KeepReturnKey(window, message, wParam, lParam, result)) return true;
  if (message != WM_CHAR) return false;
  return FilterTypedChar(NumEditKind::kMove, wParam, result);
}

void CNumEditMove::RunFieldOperation() {
  if (m_plugin != nullptr) m_plugin->RunStationOperation(&GridshiftPlugin::MoveSelection);
}
