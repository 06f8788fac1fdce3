#include "encoders/matrix/pdf417.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/status.h"
#include "encoders/matrix/pdf417_patterns.h"
#include "support/pdf417_symbol.h"

namespace orbx {
namespace {

std::vector<int> data_codewords(const std::string& data) {
    std::uint16_t out[kPdf417MaxCodewords];
    const int n = Pdf417DataCodewords(data, out, kPdf417MaxCodewords);
    return n < 0 ? std::vector<int>{-1} : std::vector<int>(out, out + n);
}

// The table against ISO/IEC 15438's definition of a codeword, as a reader measures it: the
// modules run bar, space, ... in 8 elements of 1 to 6 over 17 modules, the bars in their row's
// cluster, and no two values of a cluster alike.
TEST(Pdf417Patterns, AreTheStandardsCodewords) {
    for (int cluster = 0; cluster < 3; ++cluster) {
        SCOPED_TRACE(cluster);
        std::set<std::uint32_t> seen;
        for (int v = 0; v < kPdf417Values; ++v) {
            const std::uint32_t modules =
                Pdf417Modules(kPdf417Widths[static_cast<std::size_t>(cluster)][v]);
            std::vector<int> runs;
            for (int m = 16; m >= 0; --m) {
                const bool dark = (modules >> m) & 1u;
                if (runs.empty() || dark != (runs.size() % 2 == 1)) runs.push_back(0);
                ++runs.back();
            }
            ASSERT_EQ(runs.size(), 8u) << v;
            for (int w : runs)
                EXPECT_TRUE(w >= 1 && w <= 6) << v;
            EXPECT_EQ((runs[0] - runs[2] + runs[4] - runs[6] + 9) % 9, 3 * cluster) << v;
            EXPECT_TRUE(seen.insert(modules).second) << v;
        }
    }
}

struct CodewordRow {
    std::string data;
    std::vector<int> expected;
};

TEST(Pdf417Compaction, WorkedExamples) {
    const std::vector<CodewordRow> rows = {
        // 0: ISO/IEC 15438's example symbol data, "PDF417" in text compaction
        {"PDF417", {453, 178, 121, 239}},
        // 1: ISO/IEC 15438's numeric compaction example
        {"000213298174000", {902, 1, 624, 434, 632, 282, 200}},
        // 2: byte compaction: 924 before a multiple of 6 bytes, each 6 as 5 codewords in base 900
        {"\x80\x80\x80\x80\x80\x80", {924, 215, 312, 558, 104, 768}},
        // 3-8: the text sub-modes: alpha; ll; ll and as; ml; ps; ml pl (ISO/IEC 15438's text
        // compaction table)
        {"AB", {1}},
        {"Ab", {27, 59}},
        {"aBc", {810, 811, 89}},
        {"a1", {810, 841}},
        {"A;B", {29, 1}},
        {"A;<>", {28, 750, 32}},
        // 9: digits that end the data, in numeric compaction from 8
        {"123456789012", {902, 1, 641, 83, 621, 112}},
        // 10: 13 digits, then text latched back to
        {"1234567890123AB", {902, 17, 110, 836, 811, 223, 900, 1}},
        // 11: a single byte between text runs, shifted to (913)
        {"AB\x80"
         "CDEFG",
         {1, 913, 128, 63, 125, 209}},
        // 12: 901 for bytes that are not a multiple of 6, then a latch to text
        {"\x80\x80\x80\x80\x80\x80\x80", {901, 215, 312, 558, 104, 768, 128}},
        {"\x80\x80"
         "abcde",
         {901, 128, 128, 900, 810, 32, 94}},
        // 14: ISO 8859-1 characters as their Latin-1 bytes, without ECI
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         {207, 539, 901, 252, 223, 101}},
        // 15: a character beyond U+00FF: ECI 000026 and the UTF-8 bytes
        {"\xCE\xA9", {927, 26, 901, 206, 169}},
        // 16: not UTF-8: the bytes as they are
        {"\xFF\xFE", {901, 255, 254}},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(data_codewords(rows[i].data), rows[i].expected);
    }
}

// ISO/IEC 15438's example: "PDF417" at level 1 (its error correction codewords are the standard's
// Reed-Solomon example) in 3 rows of 3 columns, with the row indicators for 3 rows, 3 columns and
// level 1 around them.
TEST(Pdf417Symbol, WorkedExample) {
    auto m = std::make_unique<ModuleMatrix>();
    ASSERT_EQ(Orbelantrix_PDF417("PDF417", {1, 3}, *m), kStatusOk);
    EXPECT_EQ(m->row_height, 3);
    EXPECT_EQ(m->width, 17 * 7 + 1);
    EXPECT_EQ(test::read_codewords(test::matrix_rows(*m)),
              (std::vector<std::vector<int>>{
                  {0, 5, 453, 178, 2}, {5, 121, 239, 452, 0}, {2, 327, 657, 619, 5}}));
}

TEST(Pdf417Level, RecommendedByDataCodewords) {
    // ISO/IEC 15438's recommended minimum levels, at each step's edges.
    const std::pair<int, int> rows[] = {{1, 2},   {40, 2},  {41, 3},  {160, 3},
                                        {161, 4}, {320, 4}, {321, 5}, {863, 5}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Pdf417RecommendedLevel(rows[i].first), rows[i].second);
    }
}

struct LayoutRow {
    std::string data;
    Pdf417Options options;
    int rows;
    int columns;
    int level;
};

// The level a symbol's row indicators give (row 1's left indicator: 3 L + (rows - 1) mod 3).
int level_of(const std::vector<std::vector<int>>& codewords) {
    const int rows = static_cast<int>(codewords.size());
    return (codewords[1][0] - (rows - 1) % 3) / 3;
}

TEST(Pdf417Symbol, SizeAndLevel) {
    const std::vector<LayoutRow> rows = {
        // 0: 10 codewords (level 2): one column is more than twice as wide as 10 rows are tall
        {"A", {}, 10, 1, 2},
        // 1: 67 codewords (50 of data, level 3): 4 columns make 17 rows
        {std::string(100, 'A'), {}, 17, 4, 3},
        // 2: at least 3 rows, padded
        {"A", {-1, 30}, 3, 30, 2},
        // 3: level 8 with one data codeword: 514 codewords in 12 columns
        {"A", {8, 0}, 43, 12, 8},
        // 4: 925 data codewords (1850 text characters) fit only at level 0, in 32 rows of 29
        {std::string(1850, 'A'), {}, 32, 29, 0},
        // 5: 864 data codewords, one more than level 5 can protect: level 4, 897 codewords
        {std::string(1728, 'A'), {}, 53, 17, 4},
        // 6: the most digits, 2710
        {std::string(2710, '7'), {}, 32, 29, 0},
        // 7: the most bytes, 1108
        {std::string(1108, '\x80'), {}, 32, 29, 0},
        // 8: 90 rows of 1 column
        {std::string(162, 'A'), {2, 1}, 90, 1, 2},
    };
    auto m = std::make_unique<ModuleMatrix>();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const LayoutRow& row = rows[i];
        ASSERT_EQ(Orbelantrix_PDF417(row.data, row.options, *m), kStatusOk);
        EXPECT_EQ(m->height, row.rows);
        EXPECT_EQ(m->width, 17 * row.columns + 69);
        const auto codewords = test::read_codewords(test::matrix_rows(*m));
        ASSERT_EQ(codewords.size(), static_cast<std::size_t>(row.rows));
        EXPECT_EQ(level_of(codewords), row.level);
    }
}

TEST(Pdf417Symbol, Refusals) {
    const std::vector<std::pair<std::string, Pdf417Options>> rows = {
        /*  0 */ {"", {}},
        /*  1 */ {"A", {-2, 0}},
        /*  2 */ {"A", {9, 0}},
        /*  3 */ {"A", {-1, -1}},
        /*  4 */ {"A", {-1, 31}},
        // 5-7: one more than the most digits, text characters and bytes
        /*  5 */ {std::string(2711, '7'), {}},
        /*  6 */ {std::string(1851, 'A'), {}},
        /*  7 */ {std::string(1109, '\x80'), {}},
        // 8: level 8 holds 415 data codewords, not 416
        /*  8 */ {std::string(832, 'A'), {8, 0}},
        // 9: 117 codewords in one column: more than 90 rows
        /*  9 */ {std::string(200, 'A'), {-1, 1}},
        // 10: 928 codewords in 30 columns take 31 rows, 930 codewords
        /* 10 */ {std::string(1850, 'A'), {-1, 30}},
        /* 11 */ {std::string(100000, 'A'), {}},
    };
    auto m = std::make_unique<ModuleMatrix>();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        ResetMatrix(*m, 10, 10);
        EXPECT_EQ(Orbelantrix_PDF417(rows[i].first, rows[i].second, *m), kStatusRefused);
        EXPECT_EQ(m->width, 0);
    }
    EXPECT_EQ(Orbelantrix_PDF417(std::string(830, 'A'), {8, 0}, *m), kStatusOk);
}

unsigned evaluate929(const std::vector<int>& c, unsigned x) {
    unsigned y = 0;
    for (int v : c)
        y = (y * x + static_cast<unsigned>(v)) % 929;
    return y;
}

// Whatever the bytes and options: a refusal, or a symbol whose every pattern is a codeword of
// its row's cluster, whose length descriptor counts the data codewords and whose codewords have
// the roots 3 to 3^k of their level's generator.
TEST(Pdf417Symbol, AnyInput) {
    std::mt19937 rng(15438);
    auto m = std::make_unique<ModuleMatrix>();
    int made = 0;
    for (int trial = 0; trial < 400; ++trial) {
        SCOPED_TRACE(trial);
        std::string data(rng() % (trial % 10 == 0 ? 3000 : 300), '\0');
        const int alphabet = 1 + static_cast<int>(rng() % 256);
        for (char& c : data)
            c = static_cast<char>(rng() % static_cast<unsigned>(alphabet) +
                                  (alphabet < 60 ? 40 : 0));
        const Pdf417Options options{static_cast<int>(rng() % 12) - 2,
                                    static_cast<int>(rng() % 33) - 1};
        const int status = Orbelantrix_PDF417(data, options, *m);
        ASSERT_TRUE(status == kStatusOk || status == kStatusRefused);
        if (status != kStatusOk) continue;
        ++made;
        const auto rows = test::read_codewords(test::matrix_rows(*m));
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(m->height));
        ASSERT_TRUE(m->height >= 3 && m->height <= 90);
        const int columns = (m->width - 69) / 17;
        ASSERT_LE(m->height * columns, kPdf417MaxCodewords);
        if (options.columns > 0) {
            EXPECT_EQ(columns, options.columns);
        } else {
            // The fewest columns for a symbol at least twice as wide as its rows (3 modules
            // each) are tall.
            EXPECT_LE(6 * m->height, m->width);
            const int level = level_of(test::read_codewords(test::matrix_rows(*m)));
            const int needed = 1 + static_cast<int>(data_codewords(data).size()) + (2 << level);
            for (int fewer = 1; fewer < columns; ++fewer) {
                const int rows = std::max(3, (needed + fewer - 1) / fewer);
                EXPECT_TRUE(rows > 90 || rows * fewer > kPdf417MaxCodewords ||
                            6 * rows > 17 * fewer + 69)
                    << fewer;
            }
        }
        std::vector<int> codewords;
        for (const auto& row : rows) {
            for (std::size_t c = 1; c + 1 < row.size(); ++c) {
                ASSERT_GE(row[c], 0);
                codewords.push_back(row[c]);
            }
        }
        const int level = level_of(rows);
        ASSERT_TRUE(level >= 0 && level <= 8);
        if (options.ecc >= 0) {
            EXPECT_EQ(level, options.ecc);
        }
        const int k = 2 << level;
        EXPECT_EQ(codewords[0], static_cast<int>(codewords.size()) - k);
        unsigned root = 1;
        for (int r = 1; r <= k; ++r) {
            root = root * 3 % 929;
            ASSERT_EQ(evaluate929(codewords, root), 0u) << r;
        }
    }
    EXPECT_GT(made, 200);
}

}  // namespace
}  // namespace orbx
