#include "panel/win32/num_edit_degree.h"

#include "plugin/gridshift_plugin.h"

bool CNumEditDegree::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          LRESULT& result, DWORD mapId) {
  if (mapId != 0) return false;
  if (KeepReturnKey(window, message, wParam, lParam, result)) return true;
  if (message != WM_CHAR) return false;
  return FilterTypedChar(NumEditKind::kDegree, wParam, result);
}

void CNumEditDegree::RunFieldOperation() {
  if (m_plugin != nullptr) m_plugin->RunStationOperation(&GridshiftPlugin::RotateSelection);
}
