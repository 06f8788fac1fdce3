#include "encoders/code128/code128_sets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "encoders/code128/code128.h"
#include "support/bytes.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using test::bytes;

using Result = test::Encoded;

enum class Set { kA, kB, kC };

Result encode_set(Set set, const std::string& data, long capacity = 2048) {
    const test::TextEncoder encoders[] = {Orbelantrix_Code128a, Orbelantrix_Code128b,
                                          Orbelantrix_Code128c};
    return test::run_encoder(encoders[static_cast<int>(set)], data, capacity);
}

Result human_readable(const std::string& data, long tilde = 1, long capacity = 2048) {
    return test::run_encoder(
        [tilde](char* d, char* o, long c) {
            return Orbelantrix_Code128HumanReadable(d, tilde, o, c);
        },
        data, capacity);
}

TEST(Code128Sets, FixedSetTable) {
    struct Row {
        Set set;
        std::string data;
        std::string expected;
    };
    const Row rows[] = {
        // 0: worked example
        {Set::kB, "Hello", bytes({204, 72, 101, 108, 108, 111, 108, 206})},
        // 1: worked example: the space is written as 194
        {Set::kB, "A B", bytes({204, 65, 194, 66, 65, 206})},
        // 2: worked example: check value 0 written as 194
        {Set::kA, "ABC", bytes({203, 65, 66, 67, 194, 206})},
        // 3: worked example: 12345 padded to 012345
        {Set::kC, "12345", bytes({205, 33, 55, 77, 113, 206})},
        // 4: worked example: A1B2C3 keeps 123, padded to 0123
        {Set::kC, "A1B2C3", bytes({205, 33, 55, 81, 206})},
        // 5: worked example: the pair 00 is 194
        {Set::kC, "00", bytes({205, 194, 34, 206})},
        // 6: worked example: no digits gives start, check for 105, stop
        {Set::kC, "ABC", bytes({205, 34, 206})},
        // 7: lower case stays in set A as it stands: no set change is inserted
        {Set::kA, "a", bytes({203, 97, (103 + 65) % 103 + 32, 206})},
        // 8: a control character is written as its own byte, unfiltered
        {Set::kB, "\x01", bytes({204, 1, (104 - 31) % 103 + 32, 206})},
        // 9: bytes from 135 up count as b - 100: 200 is value 100 (check 104 + 100 = 101)
        {Set::kB, "\xC8", bytes({204, 200, 201, 206})},
        // 10: the font draws 194 as value 0, so a data byte 194 counts 0 like a space
        {Set::kB, "\xC2", bytes({204, 194, 104 - 103 + 32, 206})},
        // 11: 127 is value 95 (check 104 + 95 = 199 -> 96, written as 196)
        {Set::kB, "\x7F", bytes({204, 127, 196, 206})},
        // 12: a single digit becomes the pair 05
        {Set::kC, "5", bytes({205, 37, (105 + 5) % 103 + 32, 206})},
        // 13: pairs 95 to 99 use the high font characters; 99 is value 99 -> 199
        {Set::kC, "99", bytes({205, 199, (105 + 99) % 103 + 100, 206})},
        // 14: control bytes read back as negative values: 103 - 31 x 15 = -362, which is 50
        // modulo 103 (not -53, which would be no font character at all)
        {Set::kA, "\x01\x01\x01\x01\x01", bytes({203, 1, 1, 1, 1, 1, 82, 206})},
        // 15: 103 - 30 - 6 x 2 - 31 x 3 = -32, which is 71 modulo 103 (a remainder of -32
        // would be written as the byte 0 and end the text before its stop character)
        {Set::kA, "\x02\x1A\x01", bytes({203, 2, 26, 1, 103, 206})},
    };
    test::expect_rows(rows, [](const auto& row) { return encode_set(row.set, row.data); });
}

TEST(Code128Sets, CheckCharacterWeighsPositions) {
    // Start B 104 + A(33)x1 + B(34)x2 + C(35)x3 = 310, mod 103 = 1, written as 33.
    EXPECT_EQ(encode_set(Set::kB, "ABC").text, bytes({204, 65, 66, 67, 33, 206}));
    // Swapping two characters changes the check: 104 + 34 + 33x2 + 35x3 = 309, value 0.
    EXPECT_EQ(encode_set(Set::kB, "BAC").text, bytes({204, 66, 65, 67, 194, 206}));
    // Set C: 105 + 12x1 + 34x2 + 56x3 = 353, mod 103 = 44, written as 76.
    EXPECT_EQ(encode_set(Set::kC, "123456").text, bytes({205, 44, 66, 88, 76, 206}));
}

TEST(Code128Sets, EmptyAndNullDataAreRefused) {
    for (auto fn : {Orbelantrix_Code128a, Orbelantrix_Code128b, Orbelantrix_Code128c}) {
        char out[16] = {};
        char empty[] = "";
        EXPECT_EQ(fn(nullptr, out, sizeof out), 1);
        EXPECT_EQ(fn(empty, out, sizeof out), 1);
        EXPECT_EQ(out[0], '\0');
    }
    char out[16] = {};
    char empty[] = "";
    EXPECT_EQ(Orbelantrix_Code128HumanReadable(nullptr, 1, out, sizeof out), 1);
    EXPECT_EQ(Orbelantrix_Code128HumanReadable(empty, 1, out, sizeof out), 1);
}

TEST(Code128Sets, LongDataIsEncodedInFullOrRefusedNeverCut) {
    // Far beyond 512 characters, encoded in full when the buffer holds the symbol.
    const std::string letters(2000, 'A');
    const Result b = encode_set(Set::kB, letters);
    EXPECT_EQ(b.status, 0);
    ASSERT_EQ(b.text.size(), 2003u);
    EXPECT_EQ(b.text.substr(1, 2000), letters);
    const std::string digits(2048, '7');
    const Result c = encode_set(Set::kC, digits);
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(c.text.size(), 1024u + 3u);
    // 2048 characters in set A need 2051 bytes and a zero: refused whole, nothing written.
    const Result a = encode_set(Set::kA, std::string(2048, 'A'));
    EXPECT_EQ(a.status, 1);
    EXPECT_TRUE(a.text.empty());
    EXPECT_EQ(encode_set(Set::kA, std::string(2048, 'A'), 2052).status, 0);
    // The printed line doubles FNC1 + AI data: 2047 bytes print as 4093.
    std::string ais;
    for (int i = 0; i < 682; ++i)
        ais +=
            "\xCA"
            "01";
    ais += 'X';
    EXPECT_EQ(human_readable(ais).status, 1);
    const Result hr = human_readable(ais, 1, 8192);
    EXPECT_EQ(hr.status, 0);
    EXPECT_EQ(hr.text.size(), 682u * 6u + 1u);
}

TEST(Code128HumanReadable, Table) {
    using Row = test::TildeRow;
    const Row rows[] = {
        // 0: worked example: FNC1 and AI 01
        {"\xCA"
         "0112345678901231",
         1, " (01) 12345678901231"},
        // 1-4: worked examples: three- and four-digit identifiers after FNC1
        {"\xCA"
         "2401234",
         1, " (240) 1234"},
        {"\xCA"
         "3103001234",
         1, " (3103) 001234"},
        {"\xCA"
         "8005123",
         1, " (8005) 123"},
        {"\xCA"
         "7001123456",
         1, " (7001) 123456"},
        // 5-6: worked examples: the marker carries the identifier length
        {"\xD4"
         "10ABC",
         1, " (10) ABC"},
        {"\xD5"
         "240X",
         1, " (240) X"},
        // 7-9: worked examples: ~009 is a space, ~197 prints nothing, ~202 is text
        {"A~009B", 1, "A B"},
        {"A~197B", 1, "AB"},
        {"A~202B", 1, "A~202B"},
        // 10: worked example: check-digit escape
        {"12345~m05", 1, "123457"},
        // 11-12: worked examples: ~~ drops both tildes, kept with tilde processing off
        {"AB~~CD", 1, "ABCD"},
        {"AB~~CD", 0, "AB~~CD"},
        // 13: worked example: three characters keep their tilde
        {"A~B", 1, "A~B"},
        // 14-15: worked examples: control character, bytes from 127 up
        {"\x09", 1, " "},
        {"A\x7F\x80\xC5\xFF"
         "B",
         1, "AB"},
        // 16: a malformed check-digit escape keeps its tilde
        {"12345~mX5", 1, "12345~mX5"},
        // 17: fewer than NN characters before the escape: the tilde is text
        {"12~m05", 1, "12~m05"},
        // 18: a tilde at position 1 is dropped
        {"1~m051", 1, "1m051"},
        // 19: FNC1 with only two characters after it is left out
        {"AB\xCA"
         "01",
         1, "AB01"},
        // 20: FNC1 at the last possible position; the four-digit identifier is cut short
        {"\xCA"
         "310",
         1, " (310) "},
        // 21: a marker without enough characters after it is left out
        {"\xD7"
         "12",
         1, "12"},
        // 22-24: identifier lengths by the first two digits
        {"\xCA"
         "2312345",
         1, " (231) 2345"},
        {"\xCA"
         "3712345",
         1, " (3712) 345"},
        {"\xCA"
         "9912345",
         1, " (99) 12345"},
        // 25: FNC1 not followed by two digits is left out
        {"\xCA"
         "A123",
         1, "A123"},
        // 26: control character 31 by escape is a space; 032 is not an escape of this line
        {"~031~032", 1, " ~032"},
        // 27: two identifiers in a row
        {"\xCA"
         "0112345678901231\xCA"
         "10AB",
         1, " (01) 12345678901231 (10) AB"},
    };
    test::expect_rows(rows, [](const auto& row) { return human_readable(row.data, row.tilde); });
}

TEST(Code128Sets, AnyBytesGiveWellFormedResults) {
    // Random data of bytes 1 to 255: the set encoders write every byte (A, B) or one character
    // per digit pair (C) between start and check, and the printed line holds only printable
    // ASCII apart from identifier characters.
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> byte(1, 255);
    std::uniform_int_distribution<int> length(1, 600);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        std::string data(static_cast<std::size_t>(length(rng)), ' ');
        for (char& c : data)
            c = static_cast<char>(byte(rng));
        const auto digits = static_cast<std::size_t>(
            std::count_if(data.begin(), data.end(), [](char c) { return c >= '0' && c <= '9'; }));
        const Result a = encode_set(Set::kA, data);
        ASSERT_EQ(a.status, 0);
        EXPECT_EQ(a.text.size(), data.size() + 3);
        EXPECT_EQ(static_cast<unsigned char>(a.text.back()), kCode128Stop);
        const Result c = encode_set(Set::kC, data);
        ASSERT_EQ(c.status, 0);
        EXPECT_EQ(c.text.size(), (digits + 1) / 2 + 3);
        // Identifier characters after FNC1 or a marker are printed as they stand; without
        // those, only printable ASCII comes out.
        std::replace_if(
            data.begin(), data.end(),
            [](char ch) {
                const int b = static_cast<unsigned char>(ch);
                return b == kCode128Fnc1 || (b >= 212 && b <= 217);
            },
            'x');
        for (long tilde : {0L, 1L}) {
            const Result hr = human_readable(data, tilde);
            ASSERT_EQ(hr.status, 0);
            EXPECT_TRUE(std::all_of(hr.text.begin(), hr.text.end(),
                                    [](char ch) { return ch >= 32 && ch <= 126; }));
        }
    }
}

}  // namespace
}  // namespace orbx
