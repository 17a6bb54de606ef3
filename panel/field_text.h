// The text of a value field as the portable code sees it: UTF-8, of which at most
// 255 characters are ever read (characters as the window system counts them, in
// UTF-16 units), and the full-width twins of the characters that make up a number.
#pragma once

// At most this many UTF-16 units of a field's text are read; longer text is cut.
constexpr int kFieldTextLength = 255;
// A buffer that holds that much text in UTF-8 and its NUL: a UTF-16 unit takes at
// most three bytes (a pair of surrogates, two units, takes four).
constexpr int kFieldTextSize = 3 * kFieldTextLength + 1;

// Copies the longest start of text that has at most kFieldTextLength UTF-16 units and
// fits size - 1 bytes, without splitting a character, and ends it with a NUL. Bytes
// that are not UTF-8 count a character each.
void CopyFieldText(const char* text, char* buffer, int size);

// Copies text, at most kFieldTextSize - 1 bytes of it, with the full-width digits
// (U+FF10 to U+FF19), the full-width full stop "．" (U+FF0E), the full-width
// hyphen-minus "－" (U+FF0D) and the minus sign "−" (U+2212) replaced by the ASCII
// characters they stand for; everything else is copied unchanged. Text pasted from a
// Japanese document then reads as the number it shows.
void FoldNumberTwins(const char* text, char (&folded)[kFieldTextSize]);
