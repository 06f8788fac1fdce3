#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "encoders/databar/databar.h"
#include "encoders/databar/databar_expanded.h"
#include "encoders/databar/databar_expanded_encodation.h"
#include "encoders/databar/databar_widths.h"
#include "support/linear_encode.h"
#include "support/threads.h"

namespace orbx {
namespace {

// "^" in test data stands for FNC1.
std::string fnc1(std::string text) {
    for (char& c : text) {
        if (c == '^') c = FNC_1;
    }
    return text;
}

std::string bin(int value, int width) {
    std::string bits;
    for (int b = width - 1; b >= 0; --b)
        bits += ((value >> b) & 1) != 0 ? '1' : '0';
    return bits;
}

// The compressed field of the GTIN 12345678901231: indicator 1, then 234 567 890 123.
const std::string kGtin1234Field =
    "0001" + bin(234, 10) + bin(567, 10) + bin(890, 10) + bin(123, 10);

// Widths of an Expanded character value in natural order.
std::string char_widths(int value) {
    const auto g = SetExpandedDataValues(value);
    const int v = value - g->sumOfPreviousGroups;
    return GetCharacterWidths(*g, v / g->evenSubsetTotalValue, v % g->evenSubsetTotalValue, 4,
                              false, true);
}

using Result = test::Encoded;

Result run(const std::string& data, long segments, long capacity = 20480) {
    return test::run_encoder(
        [segments](char* d, char* o, long c) {
            return Orbelantrix_DataBar_DataBarExpanded(d, segments, o, c);
        },
        data, capacity);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\r', start);
        out.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return out;
        start = end + 1;
    }
}

// The lines of the symbol for `data`, which must be encoded.
std::vector<std::string> encoded_lines(const std::string& data, long segments) {
    const Result r = run(data, segments);
    EXPECT_EQ(r.status, 0);
    return lines(r.text);
}

// Bit `bit` of each second-line character (row x 8 + upper separator x 4 + middle x 2 + lower
// separator), as "0"/"1".
std::string second_line_bits(const std::string& line, int bit) {
    const std::string table = "apqrstuvwxyz";
    std::string bits;
    for (char c : line) {
        const auto v = table.find(c);
        EXPECT_NE(v, std::string::npos) << c;
        bits += static_cast<char>('0' + ((v >> bit) & 1));
    }
    return bits;
}

std::string first_line_bits(const std::string& line) {
    std::string bits;
    for (char c : line) {
        EXPECT_TRUE(c == 'a' || c == 'w') << c;
        bits += c == 'w' ? '1' : '0';
    }
    return bits;
}

TEST(DataBarExpanded, EncodationMethod) {
    // {data, method}
    const test::TextRow rows[] = {
        {"(01)12345678901231", "1"},               // 0: worked example
        {"(01)92345678901234(3103)000123", "00"},  // 1: worked example, GTIN starting with 9
        {"(01)", "1"},                             // 2: worked example, no GTIN at all
        {"(01)1234567890123", "00"},               // 3: only 13 characters after (01)
        {"(01)12345678901231(10)AB", "1"},         // 4
        {"(10)AB", "00"},                          // 5
        {"(01", "00"},                             // 6: three characters or fewer
        {"(01)9", "00"},                           // 7
        {"0112345678901231", "00"},                // 8: no parentheses, no (01)
    };
    test::expect_each(rows, [](const auto& row) { return GetDatabarEncodationMethod(row.data); });
}

TEST(DataBarExpanded, MethodFields) {
    struct Row {
        std::string method;
        std::string data;
        std::string compressed;
        std::string general;
    };
    const Row rows[] = {
        {"1", "(01)12345678901231", kGtin1234Field, ""},            // 0: check digit not carried
        {"1", "(01)12345678901231(10)AB", kGtin1234Field, "10AB"},  // 1
        {"1", "(01)123456789012", "", ""},                          // 2: GTIN too short
        {"1", "(01)1234A678901231", "", ""},                        // 3: not a number
        // 4: only positions 4 to 11 must be digits; a group reads up to its first non-digit
        {"1", "(01)12345678A0123", "0001" + bin(234, 10) + bin(567, 10) + bin(8, 10) + bin(123, 10),
         ""},
        {"1", "(01)123456789012319", kGtin1234Field, "9"},  // 5
        {"1", "(01)", "", ""},                              // 6: worked example, nothing encoded
        {"00", "(10)AB(21)12", "", "10AB2112"},             // 7: parentheses dropped
        {"00", "(01)92345678901234(3103)000123", "", "01923456789012343103000123"},  // 8
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        std::string compressed = "stale";
        std::string general = "stale";
        EncodeDatabarExtended(rows[i].method, rows[i].data, compressed, general);
        EXPECT_EQ(compressed, rows[i].compressed);
        EXPECT_EQ(general, rows[i].general);
    }
}

TEST(DataBarExpanded, GeneralPurposeField) {
    struct Row {
        std::string text;
        int methodLength;
        int compressedLength;
        std::string bits;
        bool numericLast;
    };
    const Row rows[] = {
        // 0: worked example, the last digit 5 paired with FNC1 in 7 bits
        {"12345", 2, 0,
         "0010101"
         "0101101"
         "1001001",
         true},
        // 1: worked example, the same digit in 4 bits where 6 bits are left in the character
        {"12345", 1, 12,
         "0010101"
         "0101101"
         "0110",
         true},
        // 2: worked example, A and B alphanumeric, back to numeric before four digits
        {"AB1234", 2, 0,
         "0000"
         "100000"
         "100001"
         "000"
         "0010101"
         "0101101",
         true},
        // 3: worked example, a lower-case letter latches to ISO/IEC 646
        {"Ab", 2, 0,
         "0000"
         "100000"
         "00100"
         "1011011",
         false},
        // 4: FNC1 in alphanumeric mode returns to numeric mode (same bits as zint)
        {"10AB^2112", 2, 0,
         "0010011"
         "0000"
         "100000"
         "100001"
         "01111"
         "0011111"
         "0010101",
         true},
        // 5: FNC1 in ISO/IEC 646 mode returns to numeric mode too
        {"ab^12", 2, 0,
         "0000"
         "00100"
         "1011010"
         "1011011"
         "01111"
         "0010101",
         true},
        // 6: ISO/IEC 646 looks ahead to four digits and latches to numeric
        {"a1234", 2, 0,
         "0000"
         "00100"
         "1011010"
         "000"
         "0010101"
         "0101101",
         true},
        // 7: ISO/IEC 646 looks ahead to five alphanumerics and latches to alphanumeric
        {"aBCDEF", 2, 0,
         "0000"
         "00100"
         "1011010"
         "00100"
         "100001"
         "100010"
         "100011"
         "100100"
         "100101",
         false},
        {"", 2, 0, "", true},  // 8: empty field counts as numeric
        // 9: a digit and FNC1 make a numeric pair (11 x 1 + 10 + 8)
        {"1^2", 2, 0,
         "0011101"
         "0101000",
         true},
        {"^1", 2, 0, "1110111", true},  // 10: FNC1 and a digit (11 x 10 + 1 + 8)
        // 11: two FNC1 are no numeric pair: each goes through alphanumeric mode
        {"^^", 2, 0,
         "0000"
         "01111"
         "0000"
         "01111",
         true},
        // 12: the alphanumeric punctuation marks
        {"A*,-./", 2, 0,
         "0000"
         "100000"
         "111010"
         "111011"
         "111100"
         "111101"
         "111110",
         false},
        // 13: ISO/IEC 646 letters and punctuation, no look-ahead with three characters left
        {"a !", 2, 0,
         "0000"
         "00100"
         "1011010"
         "11111100"
         "11101000",
         false},
        // 14: six digits ahead latch back to numeric
        {"A123456", 2, 0,
         "0000"
         "100000"
         "000"
         "0010101"
         "0101101"
         "1000101",
         true},
        // 15: five digits ahead do not, the last four do
        {"A12345", 2, 0,
         "0000"
         "100000"
         "00110"
         "000"
         "0100001"
         "0111001",
         true},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        bool numericLast = !rows[i].numericLast;
        EXPECT_EQ(EncodeGeneralPurposeField(fnc1(rows[i].text), rows[i].methodLength,
                                            rows[i].compressedLength, 22, numericLast),
                  rows[i].bits);
        EXPECT_EQ(numericLast, rows[i].numericLast);
    }
}

TEST(DataBarExpanded, BinaryHelpers) {
    EXPECT_EQ(ConvertToBinary(0), "0");
    EXPECT_EQ(ConvertToBinary(5), "101");
    EXPECT_EQ(ConvertToBinary(4095), "111111111111");
    EXPECT_EQ(ConvertBinaryToDec("000000101101"), 45);
    EXPECT_EQ(ConvertBinaryToDec("111111111111"), 4095);
    EXPECT_EQ(Convert12DigitsToBinary("234567890123"),
              bin(234, 10) + bin(567, 10) + bin(890, 10) + bin(123, 10));
    EXPECT_EQ(Convert12DigitsToBinary("12A999000001"),
              bin(12, 10) + bin(999, 10) + bin(0, 10) + bin(1, 10));
    EXPECT_EQ(DoNumericEncoding("0099", 7), bin(8, 7) + bin(116, 7));
    EXPECT_EQ(DoNumericEncoding(fnc1("9^"), 7), bin(117, 7));
}

TEST(DataBarExpanded, IsoLookAhead) {
    struct Row {
        std::string rest;
        std::string latch;
    };
    const Row rows[] = {
        {"1234", "000"},           // 0: four numeric characters
        {"12^4AB*", "000"},        // 1: FNC1 counts as numeric, alphanumerics may follow
        {"1234a", ""},             // 2: a lower-case letter in the first ten
        {"1234567890a", "000"},    // 3: ... but not beyond them
        {"ABCDE", "00100"},        // 4: five alphanumerics
        {"ABCD", ""},              // 5: four are not enough
        {"ABCD^", ""},             // 6: FNC1 is not alphanumeric
        {"ABCDEFGHIJk", "00100"},  // 7: only the first ten count
        {"a1234", ""},             // 8
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ISOEncodingCheckAhead(fnc1(rows[i].rest)), rows[i].latch);
    }
}

TEST(DataBarExpanded, UnusedBits) {
    struct Row {
        int bits;
        int segs;
        int unused;
    };
    const Row rows[] = {
        {48, 22, 0},      // 0: worked example, 4 data characters
        {48, 4, 12},      // 1: worked example, no last row of one symbol character
        {19, 22, 17},     // 2: at least 3 data characters
        {240, 4, 12},     // 3: 21 symbol characters would leave one in the last row of 4
        {240, 22, 0},     // 4
        {252, 22, 0},     // 5: the largest symbol
        {253, 22, -253},  // 6: beyond it
        {49, 2, 11},      // 7: with 2 segments per row every symbol has an even count
        {37, 2, 23},      // 8
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(GetUnusedBits(rows[i].bits, rows[i].segs), rows[i].unused);
    }
}

TEST(DataBarExpanded, BinaryString) {
    struct Row {
        std::string data;
        int segs;
        std::string bits;
    };
    const Row rows[] = {
        // 0: worked example, B = 48, 5 symbol characters (same bits as zint)
        {"(01)12345678901231", 22,
         "0"
         "1"
         "10" +
             kGtin1234Field},
        // 1: worked example, 6 symbol characters: a latch and the pad pattern fill the sixth
        {"(01)12345678901231", 4,
         "0"
         "1"
         "00" +
             kGtin1234Field +
             "0000"
             "00100001"},
        // 2: (01) alone: the method and the padding, 4 symbol characters
        {"(01)", 22,
         "0"
         "1"
         "00"
         "0000"
         "00100"
         "00100"
         "00100"
         "00100"
         "00100"
         "001"},
        // 3: the smallest symbol, 4 symbol characters (same bits as zint)
        {"(10)1", 22, "000000010011001110100000010000100001"},
        // 4: an alphanumeric text padded in alphanumeric mode
        {"(10)A", 22,
         "0"
         "00"
         "00"
         "0010011"
         "0000"
         "100000"
         "00100"
         "00100"
         "0010"},
        // 5: 23 symbol characters do not fit
        {std::string(41, 'A'), 22, ""},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(GetDatabarExpandedBinaryString(rows[i].data, rows[i].segs), rows[i].bits);
    }
    // 40 letters fill 22 symbol characters: odd-count bit 0, more-than-14 bit 1.
    const std::string largest = GetDatabarExpandedBinaryString(std::string(40, 'A'), 22);
    ASSERT_EQ(largest.size(), 252u);
    EXPECT_EQ(largest.substr(0, 5), "00001");
}

TEST(DataBarExpanded, SegmentsPerRow) {
    struct Row {
        long given;
        int segs;
    };
    const Row rows[] = {
        {0, 22},         // 0: worked example, the default
        {23, 22},        // 1: worked example
        {-5, 22},        // 2: worked example
        {3, 4},          // 3: worked example, odd values go up
        {5, 6},          // 4: worked example
        {1, 2},          // 5
        {2, 2},          // 6
        {21, 22},        // 7
        {22, 22},        // 8
        {LONG_MAX, 22},  // 9
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(NormaliseDataBarExpandedSegments(rows[i].given), rows[i].segs);
    }
    // Through the entry point: a symbol of 6 symbol characters is one row with 6 segments per
    // row and stacked with 4.
    const std::string data = "(01)12345678901231";
    const std::string single = run(data, 22).text;
    EXPECT_EQ(single.find('\r'), std::string::npos);
    for (long s : {0L, 23L, -5L, 6L, 5L})
        EXPECT_EQ(run(data, s).text, single) << s;
    const std::string stacked = run(data, 4).text;
    EXPECT_NE(stacked.find('\r'), std::string::npos);
    EXPECT_EQ(run(data, 3).text, stacked);
}

TEST(DataBarExpanded, FinderPatterns) {
    using Finders = std::vector<std::string_view>;
    EXPECT_EQ(GetDatabarExpandedFinderPatterns(4), (Finders{"18411", "11481"}));
    EXPECT_EQ(GetDatabarExpandedFinderPatterns(5), (Finders{"18411", "11463", "36411"}));
    EXPECT_EQ(GetDatabarExpandedFinderPatterns(6), GetDatabarExpandedFinderPatterns(5));
    EXPECT_EQ(GetDatabarExpandedFinderPatterns(13),
              (Finders{"18411", "11562", "36411", "11823", "26511", "11922", "22911"}));
    EXPECT_EQ(GetDatabarExpandedFinderPatterns(16),
              (Finders{"18411", "11481", "36411", "11463", "34611", "11643", "32811", "11823"}));
    EXPECT_EQ(GetDatabarExpandedFinderPatterns(22),
              (Finders{"18411", "11481", "36411", "11463", "34611", "11823", "32811", "11562",
                       "26511", "11922", "22911"}));
    EXPECT_TRUE(GetDatabarExpandedFinderPatterns(3).empty());
    EXPECT_TRUE(GetDatabarExpandedFinderPatterns(23).empty());
}

// The check character leads the width text; its values agree with zint's symbols. Its widths
// are written out: the value's group, its split into odd and even subset values, and those
// subsets' sequences in lexicographic order, counted apart from the encoder.
TEST(DataBarExpanded, CheckCharacter) {
    // {data, widths of the check character}
    const test::TextRow rows[] = {
        {"(01)12345678901231", "41112251"},       // 0: 5 symbol characters, check 211 + 82
        {"(10)AB^(21)12", "12115133"},            // 1: check 211 + 187
        {"(01)00012345678905(10)A", "22123241"},  // 2: 7 symbol characters, check 633 + 129
        {"(10)1", "21125141"},                    // 3: 4 symbol characters, check 158
    };
    test::expect_each(rows, [](const auto& row) {
        return GetDatabarExpandedBarWidths(VerifyUserData(fnc1(row.data), "Databar Expanded"), 22)
            .substr(0, 8);
    });
    // The data characters as stored: the first (a right character) reversed.
    const std::string bits = GetDatabarExpandedBinaryString("(10)1", 22);
    std::vector<std::string> chars;
    for (std::size_t n = 0; n < 3; ++n) {
        std::string w = char_widths(ConvertBinaryToDec(bits.substr(12 * n, 12)));
        if (n % 2 == 0) w = std::string(w.rbegin(), w.rend());
        chars.push_back(w);
    }
    EXPECT_EQ(CalculateDatabarExpCheckSum(chars), 158);
}

TEST(DataBarExpanded, SingleRow) {
    // Worked example: 4 symbol characters, finders A1 and A2, 46 widths and 102 modules.
    const std::string widths = GetDatabarExpandedBarWidths("(10)1", 22);
    ASSERT_EQ(widths.size(), 42u);
    EXPECT_EQ(widths.substr(8, 5), "18411");
    EXPECT_EQ(widths.substr(29, 5), "11481");
    const Result r = run("(10)1", 0);
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.text.size(), 102u);
    const std::string modules = first_line_bits(r.text);
    // Guards: a light and a dark module at each end.
    EXPECT_EQ(modules.substr(0, 2), "01");
    EXPECT_EQ(modules.substr(100), "01");

    // With 22 segments per row even the largest symbol is one row: 22 characters, 11 finders.
    const Result largest = run(std::string(40, 'A'), 22);
    EXPECT_EQ(largest.status, 0);
    EXPECT_EQ(largest.text.size(), 4u + 22 * 17 + 11 * 15);
    EXPECT_EQ(largest.text.find_first_not_of("aw"), std::string::npos);
}

TEST(DataBarExpanded, OutOfRange) {
    // 23 symbol characters: the message, with the failing status.
    const Result r = run(std::string(41, 'A'), 0);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.text, "Data out of range.");
    EXPECT_EQ(r.text.size(), 18u);
    // Stacked or not, it is the same data.
    EXPECT_EQ(run(std::string(41, 'A'), 4).text, "Data out of range.");
    // A buffer too small for the message gets nothing.
    EXPECT_EQ(run(std::string(41, 'A'), 0, 18).text, "");
    // Characters outside the set are dropped before counting.
    EXPECT_EQ(run(std::string(40, 'A') + "{}~", 0).status, 0);
}

TEST(DataBarExpanded, RefusedCalls) {
    EXPECT_EQ(run("", 0).status, 1);
    EXPECT_EQ(run("", 0).text, "");
    char out[16] = {};
    EXPECT_EQ(Orbelantrix_DataBar_DataBarExpanded(nullptr, 0, out, sizeof out), 1);
    EXPECT_EQ(out[0], '\0');
    // Nothing but dropped characters: an empty general-purpose field, the smallest symbol.
    EXPECT_EQ(run("{}", 0).text.size(), 102u);
    // A result that does not fit the buffer is refused, not cut.
    EXPECT_EQ(run("(10)1", 0, 102).status, 1);
    EXPECT_EQ(run("(10)1", 0, 102).text, "");
    EXPECT_EQ(run("(10)1", 0, 103).status, 0);
    // The twin forwards its arguments.
    std::string data = "(10)1";
    std::vector<char> twin(256, '\0');
    EXPECT_EQ(Orbelantrix_DataBar_DataBarExpanded64(data.data(), 0, twin.data(), 256), 0);
    EXPECT_EQ(std::string(twin.data()), run("(10)1", 0).text);
}

TEST(DataBarExpanded, StackedShortEvenRowIsShifted) {
    // Worked example: 4 segments per row, 3 finders; the second row holds one segment pair,
    // is not reversed and starts with a two-module space (the row agrees with zint's).
    const Result r = run("(01)12345678901231", 4);
    ASSERT_EQ(r.status, 0);
    const auto rows = lines(r.text);
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[0].size(), 102u);
    ASSERT_EQ(rows[1].size(), 102u);
    EXPECT_EQ(r.text.find('\n'), std::string::npos);
    EXPECT_EQ(second_line_bits(rows[1], 3),
              "001001010000111110110001111110000101000011000001001010" + std::string(48, '0'));
}

TEST(DataBarExpanded, StackedRowsRunBothWays) {
    // 8 symbol characters, 4 finders, 4 segments per row: the second row is full and reversed,
    // so it starts with its dark guard module.
    const std::string data = "(01)12345678901231(21)123456";
    ASSERT_EQ(GetDatabarExpandedBinaryString(data, 4).size(), 84u);
    const auto rows = encoded_lines(data, 4);
    ASSERT_EQ(rows.size(), 2u);
    const std::string top = first_line_bits(rows[0]);
    const std::string bottom = second_line_bits(rows[1], 3);
    EXPECT_EQ(top.substr(0, 2), "01");
    EXPECT_EQ(bottom.substr(0, 2), "10");
    EXPECT_EQ(bottom.substr(100), "10");
    // The middle row alternates between columns 5 and 97, dark on odd columns.
    EXPECT_EQ(
        second_line_bits(rows[1], 1), "00000" + [] {
            std::string m;
            for (int c = 5; c < 98; ++c)
                m += c % 2 == 1 ? '1' : '0';
            return m;
        }() + "0000");
    // With 6 segments per row the same symbol reads left to right in both rows, the second
    // starting with a dark module after the first row's three pairs.
    const auto six = lines(run(data, 6).text);
    ASSERT_EQ(six.size(), 2u);
    EXPECT_EQ(second_line_bits(six[1], 3).substr(0, 2), "10");
}

TEST(DataBarExpanded, SeparatorsAlternateUnderEveryFinder) {
    // 20 segments per row: ten finders in the first row. Under a finder the separator never
    // has two dark modules side by side, beyond the first three finders too.
    const std::string data = std::string(40, 'A');
    const auto rows = encoded_lines(data, 20);
    ASSERT_EQ(rows.size(), 2u);
    const std::string top = first_line_bits(rows[0]);
    const std::string lower = second_line_bits(rows[1], 0);
    ASSERT_EQ(top.size(), 4u + 10 * 49);
    for (std::size_t j = 0; j < 10; ++j) {
        SCOPED_TRACE(j);
        const std::size_t from = 19 + 49 * j;
        const std::string under = lower.substr(from, 15);
        EXPECT_EQ(under.find("11"), std::string::npos) << under;
        // Under the finder's dark modules the separator is light; elsewhere it alternates.
        for (std::size_t c = from; c < from + 15; ++c) {
            if (top[c] == '1') {
                EXPECT_EQ(lower[c], '0') << c;
            }
        }
    }
    // Outside the finders the separator is the complement of the row.
    for (std::size_t c = 5; c < 19; ++c)
        EXPECT_NE(lower[c], top[c]) << c;
}

TEST(DataBarExpanded, SeparatorsFollowTheFindersOfAReversedShortRow) {
    // 7 symbol characters, 4 finders, 4 segments per row: the second row holds a pair and a
    // half, read right to left, so its finders lie at columns 2-16 and 51-65.
    const std::string data = "(01)12345678901231(21)12";
    ASSERT_EQ(GetDatabarExpandedBinaryString(data, 4).size(), 72u);
    const auto rows = lines(run(data, 4).text);
    ASSERT_EQ(rows.size(), 2u);
    const std::string row = second_line_bits(rows[1], 3);
    const std::string upper = second_line_bits(rows[1], 2);
    ASSERT_EQ(row.find_last_of('1'), 83u);  // 85 modules, ending with the light guard module
    for (const auto& [from, to] : {std::pair<std::size_t, std::size_t>{4, 17}, {51, 66}}) {
        const std::string under = upper.substr(from, to - from);
        EXPECT_EQ(under.find("11"), std::string::npos) << from << ": " << under;
    }
    // Under the data characters the separator is the complement of the row.
    for (std::size_t c = 18; c < 51; ++c)
        EXPECT_NE(upper[c], row[c]) << c;
}

// Calls from many threads at once give what one thread alone gives.
TEST(DataBarExpanded, ConcurrentCallsGiveTheSerialResults) {
    std::vector<std::pair<std::string, long>> inputs;
    for (int i = 0; i < 32; ++i) {
        inputs.emplace_back("(01)1234567890123" + std::to_string(i % 10) + "(10)A" +
                                std::string(static_cast<std::size_t>(i), 'b') + "^(21)" +
                                std::to_string(i * 7919),
                            i % 12);
    }
    std::vector<std::string> expected;
    for (const auto& [data, segs] : inputs)
        expected.push_back(run(fnc1(data), segs).text);
    test::ExpectNoThreadWrong(8, [&](int t) {
        int wrong = 0;
        for (int round = 0; round < 64; ++round) {
            const std::size_t i = static_cast<std::size_t>((t * 11 + round) % 32);
            if (run(fnc1(inputs[i].first), inputs[i].second).text != expected[i]) ++wrong;
        }
        return wrong;
    });
}

}  // namespace
}  // namespace orbx
