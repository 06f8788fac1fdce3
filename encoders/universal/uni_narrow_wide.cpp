#include "encoders/universal/uni_narrow_wide.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "common/check_digits.h"
#include "common/output.h"
#include "common/utilities.h"
#include "encoders/linear/code39_values.h"
#include "encoders/linear/narrow_wide_patterns.h"
#include "encoders/universal/universal_font.h"

namespace orbx {

namespace {

constexpr std::size_t kCode39StartStop = kCode39StartStopIndex;

// Start and stop elements of Interleaved 2 of 5 and of MSI.
constexpr std::string_view kInterleavedStart = "nnnn";
constexpr std::string_view kInterleavedStop = "wnnn";
constexpr std::string_view kMsiStart = "wn";
constexpr std::string_view kMsiStop = "nwnw";

// Byte to symbol value, -1 for a byte that the symbology cannot carry.
template <std::size_t N>
constexpr std::array<std::int8_t, 256> value_lookup(std::string_view alphabet) {
    std::array<std::int8_t, 256> lookup{};
    lookup.fill(-1);
    for (std::size_t v = 0; v < N; ++v) {
        lookup[static_cast<unsigned char>(alphabet[v])] = static_cast<std::int8_t>(v);
    }
    return lookup;
}

// Code 39 data: its 43 characters, lower-case letters read as upper case; "*" is not data.
constexpr std::array<std::int8_t, 256> kCode39Values = [] {
    std::array<std::int8_t, 256> lookup{};
    for (int c = 0; c < 256; ++c) {
        const int upper = c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
        lookup[static_cast<std::size_t>(c)] =
            static_cast<std::int8_t>(Code39Value(static_cast<unsigned char>(upper)));
    }
    return lookup;
}();
static_assert(kCode39Values['A'] == 10 && kCode39Values['z'] == 35 && kCode39Values['%'] == 42);
static_assert(kCode39Values['*'] == -1 && kCode39Values['#'] == -1);

// Codabar data: its 20 characters, "a" to "d" read as "A" to "D".
constexpr std::array<std::int8_t, 256> kCodabarValues = [] {
    auto lookup = value_lookup<kCodabarAlphabet.size()>(kCodabarAlphabet);
    for (int c = 'a'; c <= 'd'; ++c)
        lookup[static_cast<std::size_t>(c)] = lookup[static_cast<std::size_t>(c - 'a' + 'A')];
    return lookup;
}();
static_assert(kCodabarValues['+'] == 15 && kCodabarValues['d'] == 19 && kCodabarValues['E'] == -1);

// Writes the elements two by two as bar-and-space letters; an odd element count ends on a bar,
// whose space is the narrow gap between characters. Returns the position after the letters.
constexpr char* write_elements(char* out, const NarrowWideLetters& letters,
                               std::string_view elements) {
    for (std::size_t k = 0; k < elements.size(); k += 2) {
        const bool wide_space = k + 1 < elements.size() && elements[k + 1] == 'w';
        *out++ = NarrowWideLetter(letters, elements[k] == 'w', wide_space);
    }
    return out;
}

// The letter sets of LettersForRatio, by ratio_index.
constexpr std::array<NarrowWideLetters, 3> kLetterSets = {kRatio3Letters, kRatio25Letters,
                                                          kRatio2Letters};

std::size_t ratio_index(double ratio) {
    return ratio == 3.0 ? 0 : ratio == 2.5 ? 1 : 2;
}

// The letters of every pattern of a table at each ratio, generated at compile time, so that an
// encoder copies a character's letters instead of reading its pattern element by element.
template <std::size_t Letters>
using LetterRun = std::array<char, Letters>;

template <std::size_t Letters, std::size_t N>
constexpr std::array<std::array<LetterRun<Letters>, N>, 3> pattern_letters(
    const std::array<std::string_view, N>& patterns) {
    std::array<std::array<LetterRun<Letters>, N>, 3> table{};
    for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t v = 0; v < N; ++v)
            write_elements(table[r][v].data(), kLetterSets[r], patterns[v]);
    return table;
}

constexpr auto kCode39Letters = pattern_letters<5>(kCode39Patterns);
constexpr auto kCodabarLetters = pattern_letters<4>(kCodabarPatterns);
// "0" at ratio 2: nn nw wn wn n.
static_assert(kCode39Letters[2][0] == LetterRun<5>{'A', 'B', 'E', 'E', 'A'});

// Interleaved 2 of 5 digit pairs 00 to 99: the first digit's widths as bars, the second's as
// spaces, five letters at each ratio.
constexpr auto kInterleavedPairLetters = [] {
    std::array<std::array<LetterRun<5>, 100>, 3> table{};
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t pair = 0; pair < 100; ++pair) {
            const std::string_view bars = kInterleavedPatterns[pair / 10];
            const std::string_view spaces = kInterleavedPatterns[pair % 10];
            for (std::size_t k = 0; k < 5; ++k)
                table[r][pair][k] =
                    NarrowWideLetter(kLetterSets[r], bars[k] == 'w', spaces[k] == 'w');
        }
    }
    return table;
}();

// MSI digits: four bits, most significant first, 0 as narrow-wide and 1 as wide-narrow.
constexpr auto kMsiDigitLetters = [] {
    std::array<std::array<LetterRun<4>, 10>, 3> table{};
    for (std::size_t r = 0; r < 3; ++r) {
        for (int v = 0; v < 10; ++v) {
            for (int bit = 3; bit >= 0; --bit) {
                const bool one = (v >> bit) & 1;
                table[r][static_cast<std::size_t>(v)][static_cast<std::size_t>(3 - bit)] =
                    NarrowWideLetter(kLetterSets[r], one, !one);
            }
        }
    }
    return table;
}();

template <std::size_t Letters>
char* put_letters(char* out, const LetterRun<Letters>& letters) {
    std::memcpy(out, letters.data(), Letters);
    return out + Letters;
}

// The digits among the first 512 characters of `data`, written from `digits` (room for 512);
// returns how many. Each character is stored and kept when it is a digit.
std::size_t gather_digits(const char* data, char* digits) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < kUniMaxData && data[i] != '\0'; ++i) {
        digits[count] = data[i];
        count += isNumeric(data[i]) ? 1 : 0;
    }
    return count;
}

// The frame of the symbols written character by character: null data gives 1100, empty data
// 1000; otherwise `write(data, symbol)` writes the symbol of the data's first 512 characters, at
// most `letters` letters for each of them and for `extra` characters more, and returns its end.
// Straight into the caller's buffer where that many fit there with the terminating zero;
// otherwise per thread (kept from call to call: no allocation once a thread has built a symbol
// this long) and handed over if it fits.
template <typename Write>
int build_letters(const char* data, std::size_t letters, std::size_t extra, char* out,
                  long capacity, Write write) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    const std::size_t longest = letters * (d.size() + extra);
    if (out != nullptr && capacity > 0 && longest < static_cast<std::size_t>(capacity)) {
        *write(d, out) = '\0';
        return kStatusOk;
    }
    thread_local std::string work;  // one per symbology (each instantiation has its own)
    char* const result = WorkArea(work, longest);
    return HandOver(out, capacity, result, write(d, result));
}

// The start or stop argument of Codabar: exactly one of "A" to "D", otherwise "A".
char codabar_guard(const char* arg) {
    if (arg != nullptr && arg[0] >= 'A' && arg[0] <= 'D' && arg[1] == '\0') return arg[0];
    return 'A';
}

}  // namespace

int Orbelantrix_Universal_C39(char* data, double ratio, long check, char* out, long capacity) {
    const auto& code39 = kCode39Letters[ratio_index(ratio)];
    // Five letters per character: start, data, check and stop.
    return build_letters(data, 5, 3, out, capacity, [&](std::string_view d, char* p) {
        p = put_letters(p, code39[kCode39StartStop]);
        int sum = 0;
        for (char c : d) {
            const int v = kCode39Values[static_cast<unsigned char>(c)];
            if (v < 0) continue;
            sum += v;
            p = put_letters(p, code39[static_cast<std::size_t>(v)]);
        }
        if (check != 0) p = put_letters(p, code39[static_cast<std::size_t>(sum % 43)]);
        return put_letters(p, code39[kCode39StartStop]);
    });
}

int Orbelantrix_Universal_I2of5(char* data, double ratio, long check, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const NarrowWideLetters& letters = LettersForRatio(ratio);
    const auto& pairs = kInterleavedPairLetters[ratio_index(ratio)];
    // The digits one place in, leaving room for a leading "0" where their count is odd and for
    // the check digit.
    char digitArea[kUniMaxData + 2];
    char* digits = digitArea + 1;
    std::size_t count = gather_digits(data, digits);
    if (check != 0) {
        const char digit = FindMod10Digit(std::string_view(digits, count));
        digits[count++] = digit;
    }
    if (count % 2 == 1) {
        *--digits = '0';
        ++count;
    }

    // Start, five letters a pair of digits, stop: when the caller's buffer holds the longest
    // symbol with its terminating zero the letters go straight into it; otherwise they are
    // built per thread (kept from call to call) and handed over if they fit.
    constexpr std::size_t kLongest = 2 + 5 * (kUniMaxData + 2) / 2 + 2;
    const bool inPlace = out != nullptr && capacity > static_cast<long>(kLongest);
    thread_local std::string work;
    char* const result = inPlace ? out : WorkArea(work, kLongest);
    char* p = write_elements(result, letters, kInterleavedStart);
    // A pair of digits: the first one's widths are the bars, the second one's the spaces.
    for (std::size_t i = 0; i < count; i += 2)
        p = put_letters(
            p, pairs[static_cast<std::size_t>((digits[i] - '0') * 10 + (digits[i + 1] - '0'))]);
    p = write_elements(p, letters, kInterleavedStop);
    if (inPlace) {
        *p = '\0';
        return kStatusOk;
    }
    return HandOver(out, capacity, result, p);
}

int Orbelantrix_Universal_Codabar(char* data, double ratio, char* start, char* stop, char* out,
                                  long capacity) {
    const auto& codabar = kCodabarLetters[ratio_index(ratio)];
    // Four letters per character, start and stop included.
    return build_letters(data, 4, 2, out, capacity, [&](std::string_view d, char* p) {
        const auto write = [&](char c) {
            const int v = kCodabarValues[static_cast<unsigned char>(c)];
            if (v >= 0) p = put_letters(p, codabar[static_cast<std::size_t>(v)]);
        };
        write(codabar_guard(start));
        for (char c : d)
            write(c);
        write(codabar_guard(stop));
        return p;
    });
}

int Orbelantrix_Universal_MSI(char* data, double ratio, long check, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const NarrowWideLetters& letters = LettersForRatio(ratio);
    // The digits, with room for the check digit.
    char digits[kUniMaxData + 1];
    std::size_t count = gather_digits(data, digits);
    if (count == 0) return kStatusEmptyData;
    if (check != 0) {
        const char digit = MSICheckDigit(std::string_view(digits, count));
        digits[count++] = digit;
    }

    // Start, four letters a digit, stop: straight into the caller's buffer when they fit there
    // with the terminating zero; otherwise built per thread (kept from call to call) and handed
    // over, which refuses them.
    const std::size_t length = 4 * count + 3;
    const bool inPlace =
        out != nullptr && capacity > 0 && length < static_cast<std::size_t>(capacity);
    thread_local std::string work;
    char* const result = inPlace ? out : WorkArea(work, length);
    char* p = write_elements(result, letters, kMsiStart);
    // A digit is its four bits, most significant first: 0 as narrow-wide, 1 as wide-narrow.
    const auto& msi = kMsiDigitLetters[ratio_index(ratio)];
    for (std::size_t i = 0; i < count; ++i)
        p = put_letters(p, msi[static_cast<std::size_t>(digits[i] - '0')]);
    p = write_elements(p, letters, kMsiStop);
    assert(static_cast<std::size_t>(p - result) == length);
    if (inPlace) {
        *p = '\0';
        return kStatusOk;
    }
    return HandOver(out, capacity, result, p);
}

}  // namespace orbx
