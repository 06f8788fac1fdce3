// Code 128 in the Universal font: automatic set selection, tilde escapes and GS1-128.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace orbx {

// Universal letters of a whole Code 128 symbol: the start character of value `start` (103 to
// 105), the symbol values 0 to 105 in `values`, the modulo 103 check character and the stop.
std::string UniCode128Symbol(int start, std::span<const std::uint8_t> values);

// The same letters written to `letters`, which has room for UniCode128SymbolLength(values) of
// them; returns how many it wrote.
std::size_t UniCode128SymbolInto(int start, std::span<const std::uint8_t> values, char* letters);
constexpr std::size_t UniCode128SymbolLength(std::size_t values) {
    return 3 * (values + 2) + 4;
}

// Builds the symbol of `values` and hands it to `out` (capacity bytes): the encoder status.
int HandOverUniCode128(int start, std::span<const std::uint8_t> values, char* out, long capacity);

// Expands the Universal tilde escapes: ~mN or ~mNN appends the Mod 10 check digit of the last
// N(N) digits written so far; ~N, ~NN or ~NNN appends the character of that code modulo 256.
// The last two characters never begin an escape; anything malformed stays as text.
std::string Orbelantrix_Universal_ProcessTilde(std::string data);

// Automatic Code 128: sets A, B and C chosen by the encoder, the bytes 195 to 198 and 200 as
// the function values 95 to 98 and 100, and 202 to 218 as FNC1. Returns 0 with the symbol in
// `out`, 1100 for null data, 1000 for empty data, 1 when the symbol would not fit in `out`.
int Orbelantrix_Universal_C128(char* data, long tilde, char* out, long capacity);

// GS1-128: the automatic encoder with tilde escapes and exactly one leading FNC1, whether the
// data brings its own (as a byte or as an escape) or not.
int Orbelantrix_Universal_UCC128(char* data, char* out, long capacity);

}  // namespace orbx
