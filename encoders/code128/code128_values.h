// Code 128 automatic set selection: data bytes to symbol values, shared by the text font's and
// the Universal font's encoders, which then write the values as font characters or letters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orbx {

// The points where the two fonts' automatic encoders read the data differently.
struct Code128Rules {
    // Bytes written as FNC1, and whether one as the last byte is written too (or dropped).
    bool (*is_fnc1)(int byte);
    bool fnc1_last;
    // Bytes written in sets A and B as the function value of their code minus 100 (FNC2 197
    // and the like); set C gives way to set B for them.
    bool (*is_function)(int byte);
    // A first byte that starts the symbol in set C (besides four digits).
    bool (*starts_in_c)(int byte);
    // Set C takes digit pairs only in data of at least this many bytes.
    std::size_t shortest_for_pairs;
    // In set A, the space stays in set A (the text font) rather than changing to set B.
    bool space_in_set_a;
};

// At least `size` values, from a per-thread buffer that only grows: no allocation once a thread
// has needed this many.
std::uint8_t* Code128ValueArea(std::size_t size);

// The start value (103 to 105) for `data`, and its symbol values, written into `values`, which
// has room for 2 * data.size() of them (a byte gives at most a set change and itself); `count`
// is how many were written. Bytes that no set carries are dropped.
int Code128Values(std::string_view data, const Code128Rules& rules, std::uint8_t* values,
                  std::size_t& count);

// Modulo 103 check value (ISO/IEC 15417): the start value plus each symbol value times its
// position after the start.
int Code128CheckValue(int start, const std::uint8_t* values, std::size_t count);

}  // namespace orbx
