// The panel's value fields: the triples of X, Y and Z rows, their text form, and the
// two Clr operations.
#include "panel/value_fields.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "panel/control_ids.h"
#include "panel/station_panel.h"
#include "plugin/gridshift_plugin.h"

namespace {

// Case-insensitive: does text start with word (given in lower case)?
bool StartsWithWord(const char* text, const char* word) {
  for (; *word != '\0'; ++text, ++word) {
    if (std::tolower(static_cast<unsigned char>(*text)) != *word) return false;
  }
  return true;
}

// The text after its leading blanks and one sign.
const char* NumberBody(const char* text) {
  while (std::isspace(static_cast<unsigned char>(*text))) ++text;
  if (*text == '+' || *text == '-') ++text;
  return text;
}

// True when a number starts the body: a digit, a point followed by a digit, or an
// infinity or NaN. The C libraries of the two builds disagree on text that starts
// none (one reads "--1" as -0), so such text is never handed to them.
bool StartsNumber(const char* body) {
  if (std::isdigit(static_cast<unsigned char>(*body))) return true;
  if (*body == '.') return std::isdigit(static_cast<unsigned char>(body[1])) != 0;
  return StartsWithWord(body, "inf") || StartsWithWord(body, "nan");
}

// The C libraries read "0x10" as sixteen; a decimal reading stops at the x.
bool StartsHexadecimal(const char* body) {
  return body[0] == '0' && (body[1] == 'x' || body[1] == 'X');
}

double ConvertNumber(const char* text) {
#ifdef __MINGW32__
  // The runtime's own atof reads neither "inf" nor "nan"; mingw's C99 conversion
  // reads text as glibc's does.
  return __mingw_strtod(text, nullptr);
#else
  return std::strtod(text, nullptr);
#endif
}

void FormatFixed3(double value, char (&text)[kFieldTextSize]) {
#ifdef __MINGW32__
  // The runtime's printf rounds ties (0.0625) away from zero; mingw's own rounds
  // them to even, as glibc's does.
  __mingw_snprintf(text, kFieldTextSize, "%.3f", value);
#else
  std::snprintf(text, kFieldTextSize, "%.3f", value);
#endif
}

constexpr int kMoveRows[3] = {ctl::kMoveX, ctl::kMoveY, ctl::kMoveZ};
constexpr int kCentreRows[3] = {ctl::kCentreX, ctl::kCentreY, ctl::kCentreZ};
constexpr int kMaxRows[3] = {ctl::kMaxX, ctl::kMaxY, ctl::kMaxZ};
constexpr int kMinRows[3] = {ctl::kMinX, ctl::kMinY, ctl::kMinZ};
constexpr int kStoredRows[3] = {ctl::kStoredX, ctl::kStoredY, ctl::kStoredZ};
constexpr int kRotationRows[3] = {ctl::kRotateX, ctl::kRotateY, ctl::kRotateZ};

// The readers answer 0 and the writers do nothing while there is no panel.
Point3 ReadTriple(StationPanel* panel, const int (&rows)[3]) {
  if (panel == nullptr) return {0, 0, 0};
  return {ReadValueField(*panel, rows[0]), ReadValueField(*panel, rows[1]),
          ReadValueField(*panel, rows[2])};
}

void WriteTriple(StationPanel* panel, const int (&rows)[3], float x, float y, float z) {
  if (panel == nullptr) return;
  WriteValueField(*panel, rows[0], x);
  WriteValueField(*panel, rows[1], y);
  WriteValueField(*panel, rows[2], z);
}

}  // namespace

void FormatFieldValue(float value, char (&text)[kFieldTextSize]) {
  if (std::isnan(value)) {
    std::strcpy(text, "nan");
  } else if (std::isinf(value)) {
    std::strcpy(text, value < 0 ? "-inf" : "inf");
  } else {
    FormatFixed3(value, text);
  }
}

float ParseFieldValue(const char* text) {
  const char* body = NumberBody(text);
  if (!StartsNumber(body)) return 0;
  // Hexadecimal text reads as its leading 0, with the sign as typed.
  if (StartsHexadecimal(body)) return body > text && body[-1] == '-' ? -0.0f : 0.0f;
  return static_cast<float>(ConvertNumber(text));
}

float ReadValueField(StationPanel& panel, int id) {
  char text[kFieldTextSize];
  panel.GetFieldText(id, text, kFieldTextSize);
  return ParseFieldValue(text);
}

void WriteValueField(StationPanel& panel, int id, float value) {
  char text[kFieldTextSize];
  FormatFieldValue(value, text);
  panel.SetFieldText(id, text);
}

Point3 GridshiftPlugin::ReadMoveFields() { return ReadTriple(m_panel, kMoveRows); }

void GridshiftPlugin::WriteMoveFields(float x, float y, float z) {
  WriteTriple(m_panel, kMoveRows, x, y, z);
}

// The triple starts with the Y row: the rotation applies Y first.
RotationTriple GridshiftPlugin::ReadRotationFields() {
  const Point3 rows = ReadTriple(m_panel, kRotationRows);
  return {rows.y, rows.x, rows.z};
}

void GridshiftPlugin::WriteRotationFields(float a0, float a1, float a2) {
  WriteTriple(m_panel, kRotationRows, a1, a0, a2);
}

Point3 GridshiftPlugin::ReadCentreFields() { return ReadTriple(m_panel, kCentreRows); }

void GridshiftPlugin::WriteCentreFields(float x, float y, float z) {
  WriteTriple(m_panel, kCentreRows, x, y, z);
}

Point3 GridshiftPlugin::ReadMaxFields() { return ReadTriple(m_panel, kMaxRows); }

void GridshiftPlugin::WriteMaxFields(float x, float y, float z) {
  WriteTriple(m_panel, kMaxRows, x, y, z);
}

Point3 GridshiftPlugin::ReadMinFields() { return ReadTriple(m_panel, kMinRows); }

void GridshiftPlugin::WriteMinFields(float x, float y, float z) {
  WriteTriple(m_panel, kMinRows, x, y, z);
}

void GridshiftPlugin::WriteStoredFields(float x, float y, float z) {
  WriteTriple(m_panel, kStoredRows, x, y, z);
}

bool GridshiftPlugin::ClearMoveFields(MQDocument) {
  if (m_panel == nullptr) return true;
  if (m_panel->IsChecked(ctl::kRelative)) {
    WriteMoveFields(0, 0, 0);
    return true;
  }
  // Absolute: the target becomes the centre as shown, text for text.
  for (int row = 0; row < 3; ++row) {
    char text[kFieldTextSize];
    m_panel->GetFieldText(kCentreRows[row], text, kFieldTextSize);
    m_panel->SetFieldText(kMoveRows[row], text);
  }
  return true;
}

bool GridshiftPlugin::ClearRotationFields(MQDocument) {
  WriteRotationFields(0, 0, 0);
  return true;
}
