#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoders/databar/databar.h"
#include "encoders/databar/databar_limited.h"
#include "support/linear_encode.h"
#include "support/threads.h"

namespace orbx {
namespace {

using Result = test::Encoded;

using Entry = int (*)(char*, char*, long);

Result run(Entry entry, const std::string& data, long capacity = 2048) {
    return test::run_encoder(entry, data, capacity);
}

// Stacked column text from the three module rows written as "0"/"1" strings.
std::string stacked_columns(const std::string& top, const std::string& sep,
                            const std::string& bottom) {
    const std::string table = "ajklmnoT";
    std::string text;
    for (std::size_t c = 0; c < top.size(); ++c)
        text += table[(bottom[c] - '0') * 4 + (sep[c] - '0') * 2 + (top[c] - '0')];
    return text;
}

// The module rows of a Stacked Omnidirectional second line, read back from its characters.
struct SecondLine {
    std::string belowTop, middle, aboveBottom, bottom;
};

SecondLine decode_second_line(const std::string& line) {
    const std::string table = "apqrstuvwxyz";
    SecondLine rows;
    for (char c : line) {
        const auto v = table.find(c);
        EXPECT_NE(v, std::string::npos) << c;
        rows.belowTop += static_cast<char>('0' + (v & 1));
        rows.middle += static_cast<char>('0' + ((v >> 1) & 1));
        rows.aboveBottom += static_cast<char>('0' + ((v >> 2) & 1));
        rows.bottom += static_cast<char>('0' + ((v >> 3) & 1));
    }
    return rows;
}

TEST(DataBarOmni, VerifyUserData) {
    struct Row {
        std::string data;
        std::string type;
        std::string expected;
    };
    const Row rows[] = {
        {"0000000000000", "Databar", "0000000000000"},       // 0: worked example, all zero
        {"12345678901231", "Databar", "1234567890123"},      // 1: GTIN-14, check digit dropped
        {"12345678901239", "Databar", "1234567890123"},      // 2: worked example, last char differs
        {"1234567890128", "Databar", "0123456789012"},       // 3: worked example, EAN-13 padded
        {"01234567890128", "Databar", "0123456789012"},      // 4: ... same as its GTIN-14
        {"123456789012345678", "Databar", "1234567890123"},  // 5: worked example, first 14 count
        {"1A2B3C4D5E6F7G", "Databar", "1000000234567"},      // 6: zeros behind the first digit
        {"ABCDEFGHIJKLMN", "Databar", "0000000000000"},      // 7: no digit at all
        {"", "Databar", "0000000000000"},                    // 8
        {"12", "DatabarStacked", "0000000000001"},           // 9: the 2 is the check digit place
        {"(01)1234567890", "DatabarStackedOmnidirectional", "0001123456789"},      // 10
        {"12345678901231", "DatabarTruncated", "1234567890123"},                   // 11
        {"12345678901231", "DatabarLimited", "1234567890123"},                     // 12
        {"", "Databar Expanded", "0000000000000"},                                 // 13
        {"(01)12345678901231", "Databar Expanded", "(01)12345678901231"},          // 14
        {"ab|c\xCA{\xE9}#$@[\\]^`~", "Databar Expanded", "abc\xCA"},               // 15: FNC1 kept
        {"*,-./!\"%&'()+:;<=>?_ ", "Databar Expanded", "*,-./!\"%&'()+:;<=>?_ "},  // 16
        {std::string(100, 'A'), "Databar Expanded", std::string(70, 'A')},         // 17
        {"|||", "Databar Expanded", ""},  // 18: nothing of the set left
        {"1234", "databar", "1234"},      // 19: type names are exact
    };
    test::expect_each(rows, [&](const auto& row) { return VerifyUserData(row.data, row.type); });
}

TEST(DataBarOmni, FontEncode) {
    // {widths, font text}
    const test::TextRow rows[] = {
        {"11", "a1"},      // 0: the guard
        {"1234", "a2c4"},  // 1
        {"9988", "i9h8"},  // 2
        {"192", "a9b"},    // 3: an odd last width stands alone
        {"103", "ac"},     // 4: a non-width contributes nothing
        {"", ""},          // 5
    };
    test::expect_each(rows, [&](const auto& row) { return FontEncode(row.data); });
}

TEST(DataBarOmni, CheckSum) {
    struct Row {
        std::string c1, c2Reversed, c3Reversed, c4;
        int expected;
    };
    const Row rows[] = {
        // 0: every weight once: 120 + 243 + 340 + 412 = 1115
        {"11111111", "11111111", "11111111", "11111111", 9},
        // 1: the first width of character 1 takes weight 1: 2 + 119
        {"21111111", "00000000", "00000000", "00000000", 42},
        // 2: the first width of reversed character 2 is its last element, weight 58: 116 + 185
        {"00000000", "21111111", "00000000", "00000000", 64},
        // 3: ... and of reversed character 3 weight 74: 148 + 266
        {"00000000", "00000000", "21111111", "00000000", 19},
        // 4: the last width of character 4 takes weight 59: 353 + 118
        {"00000000", "00000000", "00000000", "11111112", 76},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Row& r = rows[i];
        EXPECT_EQ(CalculateDatabarCheckSum(r.c1, r.c2Reversed, r.c3Reversed, r.c4), r.expected);
    }
}

TEST(DataBarOmni, CheckSumToFinders) {
    struct Row {
        int checksum;
        std::string left, right;
        bool special;
    };
    const Row rows[] = {
        {0, "38211", "11283", false},   // 0: k 0
        {7, "38211", "11751", false},   // 1: k 7, the last before the skip
        {8, "35511", "11283", false},   // 2: worked example, k 9: finders 1 and 0
        {3, "38211", "11913", true},    // 3: right finder 3
        {11, "35511", "11913", true},   // 4: k 12, right finder 3 again
        {70, "15711", "11931", false},  // 5: k 71
        {71, "13911", "11553", false},  // 6: worked example, k 73: finders 8 and 1
        {78, "13911", "11931", false},  // 7: k 80
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        std::string left = "stale";
        std::string right = "R";
        EXPECT_EQ(CalculateCheckCharWidths(rows[i].checksum, left, right), rows[i].special);
        EXPECT_EQ(left, rows[i].left);
        EXPECT_EQ(right, "R" + rows[i].right);  // appended
    }
}

// All four data characters 0: Outside odd 1128, even 1111, Inside odd 1112, even 1117; the
// checksum 248 + 663 + 729 + 812 = 2452 mod 79 = 3 gives finders 0 and 3.
const std::string kZeroWidths = std::string("11") + "11112181" + "38211" + "72111111" + "11111127" +
                                "11913" + "18121111" + "11";

TEST(DataBarOmni, BarWidths) {
    struct Row {
        std::string digits;
        std::string expected;
        bool special;
    };
    const Row rows[] = {
        {"0000000000000", kZeroWidths, true},  // 0: worked example, characters all 0
        {"99999999999999", "", false},         // 1: beyond what the symbol carries
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        bool special = true;
        EXPECT_EQ(GetDatabarBarWidths(rows[i].digits, special), rows[i].expected);
        EXPECT_EQ(special, rows[i].special);
    }
}

TEST(DataBarOmni, EntryPoints) {
    struct Row {
        const char* name;
        Entry entry;
        std::string data;
        int status;
        std::string expected;
    };
    const std::string zeroFont = FontEncode(kZeroWidths);
    // Rows of the all-zero symbol as modules; the top and bottom rows agree with an independent
    // DataBar Stacked encoder.
    const std::string top = "01010100100000000100011111111001011111110010101010";
    const std::string sep = "00001011011111111010100000001010100000001101000000";
    const std::string bottom = "10101010110000000101111111110111011111111011010101";
    const Row rows[] = {
        {"omni", Orbelantrix_DataBar_DataBar, "0000000000000", 0,
         "a1a1a1b1h1c8b1a7b1a1a1a1a1a1a2g1a9a3a8a2a1a1a1"},                        // 0
        {"omni", Orbelantrix_DataBar_DataBar, "", 1, ""},                          // 1
        {"omni64", Orbelantrix_DataBar_DataBar64, "00000000000000", 0, zeroFont},  // 2
        {"stacked", Orbelantrix_DataBar_DataBarStacked, "0", 0,
         stacked_columns(top, sep, bottom)},                         // 3
        {"stacked", Orbelantrix_DataBar_DataBarStacked, "", 1, ""},  // 4
        {"stacked64", Orbelantrix_DataBar_DataBarStacked64, "0", 0,
         stacked_columns(top, sep, bottom)},                                            // 5
        {"omnistacked", Orbelantrix_DataBar_DataBarStackedOmniDirectional, "", 1, ""},  // 6
        {"omni", Orbelantrix_DataBar_DataBar, "ABC", 0, zeroFont},  // 7: no digit, 13 zeros
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Result r = run(rows[i].entry, rows[i].data);
        EXPECT_EQ(r.status, rows[i].status) << rows[i].name;
        EXPECT_EQ(r.text, rows[i].expected) << rows[i].name;
    }
    EXPECT_EQ(zeroFont, rows[0].expected);
    EXPECT_EQ(Orbelantrix_DataBar_DataBar(nullptr, nullptr, 0), 1);
}

TEST(DataBarOmni, StackedOmniAllZero) {
    // The five module rows of the all-zero symbol. They agree with an independent encoder except
    // for the separator above the bottom row: the right finder has index 3, so that separator is
    // light over the finder but for column 28.
    const Result r = run(Orbelantrix_DataBar_DataBarStackedOmniDirectional, "0000000000000");
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.text.size(), 101u);
    EXPECT_EQ(r.text[50], '\r');
    std::string top;
    for (char c : r.text.substr(0, 50))
        top += c == 'w' ? '1' : c == 'a' ? '0' : '?';
    EXPECT_EQ(top, "01010100100000000100011111111001011111110010101010");
    const SecondLine rows = decode_second_line(r.text.substr(51));
    EXPECT_EQ(rows.belowTop, "00001011011111111010100000000100100000001101010000");
    EXPECT_EQ(rows.middle, "00000101010101010101010101010101010101010101010000");
    EXPECT_EQ(rows.aboveBottom, "00000101001111111000000000001000100000000100100000");
    EXPECT_EQ(rows.bottom, "10101010110000000101111111110111011111111011010101");
}

// Symbols whose right finder has index 3 get a single dark separator module, at column 28, over
// the bottom row's finder.
TEST(DataBarOmni, StackedOmniSpecialCase) {
    int found = 0;
    for (long long v = 0; found < 20 && v < 100000; ++v) {
        std::string digits = std::to_string(v * 7919);
        digits = std::string(13 - digits.size(), '0') + digits;
        bool special = false;
        GetDatabarBarWidths(digits, special);
        if (!special) continue;
        ++found;
        SCOPED_TRACE(digits);
        const Result r = run(Orbelantrix_DataBar_DataBarStackedOmniDirectional, digits + "0");
        ASSERT_EQ(r.status, 0);
        ASSERT_EQ(r.text.size(), 101u);
        const SecondLine rows = decode_second_line(r.text.substr(51));
        EXPECT_EQ(rows.aboveBottom.substr(18, 14), "00000000001000");
        EXPECT_EQ(rows.bottom[28], '0');
    }
    EXPECT_EQ(found, 20);
}

// Whatever the data, the texts keep their lengths and alphabets, and the guards stand at both
// ends.
TEST(DataBarOmni, OutputShapes) {
    std::vector<std::string> inputs = {"0",
                                       "9",
                                       "99999999999999",
                                       "12345678901231",
                                       "A",
                                       std::string(2048, '9'),
                                       std::string(2048, 'x')};
    std::string all;
    for (int b = 1; b <= 255; ++b)
        all += static_cast<char>(b);
    inputs.push_back(all);
    for (int i = 0; i < 300; ++i)
        inputs.push_back(std::to_string(1000003LL * i * i + 77LL * i));
    for (const std::string& data : inputs) {
        SCOPED_TRACE(data.substr(0, 20));
        const Result omni = run(Orbelantrix_DataBar_DataBar, data);
        ASSERT_EQ(omni.status, 0);
        ASSERT_EQ(omni.text.size(), 46u);
        EXPECT_EQ(omni.text.substr(0, 2), "a1");
        EXPECT_EQ(omni.text.substr(44), "a1");
        const Result stacked = run(Orbelantrix_DataBar_DataBarStacked, data);
        ASSERT_EQ(stacked.status, 0);
        ASSERT_EQ(stacked.text.size(), 50u);
        EXPECT_EQ(stacked.text.find_first_not_of("ajklmnoT"), std::string::npos);
        const Result so = run(Orbelantrix_DataBar_DataBarStackedOmniDirectional, data);
        ASSERT_EQ(so.status, 0);
        ASSERT_EQ(so.text.size(), 101u);
        EXPECT_EQ(so.text.find('\r'), 50u);
        EXPECT_EQ(so.text.find_first_not_of("aw"), 50u);
        EXPECT_EQ(so.text.find_first_not_of("apqrstuvwxyz", 51), std::string::npos);
    }
}

TEST(DataBarOmni, RefusesWhatDoesNotFit) {
    struct Row {
        Entry entry;
        long capacity;
        int status;
    };
    const Row rows[] = {
        {Orbelantrix_DataBar_DataBar, 46, 1},                         // 0: no room for the zero
        {Orbelantrix_DataBar_DataBar, 47, 0},                         // 1
        {Orbelantrix_DataBar_DataBarStacked, 50, 1},                  // 2
        {Orbelantrix_DataBar_DataBarStacked, 51, 0},                  // 3
        {Orbelantrix_DataBar_DataBarStackedOmniDirectional, 101, 1},  // 4
        {Orbelantrix_DataBar_DataBarStackedOmniDirectional, 102, 0},  // 5
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Result r = run(rows[i].entry, "12345678901231", rows[i].capacity);
        EXPECT_EQ(r.status, rows[i].status);
        EXPECT_EQ(r.text.empty(), rows[i].status != 0);
    }
}

// Calls from many threads at once give what one thread alone gives: nothing is shared between
// calls.
TEST(DataBarOmni, ConcurrentCallsGiveTheSerialResults) {
    const Entry entries[] = {Orbelantrix_DataBar_DataBar, Orbelantrix_DataBar_DataBarStacked,
                             Orbelantrix_DataBar_DataBarStackedOmniDirectional,
                             Orbelantrix_DataBar_DataBarLimited};
    std::vector<std::string> inputs;
    std::vector<std::string> serial;
    for (int i = 0; i < 64; ++i) {
        inputs.push_back(std::to_string(1000000000000LL + 104729LL * i * i) + "0");
        for (Entry e : entries)
            serial.push_back(run(e, inputs.back()).text);
    }
    test::ExpectNoThreadWrong(8, [&](int t) {
        int wrong = 0;
        for (int round = 0; round < 100; ++round) {
            const std::size_t i = static_cast<std::size_t>((t * 13 + round) % 64);
            for (std::size_t e = 0; e < std::size(entries); ++e) {
                if (run(entries[e], inputs[i]).text != serial[i * std::size(entries) + e]) ++wrong;
            }
        }
        return wrong;
    });
}

}  // namespace
}  // namespace orbx
