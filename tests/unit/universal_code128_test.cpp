#include "encoders/universal/uni_code128.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoders/universal/uni_code128_sets.h"
#include "encoders/universal/universal_font.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using Result = test::Encoded;

template <typename Encode>
Result run(Encode encode, const std::string& data) {
    return test::run_encoder(encode, data);
}

Result c128(const std::string& data, long tilde) {
    return run(
        [tilde](char* d, char* o, long c) { return Orbelantrix_Universal_C128(d, tilde, o, c); },
        data);
}

Result ucc128(const std::string& data) {
    return run(Orbelantrix_Universal_UCC128, data);
}

Result c128b(const std::string& data) {
    return run(Orbelantrix_Universal_C128B, data);
}

TEST(UniversalCode128, AutomaticEncoderTable) {
    using Row = test::TildeRow;
    const Row rows[] = {
        // 0: worked example: Start C, 12, 34, 56, check 44
        {"123456", 1, "EBJAFJCAGKAECEIGIAH"},
        // 1: worked example: Start C, 12, 34, CODE B, the digit 5, check 54
        {"12345", 1, "EBJAFJCAGAMIEJBIAGGIAH"},
        // 2: worked example: the odd run gives its first digit to set B, then CODE C, 23, 45
        {"AB12345", 1, "EBDACGCAGBJEAIMIEIAIGBGBGIAH"},
        // 3: worked example: set B throughout, check 64
        {"Code 128", 1, "EBDCCECMADBEAFDEFFBJEFJAIBFADFGIAH"},
        // 4: worked example: the FNC1 escape selects Start C
        {"~2020112345678901231", 1, "EBJMAIFEFAFJCAGKAEHABEMEAFJEGEDFAGIAH"},
        // 5: a run met in set C is paired from its start; its last digit falls back to set B
        {"123456789", 1, "EBJAFJCAGKAEHABAMIJAFCMAGIAH"},
        // 6: set A keeps the printable characters 33 to 95 once it is current
        {"\x01"
         "AB",
         1, "EDBBAHACGCAGIFBGIAH"},
        // 7: FNC2 met in set C goes through CODE B
        {"1234~197", 1, "EBJAFJCAGAMIMACECIGIAH"},
        // 8: worked example: the control character switches to set A (CODE A, 65), d back to B
        {"abc\x01"
         "def",
         1, "EBDBAHBDEDAFIAMBAHAMIDBEAFDAHBEMEGIAH"},
        // 9: worked example: a leading space selects Start B
        {" A", 1, "EBDEFFACGDAFGIAH"},
        // 10: worked example: a space met in set A switches to set B
        {"\x01 ", 1, "EDBBAHAMIEFFKEAGIAH"},
        // 11: a first byte of 212 or more selects Start C even without a meaning of its own
        {"\xE9"
         "AB",
         1, "EBJAMIACGCAGADFGIAH"},
        // 12: a first byte that selects no start gets Start B, and is dropped
        {"\xA0"
         "AB",
         1, "EBDACGCAGMAIGIAH"},
        // 13: ~000 is the control character NUL, value 64 in set A
        {"~000", 1, "EDBADFADFGIAH"},
        // 14: DEL is dropped
        {"A\x7f"
         "B",
         1, "EBDACGCAGMAIGIAH"},
        // 15: a byte of 128 to 255 without a function meaning is dropped
        {"A\xE9"
         "B",
         0, "EBDACGCAGMAIGIAH"},
        // 16: an FNC1 code of 203 to 211 starts in set C like 202
        {"~2050112345678901231", 1, "EBJMAIFEFAFJCAGKAEHABEMEAFJEGEDFAGIAH"},
    };
    test::expect_rows(rows, [&](const auto& row) { return c128(row.data, row.tilde); });
}

TEST(UniversalCode128, SetBOnlyDataMatchesTheFixedSetBEncoder) {
    // Data that the automatic encoder keeps in set B gives the symbol of the fixed set B.
    const std::string rows[] = {
        "~202",         // 0: tilde processing off: four ordinary characters
        "Hello World",  // 1
        "a1b22c333",    // 2: no run of four digits
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(c128(rows[i], 0).text, c128b(rows[i]).text);
    }
}

TEST(UniversalCode128, Statuses) {
    std::vector<char> out(2048, '\0');
    EXPECT_EQ(Orbelantrix_Universal_C128(nullptr, 1, out.data(), 2048), kStatusNullData);
    EXPECT_EQ(Orbelantrix_Universal_UCC128(nullptr, out.data(), 2048), kStatusNullData);
    const Result empty = c128("", 1);
    EXPECT_EQ(empty.status, kStatusEmptyData);
    EXPECT_TRUE(empty.untouched);
    EXPECT_EQ(ucc128("").status, kStatusEmptyData);
}

TEST(UniversalCode128, SymbolLongerThanTheBufferIsRefused) {
    // Alternating sets on every character: 1 + 2 x 512 values, more than 2048 letters.
    std::string data;
    for (int i = 0; i < 256; ++i)
        data += "a\x01";
    const Result r = c128(data, 1);
    EXPECT_NE(r.status, kStatusOk);
    EXPECT_TRUE(r.untouched);
    // Half the data fits.
    EXPECT_EQ(c128(data.substr(0, 256), 1).status, kStatusOk);
}

TEST(UniversalCode128, OnlyTheFirst512CharactersAreEncoded) {
    EXPECT_EQ(c128(std::string(600, 'x'), 1).text, c128(std::string(512, 'x'), 1).text);
    EXPECT_NE(c128(std::string(511, 'x'), 1).text, c128(std::string(512, 'x'), 1).text);
}

TEST(UniversalCode128, ProcessTildeTable) {
    const test::TextRow rows[] = {
        {"12345~m05", "123457"},         // 0: worked example
        {"A~065B", "AAB"},               // 1: worked example
        {"A~12", "A\x0c"},               // 2: worked example: two digits at the end
        {"~m05", "0"},                   // 3: worked example: no digits before it
        {"12~m1", "124"},                // 4: one digit after ~m at the end
        {"~~065", "~A"},                 // 5: no escaped tilde in the Universal escapes
        {"~300", ","},                   // 6: the code modulo 256
        {"~256", std::string(1, '\0')},  // 7: code 0
        {"AB~6", "AB~6"},                // 8: the last two characters never begin an escape
        {"A~1", "A~1"},                  // 9
        {"123~m02", "1239"},             // 10: only the last two digits count
        {"1a2b~m03", "1a2b3"},           // 11: fewer digits than asked, letters passed over
        {"12~m01~m01", "1248"},          // 12: a check digit counts for the next escape
        {"~049~m01", "17"},              // 13: so does a digit made by a character escape
        {"~m5x", "~m5x"},                // 14: a non-digit after ~m5
        {"9~m00", "90"},                 // 15: k = 0
        {"~abc", "~abc"},                // 16
    };
    test::expect_each(
        rows, [&](const auto& row) { return Orbelantrix_Universal_ProcessTilde(row.data); });
}

TEST(UniversalCode128, UccEan128Table) {
    const std::string gs1 = "EBJMAIFEFAFJCAGKAEHABEMEAFJEGEDFAGIAH";
    using Row = test::TextRow;
    const Row rows[] = {
        {"0112345678901231", gs1},      // 0: worked example: Start C, FNC1, 01, ..., check 74
        {"~2020112345678901231", gs1},  // 1: worked example: an escaped FNC1 gets no second one
        {"\xCA"
         "0112345678901231",
         gs1},  // 2: so does a raw FNC1
        {"\xD4"
         "0112345678901231",
         gs1},                          // 3: and an FNC1 with an AI length
        {"~2120112345678901231", gs1},  // 4: the same by escape
        {"~2030112345678901231", gs1},  // 5: every FNC1 code counts as the leading FNC1
    };
    test::expect_rows(rows, [&](const auto& row) { return ucc128(row.data); });
}

TEST(UniversalCode128, UccAddedFnc1CountsAgainstThe512Characters) {
    const std::string digits(520, '1');
    EXPECT_EQ(ucc128(digits).text, c128("\xCA" + digits.substr(0, 511), 0).text);
    EXPECT_EQ(ucc128("~202" + digits).text, c128("\xCA" + digits.substr(0, 508), 0).text);
}

}  // namespace
}  // namespace orbx
