#include "panel/win32/num_edit_degree.h"

bool CNumEditDegree::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          LRESULT& result, DWORD mapId) {
  return ProcessOperationField(NumEditKind::kDegree, m_plugin, window, message, wParam, lParam,
                               result, mapId);
}
