// The Universal font: every character draws one bar followed by one space.
#pragma once

#include <array>
#include <string_view>

#include "common/status.h"
#include "encoders/code128/code128_patterns.h"

namespace orbx {

// Every Universal encoder reads at most this many characters of its data.
inline constexpr std::size_t kUniMaxData = 512;

// The part of a zero-terminated data text that a Universal encoder reads: up to its first 512
// characters, never looking past them.
inline std::string_view UniData(const char* data) {
    std::size_t n = 0;
    while (n < kUniMaxData && data[n] != '\0')
        ++n;
    return {data, n};
}

// Letters "A" to "P": a bar of 1 to 4 modules followed by a space of 1 to 4 modules.
constexpr char UniversalLetter(int bar, int space) {
    return static_cast<char>('A' + 4 * (bar - 1) + (space - 1));
}

static_assert(UniversalLetter(1, 1) == 'A' && UniversalLetter(1, 4) == 'D');
static_assert(UniversalLetter(2, 4) == 'H' && UniversalLetter(4, 4) == 'P');

// Narrow/wide letters for one wide-to-narrow ratio, indexed by 2 * (bar is wide) + (space is
// wide): narrow-narrow, narrow-wide, wide-narrow, wide-wide.
using NarrowWideLetters = std::array<char, 4>;

namespace detail {

constexpr NarrowWideLetters narrow_wide_from_widths(int wide) {
    return {UniversalLetter(1, 1), UniversalLetter(1, wide), UniversalLetter(wide, 1),
            UniversalLetter(wide, wide)};
}

}  // namespace detail

// Ratio 3 and ratio 2 reuse the module letters; ratio 2.5 has letters of its own.
inline constexpr NarrowWideLetters kRatio3Letters = detail::narrow_wide_from_widths(3);
inline constexpr NarrowWideLetters kRatio25Letters = {'W', 'X', 'Y', 'Z'};
inline constexpr NarrowWideLetters kRatio2Letters = detail::narrow_wide_from_widths(2);

static_assert(kRatio3Letters == NarrowWideLetters{'A', 'C', 'I', 'K'});
static_assert(kRatio2Letters == NarrowWideLetters{'A', 'B', 'E', 'F'});

// Only the exact ratios 3 and 2.5 have letter sets of their own; every other value is drawn
// at ratio 2.
constexpr const NarrowWideLetters& LettersForRatio(double ratio) {
    if (ratio == 3.0) return kRatio3Letters;
    if (ratio == 2.5) return kRatio25Letters;
    return kRatio2Letters;
}

// Letter of one narrow/wide bar-and-space pair.
constexpr char NarrowWideLetter(const NarrowWideLetters& letters, bool wide_bar, bool wide_space) {
    return letters[static_cast<std::size_t>(2 * wide_bar + wide_space)];
}

// Postal letters: two bars (each with its following space) of given heights, or one bar alone.
constexpr char PostalPairLetter(bool first_tall, bool second_tall) {
    return static_cast<char>('j' + 2 * first_tall + second_tall);
}
constexpr char PostalSingleLetter(bool tall) {
    return tall ? 'n' : 'o';
}

static_assert(PostalPairLetter(false, false) == 'j' && PostalPairLetter(false, true) == 'k');
static_assert(PostalPairLetter(true, false) == 'l' && PostalPairLetter(true, true) == 'm');

// Universal form of a Code 128 symbol character: the letters of its three bar-and-space pairs.
using Code128Letters = std::array<char, 3>;

namespace detail {

constexpr std::array<Code128Letters, 106> code128_letters() {
    std::array<Code128Letters, 106> table{};
    for (int v = 0; v < 106; ++v) {
        for (int k = 0; k < 3; ++k) {
            table[static_cast<std::size_t>(v)][static_cast<std::size_t>(k)] =
                UniversalLetter(Code128Width(v, 2 * k), Code128Width(v, 2 * k + 1));
        }
    }
    return table;
}

constexpr bool letters_are(const Code128Letters& letters, std::string_view expected) {
    return std::string_view(letters.data(), letters.size()) == expected;
}

}  // namespace detail

// Letters of the symbol values 0 to 105, derived from the ISO/IEC 15417 widths.
inline constexpr std::array<Code128Letters, 106> kUniCode128Letters = detail::code128_letters();

// The stop character's final two-module bar has no space of its own: the font's letter for a
// bar of 2 and a space of 4 draws it with the trailing quiet space.
inline constexpr std::array<char, 4> kUniCode128Stop = {
    UniversalLetter(Code128Width(kCode128ValueStop, 0), Code128Width(kCode128ValueStop, 1)),
    UniversalLetter(Code128Width(kCode128ValueStop, 2), Code128Width(kCode128ValueStop, 3)),
    UniversalLetter(Code128Width(kCode128ValueStop, 4), Code128Width(kCode128ValueStop, 5)),
    UniversalLetter(Code128Width(kCode128ValueStop, 6), 4),
};

static_assert(detail::letters_are(kUniCode128Letters[0], "EFF"));
static_assert(detail::letters_are(kUniCode128Letters[1], "FEF"));
static_assert(detail::letters_are(kUniCode128Letters[2], "FFE"));
static_assert(detail::letters_are(kUniCode128Letters[12], "AFJ"));
static_assert(detail::letters_are(kUniCode128Letters[16], "BIF"));
static_assert(detail::letters_are(kUniCode128Letters[62], "OAA"));
static_assert(detail::letters_are(kUniCode128Letters[95], "AMC"));
static_assert(detail::letters_are(kUniCode128Letters[96], "AOA"));
static_assert(detail::letters_are(kUniCode128Letters[97], "MAC"));
static_assert(detail::letters_are(kUniCode128Letters[98], "MCA"));
static_assert(detail::letters_are(kUniCode128Letters[99], "AIM"));
static_assert(detail::letters_are(kUniCode128Letters[100], "AMI"));
static_assert(detail::letters_are(kUniCode128Letters[101], "IAM"));
static_assert(detail::letters_are(kUniCode128Letters[102], "MAI"));
static_assert(detail::letters_are(kUniCode128Letters[103], "EDB"));
static_assert(detail::letters_are(kUniCode128Letters[104], "EBD"));
static_assert(detail::letters_are(kUniCode128Letters[105], "EBJ"));
static_assert(kUniCode128Stop == std::array<char, 4>{'G', 'I', 'A', 'H'});

}  // namespace orbx
