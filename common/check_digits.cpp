#include "common/check_digits.h"

#include <array>
#include <cstdint>

#include "common/utilities.h"

namespace orbx {

namespace {

int digit_value(char c) {
    const int code = static_cast<unsigned char>(c);
    return isNumeric(code) ? code - '0' : 0;
}

// digit_value of every byte.
constexpr std::array<std::uint8_t, 256> make_digit_values() {
    std::array<std::uint8_t, 256> values{};
    for (int d = 0; d <= 9; ++d)
        values[static_cast<std::size_t>('0' + d)] = static_cast<std::uint8_t>(d);
    return values;
}
constexpr auto kDigitValues = make_digit_values();

}  // namespace

char FindMod10Digit(std::string_view text) {
    // Weights 3 and 1 from the rightmost character: the two sums taken apart, a pair at a time.
    int threes = 0;
    int ones = 0;
    std::size_t i = text.size();
    for (; i >= 2; i -= 2) {
        threes += kDigitValues[static_cast<unsigned char>(text[i - 1])];
        ones += kDigitValues[static_cast<unsigned char>(text[i - 2])];
    }
    if (i == 1) threes += kDigitValues[static_cast<unsigned char>(text[0])];
    const int sum = 3 * threes + ones;
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

char FindMod10Digit(const char* text) {
    return FindMod10Digit(text == nullptr ? std::string_view{} : std::string_view{text});
}

char FindMod10Digit(const std::string& text) {
    return FindMod10Digit(std::string_view{text});
}

char MSICheckDigit(std::string_view digits) {
    // Position 1 is the rightmost digit. Twice an odd-position digit d adds the digit sum of 2d
    // (2d, or 2d - 9 from 5 on), which is what doubling the number they form and adding up the
    // product's digits comes to.
    int total = 0;
    bool odd = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        const int d = digit_value(*it);
        total += odd ? (d < 5 ? 2 * d : 2 * d - 9) : d;
        odd = !odd;
    }
    return static_cast<char>('0' + (10 - total % 10) % 10);
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
