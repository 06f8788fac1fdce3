// Digit sets, parity tables and guard characters of the UPC/EAN text font, shared by the UPC-A,
// UPC-E, EAN-13 and EAN-8 encoders, and the digit filtering they all start with.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace orbx {

// Guard and separator characters.
inline constexpr char kRetailGuard = '(';        // left and right normal guard
inline constexpr char kRetailCentreGuard = '*';  // centre guard
inline constexpr char kUpceRightGuard = ')';     // UPC-E special right guard
inline constexpr char kAddOnStart = '+';         // add-on start pattern
inline constexpr char kAddOnDelineator = '!';    // between consecutive add-on digits

// First font character of each digit set: the digits 0 to 9 follow it in order.
inline constexpr int kSetABase = 48;        // left half, odd parity: "0" to "9"
inline constexpr int kSetBBase = 65;        // left half, even parity: "A" to "J"
inline constexpr int kSetCBase = 75;        // right half: "K" to "T"
inline constexpr int kLongLeftBase = 97;    // UPC-A first digit with long bars: "a" to "j"
inline constexpr int kLongRightBase = 107;  // UPC-A check digit with long bars: "k" to "t"

// Digits printed outside the bars (EAN-13 first digit, UPC number system and check digit).
inline constexpr std::array<char, 10> kHumanReadableDigits = {'U', 'V', 'W', 'X', 'Y',
                                                              'u', 'v', 'w', 'x', 'y'};

// Add-on digits of odd (A) and even (B) parity.
inline constexpr std::array<char, 10> kAddOnSetA = {'"', '#', '$', '%', '&',
                                                    ',', '.', '/', ':', ';'};
inline constexpr std::array<char, 10> kAddOnSetB = {'z',  '=', '?', '@', '[',
                                                    '\\', ']', '_', '{', '}'};

// EAN-13 parity of the left six digits by the leading digit (ISO/IEC 15420, table of the
// number-system character).
inline constexpr std::array<std::string_view, 10> kEan13Parity = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};

// UPC-E parity of the six body digits by the check digit, number system 1 and number system 0
// (which other number systems also use here).
inline constexpr std::array<std::string_view, 10> kUpceParitySystem1 = {
    "AAABBB", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
inline constexpr std::array<std::string_view, 10> kUpceParitySystem0 = {
    "BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
    "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB"};

// Every pattern has six places of set A or B and its own arrangement; an EAN-13's left half
// always begins in set A; number system 0 takes the opposite set of number system 1 in every
// place.
constexpr bool parities_well_formed() {
    for (std::size_t i = 0; i < 10; ++i) {
        const std::string_view ean = kEan13Parity[i];
        const std::string_view one = kUpceParitySystem1[i];
        const std::string_view zero = kUpceParitySystem0[i];
        if (ean.size() != 6 || one.size() != 6 || zero.size() != 6 || ean[0] != 'A') return false;
        for (std::size_t k = 0; k < 6; ++k) {
            if ((one[k] == 'A') == (zero[k] == 'A')) return false;
            for (char set : {ean[k], one[k], zero[k]}) {
                if (set != 'A' && set != 'B') return false;
            }
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (kEan13Parity[j] == ean || kUpceParitySystem1[j] == one) return false;
        }
    }
    return true;
}
static_assert(parities_well_formed());

// First font character of the sets "A", "B" and "C", by the set's letter.
inline constexpr std::array<int, 3> kSetBases = {kSetABase, kSetBBase, kSetCBase};

// Font character of a digit ("0" to "9") in set "A", "B" or "C".
constexpr char RetailDigitChar(char set, char digit) {
    return static_cast<char>(kSetBases[static_cast<std::size_t>(set - 'A')] + (digit - '0'));
}

constexpr char LongLeftChar(char digit) {
    return static_cast<char>(kLongLeftBase + digit - '0');
}

constexpr char LongRightChar(char digit) {
    return static_cast<char>(kLongRightBase + digit - '0');
}

constexpr char HumanReadableChar(char digit) {
    return kHumanReadableDigits[static_cast<std::size_t>(digit - '0')];
}

// The digits of a data text in order, every other character ignored. Only the first
// kMaxKept digits are kept (no rule looks further), but `count` counts them all; `kept` holds
// nothing of meaning beyond them.
struct RetailDigits {
    static constexpr std::size_t kMaxKept = 20;
    std::array<char, kMaxKept> kept{};
    std::size_t count = 0;

    std::string_view view() const { return {kept.data(), count < kMaxKept ? count : kMaxKept}; }
};

RetailDigits FilterRetailDigits(std::string_view data);

}  // namespace orbx
