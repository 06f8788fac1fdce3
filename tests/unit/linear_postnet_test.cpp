#include <gtest/gtest.h>

#include <string>

#include "encoders/linear/postnet.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using test::run_encoder;

TEST(Postnet, Table) {
    const test::TextRow rows[] = {
        {"12345", "(123455)"},                 // 0: worked example, sum 15
        {"12345-6789", "(1234567895)"},        // 1: worked example, ZIP+4, sum 45
        {"55555", "(555555)"},                 // 2: sum 25
        {"19", "(190)"},                       // 3: sum 10, check 0
        {"123 45 6789 01", "(123456789014)"},  // 4: 11 digits, sum 46
        {"abc", "(0)"},                        // 5: no digit
    };
    test::expect_encoder_rows(Orbelantrix_Postnet, rows, 1024);
}

TEST(Postnet, EmptyNullAndOversizedDataRefused) {
    test::expect_empty_and_null_refused(Orbelantrix_Postnet, 1024);
    test::expect_refused(Orbelantrix_Postnet, std::string(2048, '1'), 1024);
}

}  // namespace
}  // namespace orbx
