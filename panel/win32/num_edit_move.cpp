#include "panel/win32/num_edit_move.h"

bool CNumEditMove::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT& result, DWORD mapId) {
  return ProcessOperationField(NumEditKind::kMove, m_plugin, window, message, wParam, lParam,
                               result, mapId);
}
