#include "panel/value_fields.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "panel/station_panel.h"

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

float ParseFieldValue(const char* utf8) {
  char text[kFieldTextSize];
  FoldNumberTwins(utf8, text);
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
