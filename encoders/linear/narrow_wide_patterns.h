// Element patterns of the narrow/wide symbologies, as published: "n" a narrow element, "w" a
// wide one, bar first. Shared by the Universal-font encoders and the preview renderer.
#pragma once

#include <array>
#include <string_view>

namespace orbx {

// ISO/IEC 16388 Code 39 patterns in value order (digits, "A" to "Z", "-", ".", space, "$", "/",
// "+", "%"), then the start/stop character "*" at index 43.
inline constexpr std::array<std::string_view, 44> kCode39Patterns = {
    "nnnwwnwnn", "wnnwnnnnw", "nnwwnnnnw", "wnwwnnnnn", "nnnwwnnnw", "wnnwwnnnn", "nnwwwnnnn",
    "nnnwnnwnw", "wnnwnnwnn", "nnwwnnwnn", "wnnnnwnnw", "nnwnnwnnw", "wnwnnwnnn", "nnnnwwnnw",
    "wnnnwwnnn", "nnwnwwnnn", "nnnnnwwnw", "wnnnnwwnn", "nnwnnwwnn", "nnnnwwwnn", "wnnnnnnww",
    "nnwnnnnww", "wnwnnnnwn", "nnnnwnnww", "wnnnwnnwn", "nnwnwnnwn", "nnnnnnwww", "wnnnnnwwn",
    "nnwnnnwwn", "nnnnwnwwn", "wwnnnnnnw", "nwwnnnnnw", "wwwnnnnnn", "nwnnwnnnw", "wwnnwnnnn",
    "nwwnwnnnn", "nwnnnnwnw", "wwnnnnwnn", "nwwnnnwnn", "nwnwnwnnn", "nwnwnnnwn", "nwnnnwnwn",
    "nnnwnwnwn", "nwnnwnwnn",
};
inline constexpr std::size_t kCode39StartStopIndex = 43;

// The published Codabar patterns (bar, space, ... bar) in value order, the characters of
// kCodabarAlphabet: "0" to "9", "-", "$", ":", "/", ".", "+", then the start/stop "A" to "D".
inline constexpr std::string_view kCodabarAlphabet = "0123456789-$:/.+ABCD";
inline constexpr std::array<std::string_view, 20> kCodabarPatterns = {
    "nnnnnww", "nnnnwwn", "nnnwnnw", "wwnnnnn", "nnwnnwn", "wnnnnwn", "nwnnnnw",
    "nwnnwnn", "nwwnnnn", "wnnwnnn", "nnnwwnn", "nnwwnnn", "wnnnwnw", "wnwnnnw",
    "wnwnwnn", "nnwnwnw", "nnwwnwn", "nwnwnnw", "nnnwnww", "nnnwwwn",
};
static_assert(kCodabarPatterns.size() == kCodabarAlphabet.size());

// ISO/IEC 16390 Interleaved 2 of 5 digit patterns: five widths, drawn once as the bars of the
// first digit of a pair and once as the spaces of the second.
inline constexpr std::array<std::string_view, 10> kInterleavedPatterns = {
    "nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw", "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn",
};

namespace detail {

constexpr int count_wide(std::string_view pattern) {
    int wide = 0;
    for (char e : pattern) {
        if (e == 'w') ++wide;
    }
    return wide;
}

// Every pattern of `length` elements, min_wide to max_wide of them wide, and no two alike.
template <std::size_t N>
constexpr bool patterns_are(const std::array<std::string_view, N>& table, std::size_t length,
                            int min_wide, int max_wide) {
    for (std::size_t a = 0; a < N; ++a) {
        const std::string_view p = table[a];
        if (p.size() != length || count_wide(p) < min_wide || count_wide(p) > max_wide) {
            return false;
        }
        if (p.find_first_not_of("nw") != std::string_view::npos) return false;
        for (std::size_t b = a + 1; b < N; ++b) {
            if (p == table[b]) return false;
        }
    }
    return true;
}

}  // namespace detail

// Code 39 characters have three wide elements of nine; Interleaved 2 of 5 digits two of five;
// Codabar characters two or three of seven.
static_assert(detail::patterns_are(kCode39Patterns, 9, 3, 3));
static_assert(detail::patterns_are(kInterleavedPatterns, 5, 2, 2));
static_assert(detail::patterns_are(kCodabarPatterns, 7, 2, 3));

}  // namespace orbx
