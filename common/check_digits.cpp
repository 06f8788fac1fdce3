#include "common/check_digits.h"

#include <array>
#include <cstdint>

namespace orbx {

namespace {

// The value of a digit byte "0" to "9"; 0 for every other byte.
constexpr std::array<std::uint8_t, 256> kDigitValues = [] {
    std::array<std::uint8_t, 256> values{};
    for (int d = 0; d <= 9; ++d)
        values[static_cast<std::size_t>('0' + d)] = static_cast<std::uint8_t>(d);
    return values;
}();

// The MSI weight 2 of a digit byte: the digit sum of twice the digit (2d below 5, 2d - 9 from 5
// on), which is what doubling the number formed by those digits and adding up the product's
// digits comes to; 0 for every other byte.
constexpr std::array<std::uint8_t, 256> kMsiDoubledValues = [] {
    std::array<std::uint8_t, 256> values{};
    for (int d = 0; d <= 9; ++d)
        values[static_cast<std::size_t>('0' + d)] =
            static_cast<std::uint8_t>(2 * d % 10 + 2 * d / 10);
    return values;
}();
static_assert(kMsiDoubledValues['4'] == 8 && kMsiDoubledValues['5'] == 1 &&
              kMsiDoubledValues['9'] == 9 && kMsiDoubledValues['A'] == 0);

int value_of(const std::array<std::uint8_t, 256>& values, char c) {
    return values[static_cast<unsigned char>(c)];
}

// The digit that brings a non-negative sum up to a multiple of 10.
char complement_digit(int sum) {
    const int rest = sum % 10;
    return static_cast<char>(rest == 0 ? '0' : '0' + 10 - rest);
}

}  // namespace

char FindMod10Digit(std::string_view text) {
    // Weights 3 and 1 from the rightmost character: the two sums taken apart, a pair at a time.
    int threes = 0;
    int ones = 0;
    std::size_t i = text.size();
    for (; i >= 2; i -= 2) {
        threes += value_of(kDigitValues, text[i - 1]);
        ones += value_of(kDigitValues, text[i - 2]);
    }
    if (i == 1) threes += value_of(kDigitValues, text[0]);
    return complement_digit(3 * threes + ones);
}

char FindMod10Digit(const char* text) {
    return FindMod10Digit(text == nullptr ? std::string_view{} : std::string_view{text});
}

char FindMod10Digit(const std::string& text) {
    return FindMod10Digit(std::string_view{text});
}

char MSICheckDigit(std::string_view digits) {
    // Position 1 is the rightmost digit; it and every second one from it take weight 2, a pair of
    // positions at a time.
    int total = 0;
    std::size_t i = digits.size();
    for (; i >= 2; i -= 2)
        total += value_of(kMsiDoubledValues, digits[i - 1]) + value_of(kDigitValues, digits[i - 2]);
    if (i == 1) total += value_of(kMsiDoubledValues, digits[0]);
    return complement_digit(total);
}

namespace {

// Each entry keeps a per-thread result of its own, valid until its own next call.
template <int Entry>
const char* msi_result(const char* digits) {
    thread_local char result[2] = {};
    result[0] = MSICheckDigit(digits == nullptr ? std::string_view{} : std::string_view{digits});
    return result;
}

}  // namespace

const char* CalcMSICheckDigit(const char* digits) {
    return msi_result<0>(digits);
}

const char* uCalcMSICheckDigit(const char* digits) {
    return msi_result<1>(digits);
}

}  // namespace orbx
