// The panel's value fields: which fields form the X, Y and Z rows of each triple, and
// the text form of every number they show or read: "%.3f" out, atof in, the full-width
// twins of digits, point and minus read as those (at most 255 characters of a field
// are ever read: panel/field_text.h).
#pragma once

#include "panel/control_ids.h"
#include "panel/field_text.h"

class StationPanel;

// The triples of value fields, in X, Y, Z row order.
namespace fields {
inline constexpr int kMove[3] = {ctl::kMoveX, ctl::kMoveY, ctl::kMoveZ};
inline constexpr int kRotation[3] = {ctl::kRotateX, ctl::kRotateY, ctl::kRotateZ};
inline constexpr int kCentre[3] = {ctl::kCentreX, ctl::kCentreY, ctl::kCentreZ};
inline constexpr int kMax[3] = {ctl::kMaxX, ctl::kMaxY, ctl::kMaxZ};
inline constexpr int kMin[3] = {ctl::kMinX, ctl::kMinY, ctl::kMinZ};
inline constexpr int kStored[3] = {ctl::kStoredX, ctl::kStoredY, ctl::kStoredZ};
}  // namespace fields

// "%.3f" of the value widened to double. Infinities read "inf" and "-inf" and any NaN
// "nan", the same on every build (C libraries differ in how they spell them).
void FormatFieldValue(float value, char (&text)[kFieldTextSize]);

// What atof makes of the UTF-8 text, rounded to float, once the full-width twins of
// digits, point and minus are read as those (FoldNumberTwins): leading white space
// skipped, the longest leading decimal number (sign, digits, point and digits,
// exponent) converted, the rest ignored; 0 when no number starts there, hexadecimal
// text included. "inf" and "nan", which the writer produces, read back as such, and a
// number beyond the float range as an infinity.
float ParseFieldValue(const char* text);

// One value field of the panel, by control ID.
float ReadValueField(StationPanel& panel, int id);
void WriteValueField(StationPanel& panel, int id, float value);
