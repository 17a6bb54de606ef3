// The character filter of the numeric edit fields: which typed characters reach the
// field, which are swallowed, which beep, and where Return runs an operation.
#pragma once

#include <cstdint>

enum class NumEditKind {
  kPlain,   // CNumEdit: read-only fields
  kMove,    // CNumEditMove: Return runs the move
  kDegree,  // CNumEditDegree: Return runs the rotation
};

enum class KeyVerdict {
  kToField,      // not handled: the field's own procedure gets the character
  kConsume,      // handled with result 0, silently
  kBeep,         // MessageBeep(0xFFFFFFFF), then handled with result 0
  kRunAndConsume,  // run the field's operation (if a plug-in is set), then consume
};

// Classifies the character parameter of WM_CHAR for a field of kind. Only the low 8
// bits count, as a signed byte, so codes 0x80 and up beep.
KeyVerdict ClassifyTypedChar(NumEditKind kind, uintptr_t charParam);
