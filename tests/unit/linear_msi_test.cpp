#include <gtest/gtest.h>

#include <string>

#include "encoders/linear/msi.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using test::run_encoder;

// The check digit as first defined: the odd-position digits from the right form a number, which
// is doubled in decimal and its digits summed; the even-position digits are added as they are.
char check_by_doubling(const std::string& digits) {
    std::string number;
    int even_sum = 0;
    for (std::size_t k = 0; k < digits.size(); ++k) {
        const char d = digits[digits.size() - 1 - k];
        if (k % 2 == 0)
            number += d;
        else
            even_sum += d - '0';
    }
    int carry = 0;
    int digit_sum = 0;
    for (auto it = number.rbegin(); it != number.rend(); ++it) {
        const int v = 2 * (*it - '0') + carry;
        digit_sum += v % 10;
        carry = v / 10;
    }
    digit_sum += carry;
    return static_cast<char>('0' + (10 - (digit_sum + even_sum) % 10) % 10);
}

TEST(MSI, Table) {
    const test::TextRow rows[] = {
        {"1234567", "(12345674)"},  // 0: worked example: 15062 gives 14, even sum 12, total 26
        {"80523", "(805234)"},      // 1: worked example: 716 gives 14, even sum 2, total 16
        {"12-34", "(12344)"},       // 2: same as 1234: 84 gives 12, even sum 4
        {"1234", "(12344)"},        // 3
        {"abc", "(0)"},             // 4: no digit, check 0
        {"9", "(91)"},              // 5: 18 gives 9
    };
    test::expect_encoder_rows(Orbelantrix_MSI, rows, 1024);
}

TEST(MSI, LongDigitTextsMatchTheDoublingRule) {
    // Far beyond any machine integer: 30 digits, and the 512 characters the adapter passes.
    std::string d30 = "987654321098765432109876543210";
    std::string d512;
    for (int i = 0; i < 512; ++i)
        d512 += static_cast<char>('0' + (i * 7 + 3) % 10);
    for (const std::string& digits : {d30, d512}) {
        SCOPED_TRACE(digits.size());
        const auto r = run_encoder(Orbelantrix_MSI, digits, 1024);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.text, "(" + digits + check_by_doubling(digits) + ")");
    }
}

TEST(MSI, EmptyNullAndOversizedDataRefused) {
    test::expect_empty_and_null_refused(Orbelantrix_MSI, 1024);
    test::expect_refused(Orbelantrix_MSI, std::string(2048, '1'), 1024);
}

}  // namespace
}  // namespace orbx
