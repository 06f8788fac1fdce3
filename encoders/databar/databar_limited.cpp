#include "encoders/databar/databar_limited.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>

#include "common/output.h"
#include "common/status.h"
#include "encoders/databar/databar.h"
#include "encoders/databar/databar_widths.h"

namespace orbx {

namespace {

// Check character patterns of DataBar Limited (ISO/IEC 24724), by checksum.
constexpr std::array<std::string_view, 89> kCheckPatterns{
    "11111111113311", "11111111123211", "11111111133111", "11111112113211", "11111112123111",
    "11111113113111", "11111211113211", "11111211123111", "11111212113111", "11111311113111",
    "11121111113211", "11121111123111", "11121112113111", "11121211113111", "11131111113111",
    "12111111113211", "12111111123111", "12111112113111", "12111211113111", "12121111113111",
    "13111111113111", "11111111212311", "11111111222211", "11111111232111", "11111112212211",
    "11111112222111", "11111113212111", "11111211212211", "11111211222111", "11111212212111",
    "11111311212111", "11121111212211", "11121111222111", "11121112212111", "11121211212111",
    "11131111212111", "12111111212211", "12111111222111", "12111112212111", "12111211212111",
    "12121111212111", "13111111212111", "11111111311311", "11111111321211", "11111112311211",
    "11121111311211", "12111111311211", "11111121112311", "11111121122211", "11111121132111",
    "11111122112211", "11121121112211", "11121121122111", "11121122112111", "11121221112111",
    "11131121112111", "12111121112211", "12111121122111", "12121121112111", "11112111112311",
    "11112111122211", "11112111132111", "11112112112211", "11112112122111", "11112211112211",
    "12112111112211", "12112111122111", "12112112112111", "12112211112111", "12122111112111",
    "13112111112111", "11211111112311", "11211111122211", "11211111132111", "11211112112211",
    "11211112122111", "11211113112111", "11211211112211", "11211211122111", "11221111112211",
    "21111111122211", "21111111132111", "21111112112211", "21111112122111", "21111113112111",
    "21111211122111", "21111212112111", "21121111122111", "21111111221211"};

// Every check pattern is 14 widths of 1 to 3 over 18 modules.
constexpr bool check_patterns_well_formed() {
    for (std::string_view p : kCheckPatterns) {
        if (p.size() != 14) return false;
        int modules = 0;
        for (char c : p) {
            if (c < '1' || c > '3') return false;
            modules += c - '0';
        }
        if (modules != 18) return false;
    }
    return true;
}
static_assert(check_patterns_well_formed());

// Checksum weights of the left and right characters (ISO/IEC 24724), in natural element order.
constexpr std::array<int, 14> kLeftWeights{1, 3, 9, 27, 81, 65, 17, 51, 64, 14, 42, 37, 22, 66};
constexpr std::array<int, 14> kRightWeights{20, 60, 2, 6, 18, 54, 73, 41, 34, 13, 39, 28, 84, 74};
// The weights are the successive powers of 3 modulo 89, the left character's first.
constexpr bool weights_are_powers_of_three() {
    int expected = 1;
    for (const auto* weights : {&kLeftWeights, &kRightWeights}) {
        for (int w : *weights) {
            if (w != expected) return false;
            expected = expected * 3 % 89;
        }
    }
    return true;
}
static_assert(weights_are_powers_of_three());

// Values per character: the left character takes the quotient, the right one the remainder.
constexpr std::int64_t kCharacterValues = 2013571;

constexpr std::size_t kGtinDigits = 13;
constexpr std::size_t kSymbolWidths = 46;

int width_at(std::string_view widths, std::size_t i) {
    return i < widths.size() && widths[i] >= '0' && widths[i] <= '9' ? widths[i] - '0' : 0;
}

// The 14 widths of a Limited character, in natural element order.
using CharWidths = std::array<int, 14>;

// A Limited character: the odd subset takes the quotient, its elements need no narrow one.
bool limited_widths(int value, CharWidths& widths) {
    return DataBarLimitedCharacter(value, widths.data());
}

// The 46 widths of GetDatabarLimitedBarWidths for the GTIN value `v`, as width digits in
// `widths`; false where it gives none.
bool limited_bar_widths(std::int64_t v, char* widths) {
    // The left value must stay within the Limited characters too.
    if (v >= kCharacterValues * kCharacterValues) return false;
    CharWidths left{};
    CharWidths right{};
    if (!limited_widths(static_cast<int>(v / kCharacterValues), left) ||
        !limited_widths(static_cast<int>(v % kCharacterValues), right)) {
        return false;
    }
    int sum = 0;
    for (std::size_t i = 0; i < kLeftWeights.size(); ++i)
        sum += left[i] * kLeftWeights[i] + right[i] * kRightWeights[i];
    const std::string_view check = kCheckPatterns[static_cast<std::size_t>(sum % 89)];

    // Guard, left character, check character, right character, guard; every width a single
    // digit (a larger one, which the group tables rule out, would not make 46 widths).
    char* p = widths;
    bool single_digits = true;
    const auto put = [&p, &single_digits](int w) {
        single_digits = single_digits && w >= 0 && w <= 9;
        *p++ = static_cast<char>('0' + w);
    };
    for (char c : DataBar_START_STOP_PATTERN)
        *p++ = c;
    for (int w : left)
        put(w);
    for (char c : check)
        *p++ = c;
    for (int w : right)
        put(w);
    for (char c : DataBar_START_STOP_PATTERN)
        *p++ = c;
    assert(p == widths + kSymbolWidths);
    return single_digits;
}

}  // namespace

std::string GetDatabarLimitedCheckSumPattern(int checksum) {
    if (checksum < 0 || checksum >= static_cast<int>(kCheckPatterns.size())) return {};
    return std::string(kCheckPatterns[static_cast<std::size_t>(checksum)]);
}

int CalculateDatabarLimitedCheckSum(std::string_view left, std::string_view right) {
    int sum = 0;
    for (std::size_t i = 0; i < kLeftWeights.size(); ++i)
        sum += width_at(left, i) * kLeftWeights[i] + width_at(right, i) * kRightWeights[i];
    return sum % 89;
}

std::string GetDatabarLimitedBarWidths(std::string_view digits) {
    char widths[kSymbolWidths];
    if (!limited_bar_widths(DataBarGtinValue(digits), widths)) return {};
    return std::string(widths, kSymbolWidths);
}

int Orbelantrix_DataBar_DataBarLimited(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    // Only the first 14 characters (and whether there are fewer) shape the GTIN.
    char digits[kGtinDigits];
    DataBarGtinDigits(std::string_view(data, strnlen(data, 14)), digits);
    char widths[kSymbolWidths];
    if (!limited_bar_widths(DataBarGtinDigitsValue(digits), widths)) return kStatusRefused;
    char text[kSymbolWidths];
    const std::size_t length = FontEncodeInto(std::string_view(widths, kSymbolWidths), text);
    return HandOver(out, capacity, std::string_view(text, length));
}

int Orbelantrix_DataBar_DataBarLimited64(char* data, char* out, long capacity) {
    return Orbelantrix_DataBar_DataBarLimited(data, out, capacity);
}

}  // namespace orbx
