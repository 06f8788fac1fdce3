#include <gtest/gtest.h>

#include <string>

#include "encoders/linear/codabar.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using test::run_encoder;

TEST(Codabar, Table) {
    const test::TextRow rows[] = {
        {"A123-45B", "A123-45B"},     // 0: the data's letters dropped, start and stop added
        {"c12.34d", "A12.34B"},       // 1
        {"$1,000.00", "A$1000.00B"},  // 2: comma dropped
        {"xyz", "AB"},                // 3: no valid character
        {"-$:/.+", "A-$:/.+B"},       // 4: every symbol kept
        {"1 2\xB3", "A12B"},          // 5: space and high byte dropped
    };
    test::expect_encoder_rows(Orbelantrix_Codabar, rows);
}

TEST(Codabar, EmptyAndNullDataRefused) {
    test::expect_empty_and_null_refused(Orbelantrix_Codabar);
}

TEST(Codabar, LongDataInFullOrRefused) {
    // 2048 digits give 2050 characters: beyond the adapter's 2048-byte buffer they are refused
    // with nothing written, and a buffer that holds them gets them all.
    const std::string d2048(2048, '5');
    test::expect_refused(Orbelantrix_Codabar, d2048, 2048);
    const auto full = run_encoder(Orbelantrix_Codabar, d2048, 2051);
    EXPECT_EQ(full.status, 0);
    EXPECT_EQ(full.text, "A" + d2048 + "B");
    // 2045 kept characters are the most the adapter's buffer holds with its terminating zero.
    const std::string d2045 = std::string(2045, '0') + "xyz";
    EXPECT_EQ(run_encoder(Orbelantrix_Codabar, d2045, 2048).text,
              "A" + std::string(2045, '0') + "B");
    EXPECT_EQ(run_encoder(Orbelantrix_Codabar, std::string(2046, '0'), 2048).status, 1);
}

}  // namespace
}  // namespace orbx
