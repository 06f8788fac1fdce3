#include "encoders/code128/code128.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/bytes.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using test::bytes;

using Result = test::Encoded;

Result code128(const std::string& data, long tilde = 1, long capacity = 2048) {
    return test::run_encoder(
        [tilde](char* d, char* o, long c) { return Orbelantrix_Code128(d, tilde, o, c); }, data,
        capacity);
}

Result ucc128(const std::string& data) {
    return test::run_encoder(Orbelantrix_UCC128, data);
}

TEST(Code128, FontRuleAndReadBack) {
    EXPECT_EQ(Code128FontChar(0), 194);
    EXPECT_EQ(Code128FontChar(1), 33);
    EXPECT_EQ(Code128FontChar(94), 126);
    EXPECT_EQ(Code128FontChar(95), 195);
    EXPECT_EQ(Code128FontChar(106), 206);
    for (int v = 0; v <= 106; ++v)
        EXPECT_EQ(Code128FontValue(Code128FontChar(v)), v) << v;
    EXPECT_EQ(Code128FontValue(127), 95);  // control character 31 in set A
    EXPECT_EQ(Code128FontValue(32), 0);
}

TEST(Code128, AutomaticEncoderTable) {
    using Row = test::TildeRow;
    const Row rows[] = {
        // 0: worked example: B, then Code C straight away for an even run of eight digits
        {"AB12345678", 1, bytes({204, 65, 66, 199, 44, 66, 88, 110, 89, 206})},
        {"1234", 1, bytes({205, 44, 66, 114, 206})},                // 1: starts in set C
        {"12345", 1, bytes({205, 44, 66, 200, 53, 86, 206})},       // 2: last digit in set B
        {"A12345", 1, bytes({204, 65, 49, 199, 55, 77, 96, 206})},  // 3: odd run gives 1 to B
        {"123", 1, bytes({204, 49, 50, 51, 40, 206})},              // 4: too short for set C
        {"A B", 1, bytes({204, 65, 194, 66, 65, 206})},             // 5: space as 194
        // 6: FNC1 escape then five pairs
        {"~2020123456789", 1, bytes({205, 202, 33, 55, 77, 99, 121, 123, 206})},
        {"~~", 1, bytes({204, 126, 195, 206})},               // 7: check value 95 as 195
        {"~300", 1, bytes({204, 126, 51, 48, 48, 71, 206})},  // 8: 300 is not an escape
        {"12345~m05", 1, bytes({205, 44, 66, 89, 79, 206})},  // 9: 123457 in set C
        {"\t", 1, bytes({203, 105, 105, 206})},               // 10: control character
        {"~009", 1, bytes({203, 105, 105, 206})},             // 11: the same as an escape
        {"A\xCA", 1, bytes({204, 65, 66, 206})},              // 12: last FNC1 dropped
        {"ABC", 0, bytes({204, 65, 66, 67, 33, 206})},        // 13
        {"\xC5"
         "A",
         1, bytes({204, 197, 65, 93, 206})},           // 14: FNC2 selects Start B
        {"~197A", 1, bytes({204, 197, 65, 93, 206})},  // 15: FNC2 by escape
        {"00", 1, bytes({204, 48, 48, 81, 206})},      // 16
        {"0000", 1, bytes({205, 194, 194, 34, 206})},  // 17: pair 00 as 194
    };
    test::expect_rows(rows, [](const auto& row) { return code128(row.data, row.tilde); });
}

TEST(Code128, TildeProcessingTable) {
    using Row = test::TextRow;
    const Row rows[] = {
        {"~202", bytes({202})},            // 0
        {"~212AB", bytes({212, 65, 66})},  // 1: AI-length marker
        {"~218", "~218"},                  // 2: 218 is not produced by an escape
        {"~000", "~000"},                  // 3
        {"~031~032", "\x1f~032"},          // 4
        {"~~~", "~~"},                     // 5
        {"AB~m0", "AB~m0"},                // 6: fewer than six characters
        {"~m0512", "~m0512"},              // 7: escape at position 0
        {"1~m051", "1~m051"},              // 8: escape at position 1
        {"12~m05", "12~m05"},              // 9: fewer than 05 characters before it
        {"12~m02", "123"},                 // 10: digits 1 and 2
        {"1A2~m03", "1A23"},               // 11: the letter is skipped
        {"ABC~m03", "ABC0"},               // 12: no digits gives 0
        {"123~mX5", "123~mX5"},            // 13: not two digits
        {"~12", "~12"},                    // 14: too short for ~NNN
        {"A~12", "A~12"},                  // 15
    };
    test::expect_each(rows, [&](const auto& row) { return Code128ProcessTilde(row.data); });
}

TEST(Code128, TildeOffKeepsEscapesAsText) {
    const Result r = code128("~202", 0);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.text.substr(0, 5), bytes({204, 126, 50, 48, 50}));
}

TEST(Code128, EmptyAndNullDataAreRefused) {
    char out[16] = {};
    EXPECT_EQ(Orbelantrix_Code128(nullptr, 1, out, sizeof out), 1);
    char empty[] = "";
    EXPECT_EQ(Orbelantrix_Code128(empty, 1, out, sizeof out), 1);
    EXPECT_EQ(out[0], '\0');
}

TEST(Code128, BytesWithoutMeaningAreDropped) {
    // A first character that selects no start gets Start B and is itself dropped.
    EXPECT_EQ(code128("\x80"
                      "A")
                  .text,
              code128("A").text);
    EXPECT_EQ(code128("A\x7f\xff"
                      "B")
                  .text,
              code128("AB").text);
}

TEST(Code128, SetAStaysForUpperCaseAndLeavesForLowerCase) {
    // Control character, then "A" stays in set A, "a" needs set B. Check value
    // (103 + 65 + 33 * 2 + 100 * 3 + 65 * 4) mod 103 = 73, the character 105.
    EXPECT_EQ(code128("\x01"
                      "Aa")
                  .text,
              bytes({203, 97, 65, 200, 97, 105, 206}));
}

TEST(Code128, LongDataIsEncodedInFullOrRefusedNeverCut) {
    // 1000 letters fit a 2048-byte buffer in full.
    const std::string letters(1000, 'A');
    const Result fits = code128(letters);
    EXPECT_EQ(fits.status, 0);
    EXPECT_EQ(fits.text.size(), 1003u);
    // Alternating control characters and lower case need two characters each: too long.
    std::string mixed;
    for (int i = 0; i < 1024; ++i)
        mixed += (i % 2 == 0) ? '\x01' : 'a';
    const Result refused = code128(mixed);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.text.empty());
    // The same data fits a larger buffer.
    EXPECT_EQ(code128(mixed, 1, 4096).status, 0);
}

TEST(Code128, ResultNeverReachesTheLastByteOfTheBuffer) {
    const Result exact = code128("ABC", 1, 6);  // 6 characters need 7 bytes with the zero
    EXPECT_EQ(exact.status, 1);
    EXPECT_EQ(code128("ABC", 1, 7).status, 0);
}

TEST(UCC128, ExactlyOneLeadingFnc1) {
    const std::string plain = ucc128("0112345678901231").text;
    EXPECT_EQ(plain.substr(0, 3), bytes({205, 202, 33}));
    EXPECT_EQ(ucc128("\xCA"
                     "0112345678901231")
                  .text,
              plain);
    EXPECT_EQ(ucc128("~2020112345678901231").text, plain);
    EXPECT_EQ(code128("~2020112345678901231").text, plain);
    // An AI-length marker counts as the leading FNC1 as well, and so does the raw marker 218.
    EXPECT_EQ(ucc128("~2120112345678901231").text, plain);
    EXPECT_EQ(ucc128("\xDA"
                     "0112345678901231")
                  .text,
              plain);
    EXPECT_EQ(code128("\xDA"
                      "0112345678901231")
                  .text,
              plain);
}

TEST(UCC128, EmptyDataGivesStartCheckStop) {
    const Result r = ucc128("");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.text, bytes({205, 34, 206}));
}

}  // namespace
}  // namespace orbx
