// Symbol values shared by Code 39 and Code 93.
#pragma once

#include <array>

namespace orbx {

// Character of each symbol value. Values 0 to 42 are the Code 39 character set (ISO/IEC 16388,
// the 43 data characters in check-value order); Code 93 (AIM USS Code 93) uses the same 43 values
// and adds its four shift characters as values 43 to 46, written here as "!", "#", "&" and "@".
inline constexpr std::array<char, 47> kCode39Chars = {
    '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', 'F',
    'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R', 'S', 'T', 'U', 'V',
    'W', 'X', 'Y', 'Z', '-', '.', ' ', '$', '/', '+', '%', '!', '#', '&', '@'};
static_assert(kCode39Chars.size() == 47);

// Number of symbol values of each symbology.
inline constexpr int kCode39ValueCount = 43;
inline constexpr int kCode93ValueCount = 47;
// Value of the space; the text fonts draw a data space with the character "=".
inline constexpr int kCode39SpaceValue = 38;
inline constexpr char kCode39FontSpace = '=';
static_assert(kCode39Chars[kCode39SpaceValue] == ' ');

// Symbol value of each byte, -1 for bytes outside both character sets (lower case included).
inline constexpr std::array<signed char, 256> kCode39ValueOf = [] {
    std::array<signed char, 256> values{};
    values.fill(-1);
    for (int v = 0; v < kCode93ValueCount; ++v)
        values[static_cast<unsigned char>(kCode39Chars[v])] = static_cast<signed char>(v);
    return values;
}();

// Code 39 value of byte `c`, or -1 when Code 39 has no such character.
constexpr int Code39Value(unsigned char c) {
    const int v = kCode39ValueOf[c];
    return v < kCode39ValueCount ? v : -1;
}

// Code 93 value of byte `c` (the Code 39 values and the shift characters), or -1.
constexpr int Code93Value(unsigned char c) {
    return kCode39ValueOf[c];
}

}  // namespace orbx
