#include "encoders/databar/databar_limited.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoders/databar/databar.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using Result = test::Encoded;

Result limited(const std::string& data, long capacity = 2048) {
    return test::run_encoder(Orbelantrix_DataBar_DataBarLimited, data, capacity);
}

// Both characters of the all-zero symbol are 11111111116163; the checksum 951 + 1309 = 2260 mod
// 89 = 35 selects the check pattern 11131111212111.
const std::string kZeroWidths =
    std::string("11") + "11111111116163" + "11131111212111" + "11111111116163" + "11";

TEST(DataBarLimited, CheckSumPattern) {
    struct Row {
        int checksum;
        std::string expected;
    };
    const Row rows[] = {
        {0, "11111111113311"},   // 0
        {35, "11131111212111"},  // 1
        {88, "21111111221211"},  // 2
        {89, ""},                // 3: beyond the table
        {-1, ""},                // 4
    };
    test::expect_each(
        rows, [&](const auto& row) { return GetDatabarLimitedCheckSumPattern(row.checksum); });
}

TEST(DataBarLimited, CheckSum) {
    struct Row {
        std::string left, right;
        int expected;
    };
    const Row rows[] = {
        {"11111111116163", "11111111116163", 35},  // 0: worked example, all-zero characters
        {"11111111116163", "00000000000000", 61},  // 1: left alone, 951
        {"00000000000000", "11111111116163", 63},  // 2: right alone, 1309
        {"20000000000000", "00000000000001", 76},  // 3: first weight 1, last 74
    };
    test::expect_each(rows, [&](const auto& row) {
        return CalculateDatabarLimitedCheckSum(row.left, row.right);
    });
}

TEST(DataBarLimited, BarWidths) {
    struct Row {
        std::string digits;
        std::string expected;
    };
    const Row rows[] = {
        {"0000000000000", kZeroWidths},  // 0: worked example
        {"4054468172041", ""},           // 1: left value beyond the Limited characters
        {"9999999999999", ""},           // 2
    };
    test::expect_each(rows,
                      [&](const auto& row) { return GetDatabarLimitedBarWidths(row.digits); });
    // The largest value the symbol carries: both characters at the top of group 7.
    const std::string top = GetDatabarLimitedBarWidths("4054468172040");
    ASSERT_EQ(top.size(), 46u);
    EXPECT_EQ(top.substr(2, 14), "18161111111111");
    EXPECT_EQ(top.substr(30, 14), "18161111111111");
}

TEST(DataBarLimited, EntryPoint) {
    struct Row {
        std::string data;
        int status;
        std::string expected;
    };
    const std::string zeroFont = FontEncode(kZeroWidths);
    const Row rows[] = {
        {"0000000000000", 0,
         "a1a1a1a1a1a1f1f3a1a3a1a1b1b1a1a1a1a1a1a1f1f3a1"},  // 0: worked example
        {"", 1, ""},                                         // 1
        {"x", 0, zeroFont},                                  // 2: no digit, 13 zeros
        {"40544681720409", 0, ""},        // 3: the largest value (text checked below)
        {"40544681720410", 1, ""},        // 4: one more: refused
        {"99999999999999", 1, ""},        // 5
        {"00000000000009", 0, zeroFont},  // 6: the check digit place is ignored
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Result r = limited(rows[i].data);
        EXPECT_EQ(r.status, rows[i].status);
        if (i != 3) {
            EXPECT_EQ(r.text, rows[i].expected);
        }
        if (r.status == 0) {
            ASSERT_EQ(r.text.size(), 46u);
            EXPECT_EQ(r.text.substr(0, 2), "a1");
            EXPECT_EQ(r.text.substr(44), "a1");
        }
    }
    EXPECT_EQ(zeroFont, rows[0].expected);
    EXPECT_EQ(Orbelantrix_DataBar_DataBarLimited(nullptr, nullptr, 0), 1);
    std::string in = "0";
    std::vector<char> out(64, '\0');
    EXPECT_EQ(Orbelantrix_DataBar_DataBarLimited64(in.data(), out.data(), 64), 0);
    EXPECT_EQ(std::string(out.data()), zeroFont);
    EXPECT_EQ(limited("0", 46).status, 1);  // no room for the terminating zero
    EXPECT_EQ(limited("0", 47).status, 0);
}

// Symbols across the whole range: both characters fill 26 modules, the check character 18.
TEST(DataBarLimited, EveryCharacterFillsItsModules) {
    for (int value = 0; value <= 2013570; value += 101) {
        const std::string digits =
            std::to_string(static_cast<long long>(value) * 2013571 + (2013570 - value));
        const std::string padded = std::string(13 - digits.size(), '0') + digits;
        const std::string w = GetDatabarLimitedBarWidths(padded);
        ASSERT_EQ(w.size(), 46u) << padded;
        int left = 0, check = 0, right = 0;
        for (int i = 0; i < 14; ++i) {
            left += w[2 + i] - '0';
            check += w[16 + i] - '0';
            right += w[30 + i] - '0';
        }
        ASSERT_EQ(left, 26) << padded;
        ASSERT_EQ(check, 18) << padded;
        ASSERT_EQ(right, 26) << padded;
    }
}

}  // namespace
}  // namespace orbx
