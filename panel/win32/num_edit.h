// The numeric edit of a read-only value field, and the base of the move and
// rotation field edits: every character typed into the field passes the keystroke
// filter first; characters that cannot belong to a decimal number beep and never
// reach the field. Everything that is not a typed character goes to the field.
#pragma once

#include "panel/keystroke_filter.h"
#include "panel/win32/subclassed_window.h"

class GridshiftPlugin;

class CNumEdit : public SubclassedWindow {
 public:
  // Takes over the edit control field; false leaves it a plain edit.
  bool AttachEdit(HWND field) { return SubclassWindow(field); }

 protected:
  bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result, DWORD mapId) override;

  // The message processing of a field whose Return runs an operation (kind kMove or
  // kDegree) on plugin: the Return key is kept for the field, and typed characters
  // are filtered.
  bool ProcessOperationField(NumEditKind kind, GridshiftPlugin* plugin, HWND window, UINT message,
                             WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD mapId);

 private:
  // Carries out one WM_CHAR for a field of kind through RunTypedChar. True when the
  // character was consumed (result set), false when it goes on to the field.
  bool FilterTypedChar(NumEditKind kind, GridshiftPlugin* plugin, WPARAM charParam,
                       LRESULT& result);
  // Keeps the Return key from the dialog's keyboard handling (which would press the
  // default button) and from the field's own key-down handling, so that it arrives
  // as the typed character that FilterTypedChar acts on. True when the message was
  // one of those.
  bool KeepReturnKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
};
