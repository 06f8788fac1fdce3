// Interleaved 2 of 5 in the text font: one font character per pair of digits, with start and
// stop characters of their own.
#pragma once

namespace orbx {

// Keeps the digits of `data`, puts a "0" in front of an odd count and draws each pair. Returns 0
// with the symbol in `out`, or 1 for null or empty data and for a symbol longer than `out`
// (`capacity` bytes) holds.
int Orbelantrix_Interleaved2of5(char* data, char* out, long capacity);

// As `Orbelantrix_Interleaved2of5`, with the Mod 10 check digit (weights 3, 1, 3, ... from the
// right) appended to the digits before the padding and pairing.
int Orbelantrix_Interleaved2of5Mod10(char* data, char* out, long capacity);

}  // namespace orbx
