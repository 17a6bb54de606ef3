#include "panel/win32/num_edit_move.h"

#include "plugin/gridshift_plugin.h"

bool CNumEditMove::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result,
                                        DWORD mapId) {
  if (mapId != 0 || message != WM_CHAR) return false;
  return FilterTypedChar(NumEditKind::kMove, wParam, result);
}

void CNumEditMove::RunFieldOperation() {
  if (m_plugin != nullptr) m_plugin->RunStationOperation(&GridshiftPlugin::MoveSelection);
}
