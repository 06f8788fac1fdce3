// Code 128 in the Universal font with one fixed code set, and its human-readable line.
#pragma once

namespace orbx {

// Set A or set B throughout: every byte 32 to 137 is the symbol value of its code minus 32, and
// every other byte is skipped. No set changes are written. Returns 0 with the symbol in `out`,
// 1100 for null data, 1000 for empty data, 1 when the symbol would not fit in `out`.
int Orbelantrix_Universal_C128A(char* data, char* out, long capacity);
int Orbelantrix_Universal_C128B(char* data, char* out, long capacity);

// Set C throughout: the digits of the data in pairs, a "0" put in front of an odd count.
int Orbelantrix_Universal_C128C(char* data, char* out, long capacity);

// The text to print under a Universal Code 128 symbol: tilde escapes expanded, each FNC1 shown
// as its Application Identifier in parentheses, FNC2 and control characters as spaces.
int Orbelantrix_Universal_C128HR(char* data, long tilde, char* out, long capacity);

}  // namespace orbx
