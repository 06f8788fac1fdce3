#include <gtest/gtest.h>

#include <string>

#include "encoders/linear/postnet.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using test::run_encoder;

TEST(Postnet, Table) {
    const std::pair<std::string, std::string> rows[] = {
        {"12345", "(123455)"},                 // 0: worked example, sum 15
        {"12345-6789", "(1234567895)"},        // 1: worked example, ZIP+4, sum 45
        {"55555", "(555555)"},                 // 2: sum 25
        {"19", "(190)"},                       // 3: sum 10, check 0
        {"123 45 6789 01", "(123456789014)"},  // 4: 11 digits, sum 46
        {"abc", "(0)"},                        // 5: no digit
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const auto r = run_encoder(Orbelantrix_Postnet, rows[i].first, 1024);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.text, rows[i].second);
    }
}

TEST(Postnet, EmptyNullAndOversizedDataRefused) {
    EXPECT_EQ(run_encoder(Orbelantrix_Postnet, "", 1024).status, 1);
    char out[4] = {};
    EXPECT_EQ(Orbelantrix_Postnet(nullptr, out, sizeof out), 1);
    const auto r = run_encoder(Orbelantrix_Postnet, std::string(2048, '1'), 1024);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.untouched);
}

}  // namespace
}  // namespace orbx
