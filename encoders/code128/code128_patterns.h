// Code 128 symbol character patterns as element widths, shared by every Code 128 writer.
#pragma once

#include <array>
#include <string_view>

namespace orbx {

// ISO/IEC 15417 symbol character table: for each value 0 to 105 the widths of bar, space, bar,
// space, bar, space in modules (11 modules in all); value 106 is the stop character, whose seventh
// element is the closing two-module bar (13 modules).
inline constexpr std::array<std::string_view, 107> kCode128Patterns = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312",  "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122",  "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122",  "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123",  "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",  "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311",  "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411",  "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412",  "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211",  "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113",  "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};

// Symbol values with a fixed meaning in every code set.
inline constexpr int kCode128ValueCodeC = 99;
inline constexpr int kCode128ValueCodeB = 100;
inline constexpr int kCode128ValueCodeA = 101;
inline constexpr int kCode128ValueFnc1 = 102;
inline constexpr int kCode128ValueStartA = 103;
inline constexpr int kCode128ValueStartB = 104;
inline constexpr int kCode128ValueStartC = 105;
inline constexpr int kCode128ValueStop = 106;

// Width in modules of element `k` (0-based, bars at even k) of the pattern of value `v`.
constexpr int Code128Width(int v, int k) {
    return kCode128Patterns[static_cast<std::size_t>(v)][static_cast<std::size_t>(k)] - '0';
}

namespace detail {

// Every symbol character has three bars and three spaces of 1 to 4 modules adding up to 11, with
// an even number of bar modules; the stop character adds a final bar and comes to 13.
constexpr bool code128_patterns_well_formed() {
    for (std::size_t v = 0; v < kCode128Patterns.size(); ++v) {
        const std::string_view p = kCode128Patterns[v];
        const std::size_t elements = v == kCode128ValueStop ? 7 : 6;
        if (p.size() != elements) return false;
        int modules = 0;
        int bar_modules = 0;
        for (std::size_t k = 0; k < p.size(); ++k) {
            const int w = p[k] - '0';
            if (w < 1 || w > 4) return false;
            modules += w;
            if (k % 2 == 0) bar_modules += w;
        }
        if (modules != (elements == 7 ? 13 : 11) || bar_modules % 2 != 0) return false;
    }
    return true;
}

// No two symbol characters share a pattern.
constexpr bool code128_patterns_distinct() {
    for (std::size_t a = 0; a < kCode128Patterns.size(); ++a) {
        for (std::size_t b = a + 1; b < kCode128Patterns.size(); ++b) {
            if (kCode128Patterns[a] == kCode128Patterns[b]) return false;
        }
    }
    return true;
}

}  // namespace detail

static_assert(kCode128Patterns.size() == 107, "106 symbol characters and the stop character");
static_assert(detail::code128_patterns_well_formed());
static_assert(detail::code128_patterns_distinct());
static_assert(kCode128Patterns[0] == "212222" && kCode128Patterns[62] == "431111");
static_assert(kCode128Patterns[kCode128ValueFnc1] == "411131");
static_assert(kCode128Patterns[kCode128ValueStartA] == "211412" &&
              kCode128Patterns[kCode128ValueStartB] == "211214" &&
              kCode128Patterns[kCode128ValueStartC] == "211232");

}  // namespace orbx
