#include "panel/win32/num_edit_degree.h"

#include "plugin/gridshift_plugin.h"

bool CNumEditDegree::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM,
                                          LRESULT& result, DWORD mapId) {
  if (mapId != 0 || message != WM_CHAR) return false;
  return FilterTypedChar(NumEditKind::kDegree, wParam, result);
}

void CNumEditDegree::RunFieldOperation() {
  if (m_plugin != nullptr) m_plugin->RunStationOperation(&GridshiftPlugin::RotateSelection);
}
