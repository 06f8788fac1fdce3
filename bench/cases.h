// What the benchmarks encode: for each of the 36 functions a realistic parameter, and zint's
// encoding of the same symbol where zint has the symbology.
#pragma once

#include <array>
#include <string_view>

namespace orbx::bench {

// zint's call for the same content: the symbology (0 when zint has none for the function), its
// option_2 (check digits) and input mode, and the data as zint wants it written.
struct ZintCall {
    int symbology = 0;
    int option_2 = 0;
    int input_mode = 0;
    std::string_view data;
};

struct Case {
    short id;                    // the function's row
    std::string_view what;       // the realistic data in a few words
    std::string_view parameter;  // the realistic parameter (ASCII: each byte one UTF-16 unit)
    ZintCall zint;
    std::string_view zint_note;  // how zint's symbol differs from ours, if it does
};

inline constexpr std::size_t kCaseCount = 36;
extern const std::array<Case, kCaseCount> kCases;

// Input lengths of the length series; each function runs those up to its input limit.
inline constexpr std::array<int, 4> kLengths = {16, 128, 512, 2048};

}  // namespace orbx::bench
