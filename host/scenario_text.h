// The words of the scenario language: tokens, numbers, names of controls and keys,
// and the text forms in which the runner reports values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

struct Token {
  std::string text;
  bool quoted = false;  // written in double quotes: never a number or a keyword
};

// Splits a line into tokens; a '#' outside quotes ends the line. Quoted tokens
// decode \n \r \t \\ \" and \xHH.
bool Tokenize(const std::string& line, std::vector<Token>* tokens, std::string* error);

// An int in decimal or 0x-hex from -2147483648 to 4294967295, kept as its 32 bits.
bool ParseInt(const Token& token, int32_t* value);
// A float in decimal, correctly rounded.
bool ParseFloat(const Token& token, float* value);
bool ParseYesNo(const Token& token, bool* value);
// A control by its name in the layout table (MoveX), a command without a control
// by its name (HideCommand, CloseCommand), or either by its ID.
bool ParseControl(const Token& token, int* id);
// A virtual key by name (RETURN, ESCAPE, TAB, ...) or code.
bool ParseKey(const Token& token, int* code);

uint32_t Bits(int32_t value);
uint32_t Bits(float value);
// Distance in units in the last place between two floats (0 for +0 and -0).
int64_t UlpDistance(float a, float b);
// Same bits when ulps is 0, else at most ulps apart.
bool FloatsMatch(float got, float want, int ulps);

// A string as the language writes it, in quotes with escapes.
std::string Quote(const std::string& s);
// An int answer: signed, with the unsigned reading added when negative.
std::string Number(uint32_t bits);
// Floats with %.9g, separated by blanks.
std::string Floats(const float* values, int count);

}  // namespace standin
