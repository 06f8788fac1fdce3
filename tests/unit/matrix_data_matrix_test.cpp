// Data Matrix ECC 200 against the standard itself: its worked example, codewords computed by
// hand from its encodation rules, the data capacities its symbol table prints for every size,
// and the refusals.
#include "encoders/matrix/data_matrix.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/status.h"

namespace orbx {
namespace {

using Shape = DataMatrixOptions::Shape;

DataMatrixOptions fixed(int rows, int columns) {
    DataMatrixOptions o;
    o.shape = Shape::fixed;
    o.rows = rows;
    o.columns = columns;
    return o;
}

struct CodewordRow {
    std::string data;
    bool gs1;
    int rows;
    int columns;
    std::vector<int> codewords;  // the data codewords, and where given the error correction
};

TEST(DataMatrix, WorkedExamples) {
    const CodewordRow rows[] = {
        // 0: ISO/IEC 16022's example: "123456" as three digit pairs, and its five EC codewords
        {"123456", false, 10, 10, {142, 164, 186, 114, 25, 5, 88, 102}},
        // 1: one character, the pad 129, then the pad at position 3 randomised:
        //    129 + (149 * 3 mod 253) + 1 = 324, less 254
        {"A", false, 10, 10, {66, 129, 70}},
        // 2: C40: A, I, M are 14, 22, 26; 1600 * 14 + 40 * 22 + 26 + 1 = 23307 = 91 * 256 + 11;
        //    the unlatch fills the last codeword
        {"AIMAIMAIM", false, 14, 14, {230, 91, 11, 91, 11, 91, 11, 254}},
        // 3: U+20AC is beyond Latin-1: ECI 000026 (241, 27), then its three UTF-8 bytes in
        //    Base 256, the length 3 randomised at position 4: 3 + (149 * 4 mod 255) + 1 = 90
        {"\xE2\x82\xAC", false, 14, 14, {241, 27, 231, 90}},
        // 4: "é" is in Latin-1: no ECI, Upper Shift and 0xE9 - 127
        {"caf\xC3\xA9", false, 12, 12, {100, 98, 103, 235, 106}},
        // 5: not UTF-8: the bytes as they are, 0xC3 as Upper Shift and 68, then "(" as 41
        {"\xC3(", false, 10, 10, {235, 68, 41}},
        // 6: GS1: FNC1 first, digit pairs, FNC1 after the variable-length (10)
        {"(10)12(21)3", true, 14, 14, {232, 140, 142, 232, 151, 52, 129}},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const CodewordRow& row = rows[i];
        DataMatrixOptions options;
        options.gs1 = row.gs1;
        DataMatrixCodewords out;
        ASSERT_EQ(EncodeDataMatrixCodewords(row.data, options, out), kStatusOk);
        EXPECT_EQ(out.rows, row.rows);
        EXPECT_EQ(out.columns, row.columns);
        ASSERT_LE(row.codewords.size(), static_cast<std::size_t>(out.total));
        const std::vector<int> got(out.codewords.begin(),
                                   out.codewords.begin() + static_cast<long>(row.codewords.size()));
        EXPECT_EQ(got, row.codewords);
    }
}

// ISO/IEC 16022's table of ECC 200 symbol attributes: each size with the most digits,
// alphanumeric characters (C40) and bytes it holds.
struct Capacity {
    int rows;
    int columns;
    int numeric;
    int alphanumeric;
    int bytes;
};

constexpr Capacity kCapacities[] = {
    {10, 10, 6, 3, 1},
    {12, 12, 10, 6, 3},
    {14, 14, 16, 10, 6},
    {16, 16, 24, 16, 10},
    {18, 18, 36, 25, 16},
    {20, 20, 44, 31, 20},
    {22, 22, 60, 43, 28},
    {24, 24, 72, 52, 34},
    {26, 26, 88, 64, 42},
    {32, 32, 124, 91, 60},
    {36, 36, 172, 127, 84},
    {40, 40, 228, 169, 112},
    {44, 44, 288, 214, 142},
    {48, 48, 348, 259, 172},
    {52, 52, 408, 304, 202},
    {64, 64, 560, 418, 278},
    {72, 72, 736, 550, 366},
    {80, 80, 912, 682, 454},
    {88, 88, 1152, 862, 574},
    {96, 96, 1392, 1042, 694},
    {104, 104, 1632, 1222, 814},
    {120, 120, 2100, 1573, 1048},
    {132, 132, 2608, 1954, 1302},
    {144, 144, 3116, 2335, 1556},
    {8, 18, 10, 6, 3},
    {8, 32, 20, 13, 8},
    {12, 26, 32, 22, 14},
    {12, 36, 44, 31, 20},
    {16, 36, 64, 46, 30},
    {16, 48, 98, 72, 47},
};
static_assert(std::size(kCapacities) == 30);

std::string repeated(std::uint32_t seed, int length, const std::string& alphabet) {
    std::string s;
    for (int i = 0; i < length; ++i) {
        seed = seed * 1103515245u + 12345u;
        s += alphabet[(seed >> 16) % alphabet.size()];
    }
    return s;
}

// Each size holds exactly its printed capacity: one character more is refused at that size.
TEST(DataMatrix, CapacitiesOfEverySize) {
    std::string bytes_alphabet;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes_alphabet += static_cast<char>(b);
    auto symbol = std::make_unique<ModuleMatrix>();
    for (std::size_t i = 0; i < std::size(kCapacities); ++i) {
        const Capacity& c = kCapacities[i];
        SCOPED_TRACE(std::to_string(c.rows) + " x " + std::to_string(c.columns));
        const DataMatrixOptions options = fixed(c.rows, c.columns);
        // Bytes above 127 that start with 0xFF are not UTF-8, so they stay bytes.
        const struct {
            const char* kind;
            int capacity;
            std::string alphabet;
        } kinds[] = {{"numeric", c.numeric, "0123456789"},
                     {"alphanumeric", c.alphanumeric, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
                     {"bytes", c.bytes, bytes_alphabet}};
        for (const auto& kind : kinds) {
            SCOPED_TRACE(kind.kind);
            std::string data =
                repeated(static_cast<std::uint32_t>(i), kind.capacity + 1, kind.alphabet);
            if (kind.kind == std::string("bytes")) data[0] = '\xFF';
            EXPECT_EQ(Orbelantrix_DataMatrix(data, options, *symbol), kStatusRefused);
            EXPECT_EQ(symbol->width, 0);
            data.pop_back();
            ASSERT_EQ(Orbelantrix_DataMatrix(data, options, *symbol), kStatusOk);
            EXPECT_EQ(symbol->height, c.rows);
            EXPECT_EQ(symbol->width, c.columns);
        }
    }
}

// The smallest size of the shape asked for: the capacities decide it.
TEST(DataMatrix, SmallestSizeOfTheShape) {
    struct Row {
        std::string data;
        Shape shape;
        int rows;  // 0: refused
        int columns;
    };
    const Row rows[] = {
        {std::string(6, '7'), Shape::square, 10, 10},       // 0
        {std::string(7, '7'), Shape::square, 12, 12},       // 1
        {std::string(10, '7'), Shape::rectangle, 8, 18},    // 2
        {std::string(11, '7'), Shape::rectangle, 8, 32},    // 3
        {std::string(98, '7'), Shape::rectangle, 16, 48},   // 4
        {std::string(99, '7'), Shape::rectangle, 0, 0},     // 5: no rectangle holds it
        {std::string(99, '7'), Shape::square, 32, 32},      // 6
        {std::string(3116, '7'), Shape::square, 144, 144},  // 7
        {std::string(3117, '7'), Shape::square, 0, 0},      // 8: beyond the largest
        {std::string(2335, 'Q'), Shape::square, 144, 144},  // 9
        {std::string(2336, 'Q'), Shape::square, 0, 0},      // 10
    };
    auto symbol = std::make_unique<ModuleMatrix>();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        DataMatrixOptions options;
        options.shape = rows[i].shape;
        const int status = Orbelantrix_DataMatrix(rows[i].data, options, *symbol);
        EXPECT_EQ(status, rows[i].rows == 0 ? kStatusRefused : kStatusOk);
        EXPECT_EQ(symbol->height, rows[i].rows);
        EXPECT_EQ(symbol->width, rows[i].columns);
    }
}

TEST(DataMatrix, Refusals) {
    struct Row {
        std::string data;
        DataMatrixOptions options;
    };
    DataMatrixOptions gs1;
    gs1.gs1 = true;
    DataMatrixOptions bad_shape;
    bad_shape.shape = static_cast<Shape>(7);
    const Row rows[] = {
        {"", {}},                                // 0: empty
        {"A", fixed(10, 12)},                    // 1: not an ECC 200 size
        {"A", fixed(0, 0)},                      // 2
        {"A", fixed(-10, -10)},                  // 3
        {"A", fixed(18, 8)},                     // 4: rectangles are wider than tall
        {"A", fixed(146, 146)},                  // 5
        {"1234567", fixed(10, 10)},              // 6: too long for the size asked for
        {"A", bad_shape},                        // 7
        {"01095011015300031", gs1},              // 8: not an element string
        {"(01)", gs1},                           // 9
        {"(10)caf\xC3\xA9", gs1},                // 10: GS1 data is printable ASCII
        {"(10)A\tB", gs1},                       // 11
        {std::string(1557, '\xFF'), {}},         // 12: bytes beyond the largest
        {std::string(100000, 'x'), {}},          // 13
        {"(10)" + std::string(2000, '1'), gs1},  // 14: an element's data is 90 at most
    };
    auto symbol = std::make_unique<ModuleMatrix>();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        ResetMatrix(*symbol, 10, 10);
        EXPECT_EQ(Orbelantrix_DataMatrix(rows[i].data, rows[i].options, *symbol), kStatusRefused);
        EXPECT_EQ(symbol->width, 0);
    }
}

// Whatever the bytes and options: a symbol of the shape asked for, or the refusal.
TEST(DataMatrix, AnyInputGivesASymbolOrTheRefusal) {
    std::mt19937 rng(5);
    const std::string gs1_alphabet = "()0123456789ABC\x1D";
    auto symbol = std::make_unique<ModuleMatrix>();
    int symbols = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        SCOPED_TRACE(trial);
        DataMatrixOptions options;
        options.shape = static_cast<Shape>(rng() % 4);  // 3 is no shape
        const Capacity& size = kCapacities[rng() % std::size(kCapacities)];
        options.rows = rng() % 8 ? size.rows : static_cast<int>(rng() % 300) - 20;
        options.columns = rng() % 8 ? size.columns : static_cast<int>(rng() % 300) - 20;
        options.gs1 = rng() % 4 == 0;
        const int length =
            rng() % 16 ? static_cast<int>(rng() % 60) : static_cast<int>(rng() % 4000);
        std::string data;
        for (int i = 0; i < length; ++i)
            data += options.gs1 && rng() % 4 ? gs1_alphabet[rng() % gs1_alphabet.size()]
                                             : static_cast<char>(rng() % 256);
        const int status = Orbelantrix_DataMatrix(data, options, *symbol);
        ASSERT_TRUE(status == kStatusOk || status == kStatusRefused);
        if (status == kStatusRefused) {
            EXPECT_EQ(symbol->width, 0);
            continue;
        }
        ++symbols;
        bool known = false;
        for (const Capacity& c : kCapacities)
            known = known || (c.rows == symbol->height && c.columns == symbol->width);
        EXPECT_TRUE(known) << symbol->height << " x " << symbol->width;
        if (options.shape == Shape::square) {
            EXPECT_EQ(symbol->height, symbol->width);
        } else if (options.shape == Shape::rectangle) {
            EXPECT_LT(symbol->height, symbol->width);
        }
        if (options.shape == Shape::fixed) {
            EXPECT_EQ(symbol->height, options.rows);
            EXPECT_EQ(symbol->width, options.columns);
        }
        // The finder's corner and the clock's first and last modules.
        EXPECT_TRUE(IsDark(*symbol, 0, symbol->height - 1));
        EXPECT_TRUE(IsDark(*symbol, 0, 0));
        EXPECT_FALSE(IsDark(*symbol, symbol->width - 1, 0));
    }
    EXPECT_GT(symbols, 1000);  // most of them are symbols
}

}  // namespace
}  // namespace orbx
