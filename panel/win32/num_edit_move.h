// The numeric edit of a move field: Return runs the move with all three move
// fields, as the move button does.
#pragma once

#include "panel/win32/num_edit.h"

class GridshiftPlugin;

class CNumEditMove : public CNumEdit {
 public:
  // The plug-in object on which Return runs the move; null (the default) makes
  // Return do nothing.
  GridshiftPlugin* m_plugin = nullptr;

 protected:
  bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result, DWORD mapId) override;
};
