// Which typed characters the numeric edit fields let through. Only what can make up a
// decimal number reaches a field; Return in a move or rotation field runs its button's
// operation instead.
#include "panel/keystroke_filter.h"

KeyVerdict ClassifyTypedChar(NumEditKind kind, uintptr_t charParam) {
  // The low byte as a signed byte: codes from 0x80 up are negative and so fall outside
  // every accepted range.
  const int8_t c = static_cast<int8_t>(charParam & 0xFF);
  if ((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '\b') return KeyVerdict::kToField;
  if (c == '\t') return kind == NumEditKind::kMove ? KeyVerdict::kConsume : KeyVerdict::kToField;
  if (c == '\r') {
    return kind == NumEditKind::kPlain ? KeyVerdict::kToField : KeyVerdict::kRunAndConsume;
  }
  return KeyVerdict::kBeep;
}
