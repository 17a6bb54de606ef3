// A field's text in UTF-8: how much of it is read, and the full-width twins of the
// characters of a number.
#include "panel/field_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Copied(const std::string& text, int size = kFieldTextSize) {
  std::string buffer(static_cast<size_t>(size), 'x');
  CopyFieldText(text.c_str(), buffer.data(), size);
  return buffer.c_str();
}

std::string Folded(const char* text) {
  char folded[kFieldTextSize];
  FoldNumberTwins(text, folded);
  return folded;
}

std::string Repeated(const char* piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(FieldText, ReadsAtMost255CharactersCountedAsTheWindowCountsThem) {
  EXPECT_EQ(Copied(std::string(300, '7')), std::string(255, '7'));
  // A full-width digit is three bytes and one character.
  EXPECT_EQ(Copied(Repeated("１", 300)), Repeated("１", 255));
  // A character beyond U+FFFF is two UTF-16 units: 127 of them and one more unit fit.
  EXPECT_EQ(Copied(Repeated("😀", 200)), Repeated("😀", 127));
  EXPECT_EQ(Copied(Repeated("😀", 127) + "ab"), Repeated("😀", 127) + "a");
  EXPECT_EQ(Copied("1.5"), "1.5");
  EXPECT_EQ(Copied(""), "");
}

TEST(FieldText, ABufferTooSmallCutsBeforeACharacterNeverInsideOne) {
  EXPECT_EQ(Copied("１２", 6), "１");  // five bytes of room: the second digit does not fit
  EXPECT_EQ(Copied("１２", 7), "１２");
  EXPECT_EQ(Copied("a１", 3), "a");
  EXPECT_EQ(Copied("abc", 1), "");
  // Bytes that are not UTF-8 are characters of their own, copied as they are.
  EXPECT_EQ(Copied("\x80\x80z", 3), "\x80\x80");
}

TEST(FieldText, FullWidthDigitsPointAndMinusFoldToTheirHalfWidthTwins) {
  EXPECT_EQ(Folded("０１２３４５６７８９"), "0123456789");
  EXPECT_EQ(Folded("１．５"), "1.5");
  EXPECT_EQ(Folded("－２"), "-2");
  EXPECT_EQ(Folded("−３．２５"), "-3.25");
  EXPECT_EQ(Folded("1２.５"), "12.5");  // half and full width mixed
}

TEST(FieldText, EveryOtherCharacterIsCopiedUnchanged) {
  // The neighbours of the twins in Unicode, the full-width plus, space and letters,
  // other dashes, and sequences cut short or broken.
  const struct {
    const char* text;
    const char* folded;
  } cases[] = {{"，／：∑∓", "，／：∑∓"},
               {"＋１", "＋1"},
               {"\u3000"
                "１",
                "\u3000"
                "1"},  // the ideographic space
               {"ｅ３", "ｅ3"},
               {"‐1–1", "‐1–1"},  // hyphen, en dash
               {"\xEF\xBC", "\xEF\xBC"},
               {"\xEF\xBC\x90\x90", "0\x90"},
               {"\xEF"
                "1",
                "\xEF"
                "1"},
               {"1e3 abc", "1e3 abc"},
               {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(Folded(c.text), c.folded) << c.text;
}

TEST(FieldText, FoldingKeepsToItsBuffer) {
  const std::string longText(2000, '9');
  EXPECT_EQ(Folded(longText.c_str()), std::string(kFieldTextSize - 1, '9'));
  EXPECT_EQ(Folded(Repeated("９", 600).c_str()), std::string(600, '9'));
}

}  // namespace
