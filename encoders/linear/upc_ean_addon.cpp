#include "encoders/linear/upc_ean_addon.h"

#include <array>

#include "encoders/linear/upc_ean_digits.h"

namespace orbx {

namespace {

// 5-digit add-on parity by its check value (GS1 General Specifications, add-on symbols).
constexpr std::array<std::string_view, 10> kFiveDigitParity = {
    "BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA", "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};
static_assert(kFiveDigitParity.size() == 10);

// 2-digit add-on parity by the add-on's value mod 4.
constexpr std::array<std::string_view, 4> kTwoDigitParity = {"AA", "AB", "BA", "BB"};
static_assert(kTwoDigitParity.size() == 4);

int digit(std::string_view s, std::size_t i) {
    return s[i] - '0';
}

// Check value of a 5-digit add-on: weights 3, 9, 3, 9, 3 from the rightmost digit, last
// decimal digit of the sum. It chooses the parity and is not printed.
std::size_t five_digit_check(std::string_view d) {
    const int sum = 3 * (digit(d, 0) + digit(d, 2) + digit(d, 4)) + 9 * (digit(d, 1) + digit(d, 3));
    return static_cast<std::size_t>(sum % 10);
}

}  // namespace

void AppendAddOn(std::string& text, std::string_view digits) {
    char addon[kAddOnMaxChars];
    text.append(addon, WriteAddOn(addon, digits));
}

char* WriteAddOn(char* p, std::string_view digits) {
    std::string_view parity;
    if (digits.size() == 5) {
        parity = kFiveDigitParity[five_digit_check(digits)];
    } else if (digits.size() == 2) {
        parity = kTwoDigitParity[static_cast<std::size_t>(
            (10 * digit(digits, 0) + digit(digits, 1)) % 4)];
    } else {
        return p;
    }
    *p++ = kAddOnStart;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0) *p++ = kAddOnDelineator;
        const auto d = static_cast<std::size_t>(digit(digits, i));
        *p++ = parity[i] == 'A' ? kAddOnSetA[d] : kAddOnSetB[d];
    }
    return p;
}

}  // namespace orbx
