#include "encoders/universal/uni_code128_sets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoders/universal/universal_font.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using Encode = test::BoundEncoder;
using Result = test::Encoded;
using test::run_encoder;

Encode readable(long tilde) {
    return
        [tilde](char* d, char* o, long c) { return Orbelantrix_Universal_C128HR(d, tilde, o, c); };
}

TEST(UniversalCode128Sets, FixedSetTable) {
    const Encode a = Orbelantrix_Universal_C128A;
    const Encode b = Orbelantrix_Universal_C128B;
    const Encode c = Orbelantrix_Universal_C128C;
    struct Row {
        Encode encode;
        std::string data;
        std::string expected;
    };
    const Row rows[] = {
        {a, "ABC", "EDBACGCAGCCEEFFGIAH"},    // 0: worked example
        {b, "abc", "EBDBAHBDEDAFEMEGIAH"},    // 1: worked example
        {c, "12345", "EBJFEFIEIAIGBANGIAH"},  // 2: worked example: encoded as 012345
        {c, "12a34", "EBJAFJCAGBBMGIAH"},     // 3: worked example: the letter is ignored
        {c, "x", "EBJFFEGIAH"},               // 4: worked example: no digits, check 2
        {c, "0", "EBJEFFFFEGIAH"},            // 5: a single digit becomes 00
        {b, "\x7f", "EBDAMCAOAGIAH"},         // 6: DEL is value 95
        {a, "\x60", "EDBADFADFGIAH"},         // 7: 96 stands for NUL (64) in set A
        {a, "\x89", "EDBEBJFFEGIAH"},         // 8: 137 gives value 105
        {a, "\x01", "EDBEFFGIAH"},            // 9: nothing to write: the check is 103 mod 103 = 0
        {b,
         "a\x01\x8A\xFF"
         "b",
         "EBDBAHBDEAMCGIAH"},  // 10: bytes outside 32 to 137 are skipped
    };
    test::expect_rows(rows, [&](const auto& row) { return run_encoder(row.encode, row.data); });
}

TEST(UniversalCode128Sets, LongestFixedSetSymbolFits) {
    // 512 characters: start, 512 values, check (3 letters each) and the 4 stop letters.
    const Result r = run_encoder(Orbelantrix_Universal_C128A, std::string(600, 'A'));
    EXPECT_EQ(r.status, kStatusOk);
    EXPECT_EQ(r.text.size(), 3u * 514 + 4);
}

TEST(UniversalCode128Sets, HumanReadableTable) {
    using Row = test::TildeRow;
    const Row rows[] = {
        // 0: worked example: the check digit, then the tab shown as a space
        {"12345~m05 X~009Y", 1, "123457 X Y"},
        // 1: worked example: two FNC1s with the AIs 01 and 10
        {"~202011234567890123~20210ABC123", 1, " (01) 1234567890123 (10) ABC123"},
        // 2: the same without tilde processing is plain text
        {"~202011234567890123~20210ABC123", 0, "~202011234567890123~20210ABC123"},
        {"\xD4"
         "012345",
         0, " (01) 2345"},  // 3: 212: a two-digit AI
        {"\xD5"
         "2345X",
         0, " (234) 5X"},  // 4: 213: three digits
        {"\xD5"
         "401",
         0, "401"},  // 5: 213 too near the end, and 40 needs four characters after it
        {"\xDA"
         "123456789",
         0, " (12345678) 9"},  // 6: 218: eight digits
        {"\xDA"
         "1234567",
         0, " (12) 34567"},  // 7: 218 too near the end: the length follows from 12
        {"\xD8"
         "123456789",
         0, " (123456) 789"},  // 8: 216: six digits
        {"\xCA"
         "8005123",
         0, " (8005) 123"},  // 9: AI 80nn
        {"\xCA"
         "4101",
         0, " (410) 1"},  // 10: AI 41n
        {"\xCA"
         "2345",
         0, " (234) 5"},  // 11: AI 23n
        {"\xCA"
         "5012",
         0, "5012"},  // 12: 50 with four characters: the FNC1 shows nothing
        {"\xCA"
         "50123",
         0, " (5012) 3"},  // 13: otherwise four digits when there is room
        {"\xCA"
         "12",
         0, "12"},                // 14: two characters are too few for the AI 12
        {"AB\xCA", 0, "AB\xCA"},  // 15: an FNC1 near the end is shown as it is
        {"A\xC5"
         "B\x1f"
         "C",
         0, "A B C"},               // 16: FNC2 and control characters as spaces
        {"~m05123", 1, "~m05123"},  // 17: ~m as the first character is plain text
        {"X~abcY", 1, "XY"},        // 18: ~abc is the code 0, which is dropped
        {"A~000B", 1, "AB"},        // 19: so is ~000
        {"~-12", 1, "\xF4"},        // 20: the low byte of -12
        {"A~m0", 1, "A~m0"},        // 21: too near the end for an escape
        {"12~mxx9", 1, "1239"},     // 22: no number after ~m: every digit before it counts
        // 23: the second escape's walk jumps over the first escape, unlike the symbol encoders
        {"12~m01~m02", 1, "1243"},
        {"1~ab5~m01", 1, "17"},        // 24: ~ab5 also counts as an escape to jump over
        {"a1b2c3~m02", 1, "a1b2c39"},  // 25: the last two digits, letters passed over
        {"ab~m05cd", 1, "ab~m05cd"},   // 26: no digit before it: plain text
    };
    test::expect_rows(rows,
                      [&](const auto& row) { return run_encoder(readable(row.tilde), row.data); });
}

TEST(UniversalCode128Sets, Statuses) {
    const Encode encoders[] = {Orbelantrix_Universal_C128A, Orbelantrix_Universal_C128B,
                               Orbelantrix_Universal_C128C, readable(1)};
    for (std::size_t i = 0; i < std::size(encoders); ++i) {
        SCOPED_TRACE(i);
        std::vector<char> out(16, '\0');
        EXPECT_EQ(encoders[i](nullptr, out.data(), 16), kStatusNullData);
        EXPECT_EQ(run_encoder(encoders[i], "").status, kStatusEmptyData);
        // A buffer too small for the result is left alone.
        std::string data = "1234";
        EXPECT_EQ(encoders[i](data.data(), out.data(), 4), kStatusRefused);
        EXPECT_EQ(std::string(out.data()), "");
    }
}

}  // namespace
}  // namespace orbx
