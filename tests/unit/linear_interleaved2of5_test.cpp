#include <gtest/gtest.h>

#include <string>

#include "encoders/linear/interleaved2of5.h"
#include "support/bytes.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using test::bytes;
using test::run_encoder;

using Row = test::TextRow;

TEST(Interleaved2of5, Table) {
    const Row rows[] = {
        {"12345", bytes({203, 34, 56, 78, 204})},  // 0: worked example, padded to 012345
        {"12-34", bytes({203, 45, 67, 204})},      // 1: worked example, same as 1234
        {"9899", bytes({203, 201, 202, 204})},     // 2: worked example, pairs 98 and 99
        {"9300", bytes({203, 126, 33, 204})},      // 3: worked example, pairs 93 and 00
        {"9495", bytes({203, 197, 198, 204})},     // 4: first pairs above "~"
        {"abc", bytes({203, 204})},                // 5: no digit
        {"7", bytes({203, 40, 204})},              // 6: 07
    };
    test::expect_encoder_rows(Orbelantrix_Interleaved2of5, rows);
}

TEST(Interleaved2of5Mod10, Table) {
    const Row rows[] = {
        // 0: worked example: sum 60, check 0, 12345670
        {"1234567", bytes({203, 45, 67, 89, 103, 204})},
        // 1: worked example: sum 45, check 5, 1234565 padded in front to 01234565
        {"123456", bytes({203, 34, 56, 78, 98, 204})},
        {"abc", bytes({203, 33, 204})},        // 2: no digit: padding 0 and check 0
        {"1-2x3", bytes({203, 45, 69, 204})},  // 3: 123: sum 3*3 + 2 + 1*3 = 14, check 6
        {"9", bytes({203, 126, 204})},         // 4: sum 27, check 3, pair 93
    };
    test::expect_encoder_rows(Orbelantrix_Interleaved2of5Mod10, rows);
}

TEST(Interleaved2of5, EmptyAndNullDataRefused) {
    for (auto encoder : {Orbelantrix_Interleaved2of5, Orbelantrix_Interleaved2of5Mod10})
        test::expect_empty_and_null_refused(encoder);
}

TEST(Interleaved2of5, LongDataInFullOrRefused) {
    // 2048 digits are 1024 pairs: start, pairs and stop take 1026 bytes, encoded in full in the
    // adapter's 2048-byte buffer; a buffer without room for them and the zero gets nothing.
    std::string d2048;
    for (int i = 0; i < 1024; ++i)
        d2048 += "12";
    const auto full = run_encoder(Orbelantrix_Interleaved2of5, d2048, 2048);
    EXPECT_EQ(full.status, 0);
    EXPECT_EQ(full.text, "\xCB" + std::string(1024, '-') + "\xCC");
    EXPECT_EQ(run_encoder(Orbelantrix_Interleaved2of5, d2048, 1027).status, 0);
    test::expect_refused(Orbelantrix_Interleaved2of5, d2048, 1026);

    // With the check digit: 2049 digits, padded to 1025 pairs. The 1024 pairs "12" weigh
    // 1024 * (2*3 + 1) = 7168, check 2: the pairs are 01, then 21 up to the last, 22.
    const auto mod10 = run_encoder(Orbelantrix_Interleaved2of5Mod10, d2048, 2048);
    EXPECT_EQ(mod10.status, 0);
    ASSERT_EQ(mod10.text.size(), 1027u);
    EXPECT_EQ(mod10.text[1], '"');
    EXPECT_EQ(mod10.text.substr(2, 1023), std::string(1023, '6'));
    EXPECT_EQ(mod10.text[1025], '7');
    EXPECT_EQ(run_encoder(Orbelantrix_Interleaved2of5Mod10, d2048, 1027).status, 1);
}

}  // namespace
}  // namespace orbx
