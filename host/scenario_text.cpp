#include "host/scenario_text.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "host/scenario.h"
#include "panel/control_ids.h"
#include "panel/layout.h"

namespace standin {
namespace {

// Scenarios name controls by their names in the layout table (kPanelControls), and
// the two commands that have no control by these.
struct NamedCommand {
  const char* name;
  int id;
};
constexpr NamedCommand kCommands[] = {
    {"HideCommand", ctl::kHideCommand},
    {"CloseCommand", ctl::kCloseCommand},
};

struct NamedKey {
  const char* name;
  int code;
};
constexpr NamedKey kKeys[] = {{"RETURN", 0x0D}, {"ESCAPE", 0x1B}, {"TAB", 0x09},  {"SPACE", 0x20},
                              {"BACK", 0x08},   {"DELETE", 0x2E}, {"LEFT", 0x25}, {"UP", 0x26},
                              {"RIGHT", 0x27},  {"DOWN", 0x28}};

}  // namespace

// Splits a line into tokens; a '#' outside quotes ends the line.
bool Tokenize(const std::string& line, std::vector<Token>* tokens, std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#') break;
    Token token;
    if (c != '"') {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
             line[i] != '"' && line[i] != '#') {
        token.text += line[i++];
      }
      tokens->push_back(token);
      continue;
    }
    token.quoted = true;
    ++i;
    bool closed = false;
    while (i < line.size()) {
      char d = line[i++];
      if (d == '"') {
        closed = true;
        break;
      }
      if (d != '\\') {
        token.text += d;
        continue;
      }
      if (i >= line.size()) break;
      char e = line[i++];
      switch (e) {
        case 'n':
          token.text += '\n';
          break;
        case 'r':
          token.text += '\r';
          break;
        case 't':
          token.text += '\t';
          break;
        case '\\':
          token.text += '\\';
          break;
        case '"':
          token.text += '"';
          break;
        case 'x': {
          int value = 0, digits = 0;
          while (digits < 2 && i < line.size() &&
                 std::isxdigit(static_cast<unsigned char>(line[i]))) {
            char h = line[i++];
            value = value * 16 +
                    (std::isdigit(static_cast<unsigned char>(h)) ? h - '0' : (h | 0x20) - 'a' + 10);
            ++digits;
          }
          if (digits == 0) {
            *error = "\\x needs hex digits";
            return false;
          }
          token.text += static_cast<char>(value);
          break;
        }
        default:
          *error = std::string("unknown escape \\") + e;
          return false;
      }
    }
    if (!closed) {
      *error = "unterminated string";
      return false;
    }
    tokens->push_back(token);
  }
  return true;
}

// An int written in decimal or 0x-hex, from -2147483648 to 4294967295; kept as the
// 32 bits, so that unsigned values and negative ones compare as the plug-in sees them.
bool ParseInt(const Token& token, int32_t* value) {
  if (token.quoted || token.text.empty()) return false;
  const std::string& s = token.text;
  bool negative = s[0] == '-';
  size_t start = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  int base = 10;
  if (s.size() > start + 2 && s[start] == '0' && (s[start + 1] == 'x' || s[start + 1] == 'X')) {
    base = 16;
    start += 2;
  }
  uint64_t magnitude = 0;
  const char* first = s.data() + start;
  const char* last = s.data() + s.size();
  auto [end, ec] = std::from_chars(first, last, magnitude, base);
  if (ec != std::errc() || end != last || first == last) return false;
  if (negative ? magnitude > 2147483648ull : magnitude > 4294967295ull) return false;
  uint32_t bits = static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
  std::memcpy(value, &bits, sizeof bits);
  return true;
}

bool ParseFloat(const Token& token, float* value) {
  if (token.quoted || token.text.empty()) return false;
  const char* first = token.text.data();
  const char* last = first + token.text.size();
  if (*first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, *value, std::chars_format::general);
  return ec == std::errc() && end == last && first != last;
}

bool ParseYesNo(const Token& token, bool* value) {
  if (token.quoted) return false;
  if (token.text == "yes") return *value = true, true;
  if (token.text == "no") return *value = false, true;
  return false;
}

bool ParseControl(const Token& token, int* id) {
  if (!token.quoted && !token.text.empty()) {
    for (const ControlSpec& c : kPanelControls) {
      if (token.text == c.name) return *id = c.id, true;
    }
    for (const NamedCommand& c : kCommands) {
      if (token.text == c.name) return *id = c.id, true;
    }
  }
  int32_t value;
  if (!ParseInt(token, &value)) return false;
  *id = value;
  return true;
}

bool ParseKey(const Token& token, int* code) {
  for (const NamedKey& k : kKeys) {
    if (!token.quoted && token.text == k.name) return *code = k.code, true;
  }
  int32_t value;
  if (!ParseInt(token, &value)) return false;
  *code = value;
  return true;
}

uint32_t Bits(int32_t value) { return static_cast<uint32_t>(value); }
uint32_t Bits(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Distance in units in the last place between two floats (0 for +0 and -0).
int64_t UlpDistance(float a, float b) {
  auto ordered = [](float f) {
    int32_t i;
    std::memcpy(&i, &f, sizeof i);
    return i < 0 ? static_cast<int64_t>(INT32_MIN) - i : static_cast<int64_t>(i);
  };
  int64_t d = ordered(a) - ordered(b);
  return d < 0 ? -d : d;
}

bool FloatsMatch(float got, float want, int ulps) {
  if (ulps == 0) return Bits(got) == Bits(want);
  return UlpDistance(got, want) <= ulps;
}

std::string Quote(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
          out += hex;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string Number(uint32_t bits) {
  int32_t signedValue = static_cast<int32_t>(bits);
  std::string s = std::to_string(signedValue);
  if (signedValue < 0) s += " (" + std::to_string(bits) + ")";
  return s;
}

std::string Floats(const float* values, int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += (i ? " " : "") + FormatFloat(values[i]);
  return s;
}

std::string FormatFloat(float value) {
  char buffer[32];
  auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 9);
  return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

}  // namespace standin
