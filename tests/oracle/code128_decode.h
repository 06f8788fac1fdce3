// Reads a Code 128 symbol from its modules, as a scanner does: symbol values, the check, and
// the content in the code sets the symbol switches between.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orbx::oracle {

// Function characters in decoded content.
inline constexpr char kFnc1 = '\xCA';
inline constexpr char kFnc2 = '\xC5';
inline constexpr char kFnc3 = '\xC4';

struct Code128Reading {
    std::string error;        // empty when the symbol reads
    std::vector<int> values;  // start, data, check (the stop is not listed)
    bool check_ok = false;
    std::string content;  // data characters, FNC1 to FNC3 as the markers above
};

// `row` cropped to the symbol (first module dark).
Code128Reading ReadCode128(const std::vector<std::uint8_t>& row);

}  // namespace orbx::oracle
