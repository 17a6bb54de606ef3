// The numeric edits that take over the panel's value fields. Every character typed
// into a field passes the keystroke filter first; characters that cannot belong to a
// decimal number beep and never reach the field. Everything that is not a typed
// character goes to the field.
//
//   CNumEdit        the read-only fields
//   CNumEditMove    the move fields: Return runs the move with all three move fields,
//                   as the move button does
//   CNumEditDegree  the rotation fields: Return runs the rotation with all three
//                   rotation fields, as the rotate button does
#pragma once

#include "panel/keystroke_filter.h"
#include "panel/panel_client.h"
#include "panel/win32/subclassed_window.h"

class CNumEdit : public SubclassedWindow {
 public:
  CNumEdit() = default;
  // Takes over the edit control field; false leaves it a plain edit.
  bool AttachEdit(HWND field) { return SubclassWindow(field); }
  // Gives the field back to the procedure it had before, while it still exists.
  void DetachEdit() { Unsubclass(); }

 protected:
  explicit CNumEdit(NumEditKind kind) : m_kind(kind) {}
  bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result, DWORD mapId) override;
  // The client on which Return runs the field's operation; null for read-only fields.
  virtual PanelClient* OperationClient() const { return nullptr; }

 private:
  // Keeps the Return key from the dialog's keyboard handling (which would press the
  // default button) and from the field's own key-down handling, so that it arrives
  // as the typed character that RunTypedChar acts on. True when the message was one
  // of those.
  bool KeepReturnKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  const NumEditKind m_kind = NumEditKind::kPlain;
};

// A field whose Return runs an operation: the move (kMove) or the rotation (kDegree).
template <NumEditKind kKind>
class CNumEditOperation : public CNumEdit {
 public:
  CNumEditOperation() : CNumEdit(kKind) {}
  // The plug-in on which Return runs the operation; null (the default) makes Return
  // do nothing.
  PanelClient* m_plugin = nullptr;

 protected:
  PanelClient* OperationClient() const override { return m_plugin; }
};

using CNumEditMove = CNumEditOperation<NumEditKind::kMove>;
using CNumEditDegree = CNumEditOperation<NumEditKind::kDegree>;
