#include "panel/field_text.h"

#include <cstddef>

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// UTF-16 units of the character that starts with lead: two for the four-byte
// sequences (beyond U+FFFF), one for every other.
int UnitsOf(unsigned char lead) { return lead >= 0xF0 ? 2 : 1; }

// The code point of a three-byte UTF-8 sequence at text, or 0 when none starts there.
// Reads no byte past a NUL: a NUL is no continuation byte.
char32_t ThreeByteCharacter(const unsigned char* text) {
  if ((text[0] & 0xF0) != 0xE0 || !IsContinuation(text[1]) || !IsContinuation(text[2])) return 0;
  return (char32_t{text[0] & 0x0Fu} << 12) | (char32_t{text[1] & 0x3Fu} << 6) |
         char32_t{text[2] & 0x3Fu};
}

// The ASCII character that a full-width twin stands for, or 0.
char HalfWidthTwin(char32_t c) {
  if (c >= 0xFF10 && c <= 0xFF19) return static_cast<char>('0' + (c - 0xFF10));
  if (c == 0xFF0E) return '.';
  if (c == 0xFF0D || c == 0x2212) return '-';
  return 0;
}

}  // namespace

void CopyFieldText(const char* text, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  const auto* in = reinterpret_cast<const unsigned char*>(text != nullptr ? text : "");
  const size_t limit = static_cast<size_t>(size) - 1;
  size_t length = 0;  // bytes taken, always at a character boundary
  int units = 0;
  while (in[length] != '\0') {
    size_t end = length + 1;
    while (IsContinuation(in[end])) ++end;
    units += UnitsOf(in[length]);
    if (units > kFieldTextLength || end > limit) break;
    length = end;
  }
  for (size_t i = 0; i < length; ++i) buffer[i] = static_cast<char>(in[i]);
  buffer[length] = '\0';
}

void FoldNumberTwins(const char* text, char (&folded)[kFieldTextSize]) {
  const auto* in = reinterpret_cast<const unsigned char*>(text != nullptr ? text : "");
  size_t out = 0;
  while (*in != '\0' && out < kFieldTextSize - 1) {
    const char twin = HalfWidthTwin(ThreeByteCharacter(in));
    if (twin != 0) {
      folded[out++] = twin;
      in += 3;
    } else {
      folded[out++] = static_cast<char>(*in++);
    }
  }
  folded[out] = '\0';
}
