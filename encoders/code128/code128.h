// Code 128 in the text font: one font character per symbol character.
#pragma once

#include <string>
#include <string_view>

namespace orbx {

// Start, set-change and stop characters of the text font.
inline constexpr unsigned char kCode128CodeC = 199;
inline constexpr unsigned char kCode128CodeB = 200;
inline constexpr unsigned char kCode128CodeA = 201;
inline constexpr unsigned char kCode128Fnc1 = 202;
inline constexpr unsigned char kCode128StartA = 203;
inline constexpr unsigned char kCode128StartB = 204;
inline constexpr unsigned char kCode128StartC = 205;
inline constexpr unsigned char kCode128Stop = 206;
inline constexpr unsigned char kCode128Fnc2 = 197;

// Font character of symbol value v (0 to 106): 0 is 194 (never the space 32), 1 to 94 are
// v + 32, 95 to 106 are v + 100.
constexpr unsigned char Code128FontChar(int v) {
    return static_cast<unsigned char>(v == 0 ? 194 : v <= 94 ? v + 32 : v + 100);
}

// Symbol value that a font character stands for, as the check character reads it back.
constexpr int Code128FontValue(unsigned char b) {
    return b <= 134 ? b - 32 : b == 194 ? 0 : b - 100;
}

// Modulo 103 check character: the start character's value plus each following character's value
// times its position (1 for the character right after the start).
unsigned char Code128CheckChar(unsigned char start, std::string_view chars);

// Expands the tilde escapes of the automatic encoder: ~mNN (Mod 10 digit of the digits among the
// NN characters before it), ~NNN (control characters, FNC1/FNC2 and the AI-length FNC1 markers
// 212 to 217) and ~~ (a tilde). Malformed escapes stay as text.
std::string Code128ProcessTilde(std::string_view data);

// Automatic Code 128 (sets A, B and C chosen by the encoder). Returns 0 with the symbol in
// `out`, or 1 for null or empty data and for a symbol longer than `out` holds.
int Orbelantrix_Code128(char* data, long tilde, char* out, long capacity);

// GS1-128: Code 128 with tilde escapes and exactly one leading FNC1, whether the data brings
// its own (as a byte or as an escape) or not.
int Orbelantrix_UCC128(char* data, char* out, long capacity);

}  // namespace orbx
