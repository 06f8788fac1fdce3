// String utilities shared by every encoder. All text is 8-bit: a character is one byte and its
// code is the unsigned byte value 0 to 255, never sign-extended.
#pragma once

#include <string>
#include <string_view>

namespace orbx {

// Number of slots in the substring ring of `mid` and the longest substring a slot holds.
inline constexpr int kMidSlots = 64;
inline constexpr int kMidSlotChars = 256;

// 1-based substring of at most `length` characters from `start`, stopped early at the end of the
// text. The result lives in a per-thread ring of 64 slots and stays valid until 64 further calls
// of `mid` on the same thread; callers that keep it longer copy it. A start beyond the end gives
// the empty text.
char* mid(const char* text, int start, int length);

// Unsigned byte value of the first character, 0 for the empty text.
int asc(const char* text);
int asc(const std::string& text);

// True exactly for the digits "0" to "9" (48 to 57). Inline: encoders ask it of every character.
inline bool isNumeric(int code) {
    return code >= '0' && code <= '9';
}
// True when the text is non-empty and every character is a digit.
bool isNumeric(const std::string& text);

// The number a text begins with, as the C library reads a long: leading white space, an optional
// sign, then decimal digits; 0 when no digit follows, and the limits of long where it would
// overflow. Whatever follows the digits is ignored.
long LeadingNumber(std::string_view text);

// Upper-cases "a" to "z" in place; every other byte is left alone. Returns `text`.
char* strupr(char* text);
// Reverses the text in place; null is returned as is. Returns `text`.
char* strrev(char* text);

// Copy of `s` with every `from` replaced by `to`, or dropped when `to` is the zero character.
std::string Replace(std::string s, char from, char to);
// `s` with `fill` put in front up to `width` characters; a longer text is never cut.
std::string PadLeft(std::string s, int width, char fill);
// `s` reversed.
std::string Reverse(std::string s);

// Byte value of the character at `i` of a zero-terminated or counted text.
inline int code_at(const char* text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

}  // namespace orbx
