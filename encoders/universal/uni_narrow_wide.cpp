#include "encoders/universal/uni_narrow_wide.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/check_digits.h"
#include "common/output.h"
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

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Writes the elements two by two as bar-and-space letters; an odd element count ends on a bar,
// whose space is the narrow gap between characters.
void write_elements(std::string& out, const NarrowWideLetters& letters, std::string_view elements) {
    for (std::size_t k = 0; k < elements.size(); k += 2) {
        const bool wide_space = k + 1 < elements.size() && elements[k + 1] == 'w';
        out += NarrowWideLetter(letters, elements[k] == 'w', wide_space);
    }
}

std::string digits_of(std::string_view d) {
    std::string digits;
    digits.reserve(d.size() + 2);
    for (char c : d) {
        if (is_digit(c)) digits += c;
    }
    return digits;
}

// The start or stop argument of Codabar: exactly one of "A" to "D", otherwise "A".
char codabar_guard(const char* arg) {
    if (arg != nullptr && arg[0] >= 'A' && arg[0] <= 'D' && arg[1] == '\0') return arg[0];
    return 'A';
}

int hand_over(char* out, long capacity, const std::string& letters) {
    return CopyResult(out, capacity, letters) ? kStatusOk : kStatusRefused;
}

}  // namespace

int Orbelantrix_Universal_C39(char* data, double ratio, long check, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    const NarrowWideLetters& letters = LettersForRatio(ratio);
    std::string result;
    result.reserve(5 * (d.size() + 3));
    write_elements(result, letters, kCode39Patterns[kCode39StartStop]);
    int sum = 0;
    for (char c : d) {
        const int v = kCode39Values[static_cast<unsigned char>(c)];
        if (v < 0) continue;
        sum += v;
        write_elements(result, letters, kCode39Patterns[static_cast<std::size_t>(v)]);
    }
    if (check != 0) {
        write_elements(result, letters, kCode39Patterns[static_cast<std::size_t>(sum % 43)]);
    }
    write_elements(result, letters, kCode39Patterns[kCode39StartStop]);
    return hand_over(out, capacity, result);
}

int Orbelantrix_Universal_I2of5(char* data, double ratio, long check, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const NarrowWideLetters& letters = LettersForRatio(ratio);
    std::string digits = digits_of(UniData(data));
    if (check != 0) digits += FindMod10Digit(std::string_view(digits));
    if (digits.size() % 2 == 1) digits.insert(digits.begin(), '0');

    std::string result;
    result.reserve(5 * digits.size() / 2 + 4);
    write_elements(result, letters, kInterleavedStart);
    // A pair of digits: the first one's widths are the bars, the second one's the spaces.
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const std::string_view bars =
            kInterleavedPatterns[static_cast<std::size_t>(digits[i] - '0')];
        const std::string_view spaces =
            kInterleavedPatterns[static_cast<std::size_t>(digits[i + 1] - '0')];
        for (std::size_t k = 0; k < 5; ++k)
            result += NarrowWideLetter(letters, bars[k] == 'w', spaces[k] == 'w');
    }
    write_elements(result, letters, kInterleavedStop);
    return hand_over(out, capacity, result);
}

int Orbelantrix_Universal_Codabar(char* data, double ratio, char* start, char* stop, char* out,
                                  long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    const NarrowWideLetters& letters = LettersForRatio(ratio);
    std::string result;
    result.reserve(4 * (d.size() + 2));
    const auto write = [&](char c) {
        const int v = kCodabarValues[static_cast<unsigned char>(c)];
        if (v >= 0) write_elements(result, letters, kCodabarPatterns[static_cast<std::size_t>(v)]);
    };
    write(codabar_guard(start));
    for (char c : d)
        write(c);
    write(codabar_guard(stop));
    return hand_over(out, capacity, result);
}

int Orbelantrix_Universal_MSI(char* data, double ratio, long check, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const NarrowWideLetters& letters = LettersForRatio(ratio);
    std::string digits = digits_of(UniData(data));
    if (digits.empty()) return kStatusEmptyData;
    if (check != 0) digits += uCalcMSICheckDigit(digits.c_str());

    std::string result;
    result.reserve(4 * digits.size() + 3);
    write_elements(result, letters, kMsiStart);
    // A digit is its four bits, most significant first: 0 as narrow-wide, 1 as wide-narrow.
    for (char c : digits) {
        const int v = c - '0';
        for (int bit = 3; bit >= 0; --bit)
            result += NarrowWideLetter(letters, (v >> bit) & 1, !((v >> bit) & 1));
    }
    write_elements(result, letters, kMsiStop);
    return hand_over(out, capacity, result);
}

}  // namespace orbx
