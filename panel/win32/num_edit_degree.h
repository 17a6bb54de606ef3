// The numeric edit of a rotation field: Return runs the rotation with all three
// rotation fields, as the rotate button does.
#pragma once

#include "panel/win32/num_edit.h"

class GridshiftPlugin;

class CNumEditDegree : public CNumEdit {
 public:
  // The plug-in object on which Return runs the rotation; null makes Return do
  // nothing.
  GridshiftPlugin* m_plugin = nullptr;

 protected:
  bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result, DWORD mapId) override;
};
