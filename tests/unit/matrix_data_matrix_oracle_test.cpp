// Data Matrix against two tools no one here wrote: zint's symbols for the same data and size,
// module for module, and zxing-cpp's reader on our symbols drawn as pictures. zint 2.11 encodes
// with a minimal encodation of its own by default and with ISO/IEC 16022 Annex P's look-ahead
// in FAST_MODE, so it is asked for FAST_MODE; where the two look-aheads still choose
// differently, the symbols are compared by size and by what the reader reads.
#if defined(ORBX_HAVE_ZINT) && defined(ORBX_HAVE_ZXING)

#include <gtest/gtest.h>
#include <zint.h>

// The reader's text as UTF-8.
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <array>
#include <cstdint>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/status.h"
#include "encoders/matrix/data_matrix.h"
#include "encoders/matrix/gs1_data.h"

namespace orbx {
namespace {

using Shape = DataMatrixOptions::Shape;
using Rows = std::vector<std::string>;

struct SizeRow {
    int rows;
    int columns;
    int data;  // data codewords
};

// The ECC 200 sizes in zint's numbering (option_2 = index + 1): the squares, then the
// rectangles.
constexpr std::array<SizeRow, 30> kSizes = {{
    {10, 10, 3},     {12, 12, 5},      {14, 14, 8},      {16, 16, 12},     {18, 18, 18},
    {20, 20, 22},    {22, 22, 30},     {24, 24, 36},     {26, 26, 44},     {32, 32, 62},
    {36, 36, 86},    {40, 40, 114},    {44, 44, 144},    {48, 48, 174},    {52, 52, 204},
    {64, 64, 280},   {72, 72, 368},    {80, 80, 456},    {88, 88, 576},    {96, 96, 696},
    {104, 104, 816}, {120, 120, 1050}, {132, 132, 1304}, {144, 144, 1558}, {8, 18, 5},
    {8, 32, 10},     {12, 26, 16},     {12, 36, 22},     {16, 36, 32},     {16, 48, 49},
}};

int zint_size(int rows, int columns) {
    for (std::size_t i = 0; i < kSizes.size(); ++i)
        if (kSizes[i].rows == rows && kSizes[i].columns == columns) return static_cast<int>(i) + 1;
    return 0;
}

// How the data is given to zint and what the reader must give back: bytes that are not UTF-8
// (zint's DATA_MODE, the reader's bytes), UTF-8 within Latin-1 (UNICODE_MODE, the reader's text),
// UTF-8 beyond it (UNICODE_MODE with ECI 26, the reader's text), a GS1 element string (GS1_MODE
// with parentheses, the reader's bytes: the element data with GS after variable-length ones).
enum class Kind { bytes, latin1, utf8, gs1 };

Rows ours_rows(const ModuleMatrix& m) {
    Rows rows;
    for (int y = 0; y < m.height; ++y) {
        std::string row;
        for (int x = 0; x < m.width; ++x)
            row += IsDark(m, x, y) ? '1' : '0';
        rows.push_back(row);
    }
    return rows;
}

// zint's symbol in `size` (0: the smallest square), empty when zint refuses.
Rows zint_rows(const std::string& data, Kind kind, int size) {
    zint_symbol* s = ZBarcode_Create();
    s->symbology = BARCODE_DATAMATRIX;
    s->input_mode = FAST_MODE | (kind == Kind::bytes ? DATA_MODE
                                 : kind == Kind::gs1 ? GS1_MODE | GS1PARENS_MODE | GS1NOCHECK_MODE
                                                     : UNICODE_MODE);
    if (kind == Kind::utf8) s->eci = 26;
    s->option_2 = size;
    if (size == 0) s->option_3 = DM_SQUARE;
    const int rc = ZBarcode_Encode(s, reinterpret_cast<const unsigned char*>(data.data()),
                                   static_cast<int>(data.size()));
    Rows rows;
    for (int r = 0; rc < ZINT_ERROR && r < s->rows; ++r) {
        std::string row;
        for (int c = 0; c < s->width; ++c)
            row += (s->encoded_data[r][c >> 3] >> (c & 7)) & 1 ? '1' : '0';
        rows.push_back(row);
    }
    ZBarcode_Delete(s);
    return rows;
}

// What zxing-cpp reads from the symbol drawn at 3 pixels a module with a 2-module quiet zone,
// as the reader gives it for `kind`; "(unread)" when it reads nothing.
std::string read_back(const ModuleMatrix& m, Kind kind) {
    constexpr int kPixels = 3;
    constexpr int kQuiet = 2;
    const int width = (m.width + 2 * kQuiet) * kPixels;
    const int height = (m.height + 2 * kQuiet) * kPixels;
    std::vector<std::uint8_t> image(static_cast<std::size_t>(width * height), 255);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (IsDark(m, x / kPixels - kQuiet, y / kPixels - kQuiet))
                image[static_cast<std::size_t>(y * width + x)] = 0;
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::DataMatrix);
    hints.setIsPure(true);
    // Without an ECI, Data Matrix data is ISO 8859-1 (the reader would guess otherwise).
    hints.setCharacterSet("ISO-8859-1");
    const ZXing::Result r =
        ZXing::ReadBarcode({image.data(), width, height, ZXing::ImageFormat::Lum}, hints);
    if (!r.isValid()) return "(unread)";
    if (kind == Kind::latin1 || kind == Kind::utf8) return r.text();
    return std::string(r.bytes().begin(), r.bytes().end());
}

std::string expected_read(const std::string& data, Kind kind) {
    if (kind != Kind::gs1) return data;
    std::string out(data.size(), '\0');
    const int n = Gs1ElementData(data, out.data(), static_cast<int>(out.size()));
    return out.substr(0, n < 0 ? 0 : static_cast<std::size_t>(n));
}

struct Case {
    std::string data;
    Kind kind;
    Shape shape;
    int rows = 0;  // for a fixed size
    int columns = 0;
};

DataMatrixOptions options_of(const Case& c) {
    DataMatrixOptions o;
    o.shape = c.shape;
    o.rows = c.rows;
    o.columns = c.columns;
    o.gs1 = c.kind == Kind::gs1;
    return o;
}

// zint asked for our size when a shape or size is asked for, else for its smallest square.
int zint_size_for(const Case& c, const ModuleMatrix& ours) {
    return c.shape == Shape::square ? 0 : zint_size(ours.height, ours.width);
}

std::string binary(std::uint32_t seed, int length) {
    std::mt19937 rng(seed);
    std::string s(1, '\xFF');  // never UTF-8
    while (static_cast<int>(s.size()) < length)
        s += static_cast<char>(rng() % 256);
    return s;
}

// Bytes 128 to 255, which only Base 256 holds in one codeword each.
std::string high_bytes(std::uint32_t seed, int length) {
    std::mt19937 rng(seed);
    std::string s(1, '\xFF');
    while (static_cast<int>(s.size()) < length)
        s += static_cast<char>(128 + rng() % 128);
    return s;
}

TEST(DataMatrixZint, ModulesMatchZint) {
    const Case rows[] = {
        {"123456", Kind::bytes, Shape::square},              // 0: ISO/IEC 16022's example
        {"A", Kind::bytes, Shape::square},                   // 1: pads
        {"AIMAIMAIM", Kind::bytes, Shape::square},           // 2: C40, unlatch in the last codeword
        {"ABCDEFGHIJKLMNOPQR", Kind::bytes, Shape::square},  // 3: C40, unlatch and pads
        {"ABCDEFGHIJKLMNOPQ", Kind::bytes, Shape::square},   // 4: C40, Shift 1 pads the last
        {"ABCDEFGHIJKLMNOP", Kind::bytes, Shape::square},    // 5: C40, last character in ASCII
        {"hello world", Kind::bytes, Shape::square},         // 6: Text, then ASCII
        {"the quick brown fox jumps over the lazy dog", Kind::bytes, Shape::square},  // 7
        {"ABC>DEF*GHI\rJKL>MNO*PQR", Kind::bytes, Shape::square},                     // 8: X12
        {"*>*>*>*>*>*>*>*>AB", Kind::bytes, Shape::square},   // 9: X12, the last two in ASCII
        {"@[\\]^@[\\]^@[\\]^_", Kind::bytes, Shape::square},  // 10: EDIFACT, unlatch in a group
        {"@[\\]^@[\\]^@[\\]^@[\\]^_", Kind::bytes, Shape::square},  // 11: then ASCII to the end
        {"[J/B]J]F]23.", Kind::bytes, Shape::square},           // 12: EDIFACT to the end, then pads
        {"ABC!@#abc!@#ABC!@#abc", Kind::bytes, Shape::square},  // 13
        {binary(1, 20), Kind::bytes, Shape::square},            // 14: Base 256
        {binary(2, 10) + "klm", Kind::bytes, Shape::square},    // 15: Base 256, ASCII after it
        {"\xFF\xFE\xFD\xFC\xFB\xFAklm\xFE", Kind::bytes, Shape::square},  // 16: field to the end
        {high_bytes(3, 251), Kind::bytes, Shape::square},                 // 17: two-codeword length
        {binary(4, 1000), Kind::bytes, Shape::square},                    // 18
        {high_bytes(5, 1556), Kind::bytes, Shape::square},        // 19: the most bytes, length 0
        {std::string("A\0B\0C", 5), Kind::bytes, Shape::square},  // 20: NUL bytes
        {"caf\xC3\xA9 cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
         "e",
         Kind::latin1, Shape::square},  // 21
        {"\xC3\x84rger \xC3\xBC"
         "ber \xC3\x96l",
         Kind::latin1, Shape::square},  // 22
        {"Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC 5",
         Kind::utf8, Shape::square},  // 23: ECI 26
        {"\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC", Kind::utf8,
         Shape::square},                                                                       // 24
        {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x98\x80", Kind::utf8, Shape::square},  // 25
        {"(01)09501101530003(17)140704(10)AB-123", Kind::gs1, Shape::square},                  // 26
        {"(01)09501101530003(3103)000189(21)ABCDEFGHIJKLMNOPQ", Kind::gs1, Shape::square},     // 27
        {"(10)abcdefghijkl(21)XYZ", Kind::gs1, Shape::square},         // 28: Text between FNC1s
        {"HELLO RECT", Kind::bytes, Shape::rectangle},                 // 29
        {"12345", Kind::bytes, Shape::rectangle},                      // 30
        {std::string(98, '9'), Kind::bytes, Shape::rectangle},         // 31: 16 x 48 full
        {"A", Kind::bytes, Shape::fixed, 144, 144},                    // 32: 1557 pads
        {"A", Kind::bytes, Shape::fixed, 16, 48},                      // 33
        {"Data Matrix ECC 200", Kind::bytes, Shape::fixed, 52, 52},    // 34: two blocks
        {std::string(600, 'x'), Kind::bytes, Shape::fixed, 120, 120},  // 35: six blocks
        {binary(6, 1400), Kind::bytes, Shape::fixed, 144, 144},        // 36: ten unequal blocks
        {"@[\\]^@[\\]^@[\\]^@[\\]^@[a\\]^@[\\]^@[\\]^@[\\]^@[\\]^@[\\]^", Kind::bytes,
         Shape::square},  // 37: EDIFACT left before "a" within a group
        {"@[\\]^@[\\]^@[\\]^@[\\]^@[\\]a^@[\\]^@[\\]^@[\\]^@[\\]^@[\\]^", Kind::bytes,
         Shape::square},  // 38: and after a whole group
    };
    auto symbol = std::make_unique<ModuleMatrix>();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Case& c = rows[i];
        ASSERT_EQ(Orbelantrix_DataMatrix(c.data, options_of(c), *symbol), kStatusOk);
        EXPECT_EQ(ours_rows(*symbol), zint_rows(c.data, c.kind, zint_size_for(c, *symbol)));
        EXPECT_EQ(read_back(*symbol, c.kind), expected_read(c.data, c.kind));
    }
}

// Where the two look-aheads choose differently: the same size, other modules, and ours read
// back. (A row that comes to agree with zint belongs in the table above.)
TEST(DataMatrixZint, SameSizeWhereZintChoosesOtherwise) {
    const Case rows[] = {
        // 0: X12 gives the two characters of its short triplet back to ASCII before "a"; zint
        //    leaves one of them out of its symbol here
        {"*>*>*>*>*>*>*>*>*>*>*>a*>*>*>*>*>*>*>*>*>*>*>", Kind::bytes, Shape::square},
        // 1: a 250-byte field with its two-codeword length; zint ends the field a byte early
        {binary(3, 250), Kind::bytes, Shape::square},
        // 2: at the end EDIFACT and X12 tie, and the standard's order then gives C40; zint
        //    takes EDIFACT
        {" 1013 3A2>*YX", Kind::bytes, Shape::square},
        {">AYX>3Y0", Kind::bytes, Shape::square},  // 3
        // 4: from Base 256 Text is a codeword ahead for "aabb1b"; zint stays in Base 256
        {"BBAb\x81"
         "B\xFF aabb1b\xFF\x81"
         "1\xE9 b\xE9",
         Kind::bytes, Shape::square},
    };
    auto symbol = std::make_unique<ModuleMatrix>();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Case& c = rows[i];
        ASSERT_EQ(Orbelantrix_DataMatrix(c.data, options_of(c), *symbol), kStatusOk);
        const Rows ours = ours_rows(*symbol);
        const Rows theirs = zint_rows(c.data, c.kind, 0);
        EXPECT_EQ(theirs.size(), ours.size());
        EXPECT_NE(theirs, ours);
        EXPECT_EQ(read_back(*symbol, c.kind), expected_read(c.data, c.kind));
    }
}

// Random data of one kind, about `length` characters long.
using Generator = std::string (*)(std::mt19937& rng, int length);

std::string from(std::mt19937& rng, int length, const std::string& alphabet) {
    std::string s;
    for (int i = 0; i < length; ++i)
        s += alphabet[rng() % alphabet.size()];
    return s;
}

// A code point as UTF-8 (2 to 4 bytes).
std::string utf8(std::uint32_t cp) {
    std::string s;
    if (cp < 0x800) {
        s += static_cast<char>(0xC0 | cp >> 6);
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | cp >> 12);
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | cp >> 18);
        s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    }
    s += static_cast<char>(0x80 | (cp & 0x3F));
    return s;
}

struct Class {
    const char* name;
    Kind kind;
    double per_codeword;  // characters a data codeword holds, roughly
    Generator make;
};

const Class kClasses[] = {
    {"digits", Kind::bytes, 2.0, [](std::mt19937& r, int n) { return from(r, n, "0123456789"); }},
    {"upper case", Kind::bytes, 1.5,
     [](std::mt19937& r, int n) { return from(r, n, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 "); }},
    {"lower case", Kind::bytes, 1.5,
     [](std::mt19937& r, int n) { return from(r, n, "abcdefghijklmnopqrstuvwxyz0123456789 "); }},
    {"X12", Kind::bytes, 1.5,
     [](std::mt19937& r, int n) {
         return from(r, n, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 *>\r");
     }},
    {"EDIFACT", Kind::bytes, 1.3,
     [](std::mt19937& r, int n) {
         return from(r, n, "!\"#$%&'()*+,-./:;<=>?@[\\]^ABCDEFGHIJ0123");
     }},
    {"binary", Kind::bytes, 0.98, [](std::mt19937& r, int n) { return binary(r(), n); }},
    {"Latin-1", Kind::latin1, 0.8,
     [](std::mt19937& r, int n) {
         std::string s;
         for (int i = 0; i < n; ++i)
             s += r() % 3 ? std::string(1, "abcdefXYZ 0123"[r() % 14]) : utf8(0xA0 + r() % 96);
         return s;
     }},
    {"UTF-8", Kind::utf8, 0.35,
     [](std::mt19937& r, int n) {
         constexpr std::uint32_t kFrom[] = {0x391, 0x410, 0x4E00, 0x20AC, 0x1F600, 'a'};
         std::string s = utf8(0x3B1);
         for (int i = 1; i < n; ++i) {
             const std::uint32_t base = kFrom[r() % std::size(kFrom)];
             s += base == 'a' ? std::string(1, static_cast<char>('a' + r() % 26))
                              : utf8(base + r() % 40);
         }
         return s;
     }},
    {"GS1", Kind::gs1, 1.4,
     [](std::mt19937& r, int n) {
         std::string s;
         while (static_cast<int>(s.size()) < n || s.empty()) {
             switch (r() % 6) {
                 case 0:
                     s += "(01)" + from(r, 14, "0123456789");
                     break;
                 case 1:
                     s += "(17)" + from(r, 6, "0123456789");
                     break;
                 case 2:
                     s += "(10)" + from(r, 1 + r() % 20, "ABCDEFXYZ0123456789-./");
                     break;
                 case 3:
                     s += "(21)" + from(r, 1 + r() % 20, "abcxyz0123456789");
                     break;
                 case 4:
                     s += "(3103)" + from(r, 6, "0123456789");
                     break;
                 default:
                     s += "(400)" + from(r, 1 + r() % 30, "ABCDEFGHIJKLMNOP0123456789");
             }
         }
         return s;
     }},
};

struct Tally {
    int symbols = 0;
    int read = 0;
    int equal = 0;      // zint's modules are ours
    int same_size = 0;  // zint's symbol is as large, its encodation another
    int zint_larger = 0;
    int zint_smaller = 0;
};

// Our symbol for the case, read back to the data; then against zint's symbol of the same size
// (for `square`, zint's smallest square).
void check(const Case& c, ModuleMatrix& symbol, Tally& t) {
    if (Orbelantrix_DataMatrix(c.data, options_of(c), symbol) != kStatusOk) {
        ADD_FAILURE() << "refused: " << c.data.size() << " bytes";
        return;
    }
    ++t.symbols;
    const std::string read = read_back(symbol, c.kind);
    EXPECT_EQ(read, expected_read(c.data, c.kind)) << symbol.height << " x " << symbol.width;
    if (read == expected_read(c.data, c.kind)) ++t.read;
    const Rows ours = ours_rows(symbol);
    const Rows theirs = zint_rows(c.data, c.kind, zint_size_for(c, symbol));
    if (theirs == ours) {
        ++t.equal;
    } else if (theirs.empty() || theirs.size() > ours.size()) {
        ++t.zint_larger;
    } else if (theirs.size() < ours.size()) {
        ++t.zint_smaller;
    } else {
        ++t.same_size;
    }
}

void report(const char* what, const Tally& t) {
    std::cout << "[oracle] Data Matrix, " << what << ": " << t.symbols << " symbols, " << t.read
              << " read back by zxing-cpp; against zint: " << t.equal << " equal modules, "
              << t.same_size << " the same size, " << t.zint_larger << " larger in zint, "
              << t.zint_smaller << " smaller in zint\n";
    // The two look-aheads agree on nearly everything; a change that breaks an encodation shows
    // here first.
    EXPECT_GE(t.equal * 100, t.symbols * 95);
    EXPECT_LE(t.zint_smaller * 100, t.symbols);
}

// Every size with each kind of data, from a few characters to nearly full.
TEST(DataMatrixZint, EverySizeEveryKindReadsBack) {
    std::mt19937 rng(2024);
    auto symbol = std::make_unique<ModuleMatrix>();
    Tally tally;
    for (const SizeRow& size : kSizes) {
        for (const Class& cls : kClasses) {
            SCOPED_TRACE(std::to_string(size.rows) + " x " + std::to_string(size.columns) + ", " +
                         cls.name);
            const int most = static_cast<int>(size.data * cls.per_codeword);
            int length =
                most / 2 + 1 + static_cast<int>(rng() % static_cast<unsigned>(most / 2 + 1));
            Case c{"", cls.kind, Shape::fixed, size.rows, size.columns};
            // Shorter until it fits the size (the smallest hold no ECI or GS1 data at all).
            bool fits = false;
            for (; !fits && length >= 1; length = length * 9 / 10 - (length < 10 ? 1 : 0)) {
                c.data = cls.make(rng, length);
                DataMatrixCodewords cw;
                fits = EncodeDataMatrixCodewords(c.data, options_of(c), cw) == kStatusOk;
            }
            if (fits) check(c, *symbol, tally);
        }
    }
    report("every size and kind", tally);
}

// The smallest square and the smallest rectangle for random data of every kind.
TEST(DataMatrixZint, SmallestSizesReadBack) {
    std::mt19937 rng(77);
    auto symbol = std::make_unique<ModuleMatrix>();
    Tally squares;
    Tally rectangles;
    for (int trial = 0; trial < 400; ++trial) {
        const Class& cls = kClasses[static_cast<std::size_t>(trial) % std::size(kClasses)];
        SCOPED_TRACE(std::to_string(trial) + ", " + cls.name);
        const bool rectangle = trial % 4 == 3;
        const int most = static_cast<int>((rectangle ? 45 : 300) * cls.per_codeword);
        Case c{cls.make(rng, 1 + static_cast<int>(rng() % static_cast<unsigned>(most))), cls.kind,
               rectangle ? Shape::rectangle : Shape::square};
        DataMatrixCodewords cw;
        if (EncodeDataMatrixCodewords(c.data, options_of(c), cw) != kStatusOk) continue;
        check(c, *symbol, rectangle ? rectangles : squares);
    }
    report("smallest square", squares);
    report("smallest rectangle", rectangles);
}

}  // namespace
}  // namespace orbx

#endif
