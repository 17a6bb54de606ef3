// The numeric edits' character filter, over every character code.
#include "panel/keystroke_filter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(KeystrokeFilter, OnlyNumberCharactersReachAFieldAndReturnRunsItsOperation) {
  for (unsigned code = 0; code < 256; ++code) {
    const bool numeric = (code >= '0' && code <= '9') || code == '.' || code == '-' || code == 8;
    for (NumEditKind kind : {NumEditKind::kPlain, NumEditKind::kMove, NumEditKind::kDegree}) {
      KeyVerdict expected = numeric ? KeyVerdict::kToField : KeyVerdict::kBeep;
      if (code == '\t') {
        expected = kind == NumEditKind::kMove ? KeyVerdict::kConsume : KeyVerdict::kToField;
      }
      if (code == '\r') {
        expected = kind == NumEditKind::kPlain ? KeyVerdict::kToField : KeyVerdict::kRunAndConsume;
      }
      EXPECT_EQ(ClassifyTypedChar(kind, code), expected) << "code " << code;
      // Only the low byte counts.
      EXPECT_EQ(ClassifyTypedChar(kind, code | 0x4200), expected) << "code " << code;
    }
  }
}

}  // namespace
