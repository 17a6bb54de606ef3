// The text form of every number the panel shows or reads: "%.3f" out, atof in, through
// 256-byte buffers (so at most 255 characters of a field are ever read).
#pragma once

class StationPanel;

constexpr int kFieldTextSize = 256;

// "%.3f" of the value widened to double. Infinities read "inf" and "-inf" and any NaN
// "nan", the same on every build (C libraries differ in how they spell them).
void FormatFieldValue(float value, char (&text)[kFieldTextSize]);

// What atof makes of the text, rounded to float: leading white space skipped, the
// longest leading decimal number (sign, digits, point and digits, exponent) converted,
// the rest ignored; 0 when no number starts there, hexadecimal text included. "inf"
// and "nan", which the writer produces, read back as such, and a number beyond the
// float range as an infinity.
float ParseFieldValue(const char* text);

// One value field of the panel, by control ID.
float ReadValueField(StationPanel& panel, int id);
void WriteValueField(StationPanel& panel, int id, float value);
