// Reads a classic (non-extended) dialog template resource into plain values, so
// that tests can compare it with the layout table field by field.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  WORD id = 0;
  WORD classAtom = 0;      // 0x80 button, 0x81 edit, 0x82 static; 0 when named
  std::wstring className;  // when named
  std::wstring text;
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  bool hasMenu = false;
  bool hasClass = false;
  std::wstring title;
  WORD pointSize = 0;
  std::wstring fontFace;
  std::vector<TemplateItem> items;
};

// Dialog resource id of module. False when it is missing, is an extended
// template, or runs past the end of the resource.
bool ReadDialogTemplate(HMODULE module, int id, DialogTemplate* out);
