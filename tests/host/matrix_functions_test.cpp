// The 2D functions through the real plug-in: what their settings choose (read back from the
// symbol's own structure: QR Code's format information, Data Matrix's finder, PDF417's row
// indicators), the empty text for every setting they cannot use and for data too long, the
// lines and characters of their text, and Orbx_Image's pictures of the same symbols. The symbols'
// content is read back by zxing-cpp in tests/oracle/matrix_oracle_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/host.h"
#include "support/alphabets.h"
#include "support/host_call.h"
#include "support/pdf417_symbol.h"

namespace orbx::test {
namespace {

using Grid = std::vector<std::string>;  // module rows, '1' dark

// NAME ( data ; settings ), or NAME ( data ) when `settings` is null.
std::u16string Matrix(std::string_view name, const std::u16string& data,
                      const char* settings = nullptr) {
    StartedPlugin();
    std::vector<std::u16string> parameters = {data};
    if (settings != nullptr) parameters.push_back(host::Utf8ToUtf16(settings));
    return host::EvaluateAll(Function(name), parameters).text;
}

std::u16string Matrix(std::string_view name, std::string_view data, const char* settings) {
    return Matrix(name, host::Utf8ToUtf16(data), settings);
}

// The modules the 2D font draws for a text: each character '0' to 'o' a block of 2 x 3 modules,
// bit 2 x row + column of its value dark; a line three rows.
Grid GridOf(const std::u16string& text) {
    Grid rows(3);
    for (char16_t c : text) {
        if (c == u'\r') {
            rows.resize(rows.size() + 3);
            continue;
        }
        const int value = c - u'0';
        for (int r = 0; r < 3; ++r) {
            for (int k = 0; k < 2; ++k)
                rows[rows.size() - 3 + static_cast<std::size_t>(r)] +=
                    (value >> (2 * r + k)) & 1 ? '1' : '0';
        }
    }
    return rows;
}

bool Dark(const Grid& g, int x, int y) {
    return y >= 0 && y < static_cast<int>(g.size()) && x >= 0 &&
           x < static_cast<int>(g[static_cast<std::size_t>(y)].size()) &&
           g[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '1';
}

// The symbol's extent: the last row and column with a dark module, plus one.
int Extent(const Grid& g, bool across) {
    int last = -1;
    for (int y = 0; y < static_cast<int>(g.size()); ++y)
        for (int x = 0; x < static_cast<int>(g[static_cast<std::size_t>(y)].size()); ++x)
            if (Dark(g, x, y)) last = std::max(last, across ? x : y);
    return last + 1;
}

struct QrSymbol {
    int version = 0;
    char level = '?';
};

// ISO/IEC 18004 7.9: the version from the size, 17 + 4 v modules, and the level from the
// format information beside the top left finder (its 15 bits masked with 101010000010010, the
// level's two bits first: 01 L, 00 M, 11 Q, 10 H), which the copy at the other two finders
// must repeat.
QrSymbol ReadQr(const Grid& g) {
    QrSymbol q;
    const int size = Extent(g, true);
    if ((size - 17) % 4 != 0 || Extent(g, false) != size) return q;
    unsigned first = 0;
    unsigned second = 0;
    for (int i = 0; i < 15; ++i) {
        // Bit i (0 the least significant) of each copy.
        const int x1 = i < 6 ? 8 : i < 8 ? 8 : i == 8 ? 7 : 14 - i;
        const int y1 = i < 6 ? i : i == 6 ? 7 : i == 7 ? 8 : 8;
        const int x2 = i < 8 ? size - 1 - i : 8;
        const int y2 = i < 8 ? 8 : size - 15 + i;
        first |= (Dark(g, x1, y1) ? 1u : 0u) << i;
        second |= (Dark(g, x2, y2) ? 1u : 0u) << i;
    }
    if (first != second) return q;
    q.version = (size - 17) / 4;
    q.level = "MLHQ"[((first ^ 0x5412) >> 13) & 3];
    return q;
}

struct QrRow {
    std::string data;
    const char* settings;
    int version;
    char level;
};

TEST(MatrixFunctions, QrCodeSettingsChooseTheLevelAndVersion) {
    const std::vector<QrRow> rows = {
        /* 0 */ {"HELLO", nullptr, 1, 'M'},  // the defaults
        /* 1 */ {"HELLO", "", 1, 'M'},
        /* 2 */ {"HELLO", "ecc=L", 1, 'L'},
        /* 3 */ {"HELLO", " ECC = h ", 1, 'H'},
        /* 4 */ {"HELLO", "ecc=q; version=7", 7, 'Q'},
        /* 5 */ {"HELLO", "version=40", 40, 'M'},
        /* 6 */ {"HELLO", "version=auto", 1, 'M'},
        // Names of the picture and of the other symbols are not QR Code's: ignored.
        /* 7 */ {"HELLO", "dpi=600; module=0.5mm; size=7x7; columns=99; format=pdf", 1, 'M'},
        /* 8 */ {"HELLO", "ecc=L;ecc=H", 1, 'H'},  // the last one counts
        // ISO/IEC 18004 Table 7: version 1-M holds 34 digits, version 2-M 63.
        /* 9 */ {std::string(34, '7'), nullptr, 1, 'M'},
        /* 10 */ {std::string(35, '7'), nullptr, 2, 'M'},
        /* 11 */ {std::string(35, '7'), "ecc=L", 1, 'L'},  // 1-L: 41 digits
        // 40-L holds 7089 digits, the most any symbol does.
        /* 12 */ {std::string(7089, '1'), "ecc=l", 40, 'L'},
        // FNC1, 18 digits and "AB": 4 + 74 + 24 bits, within the 128 of version 1-M.
        /* 13 */ {"(01)09501101530003(10)AB", "gs1=on", 1, 'M'},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const std::u16string text = Matrix("Orbx_QRCode", rows[i].data, rows[i].settings);
        ASSERT_FALSE(text.empty());
        const QrSymbol q = ReadQr(GridOf(text));
        EXPECT_EQ(q.version, rows[i].version);
        EXPECT_EQ(q.level, rows[i].level);
    }
}

struct DataMatrixRow {
    std::string data;
    const char* settings;
    int rows, columns;
};

TEST(MatrixFunctions, DataMatrixSettingsChooseTheSize) {
    const std::vector<DataMatrixRow> rows = {
        /* 0 */ {"ABC", nullptr, 10, 10},  // the smallest square size
        /* 1 */ {"ABC", "size=auto", 10, 10},
        /* 2 */ {"ABC", "size=square", 10, 10},
        /* 3 */ {"ABC", "size=rectangle", 8, 18},
        /* 4 */ {"ABC", "size=16x48", 16, 48},
        /* 5 */ {"ABC", "SIZE = 144 X 144", 144, 144},
        /* 6 */ {"ABC", "size=12x36; ecc=H; version=3; columns=2", 12, 36},  // others' names
        // ISO/IEC 16022 Table 7: 10 x 10 holds 6 digits, 12 x 12 10; 8 x 18 10, 8 x 32 20.
        /* 7 */ {"123456", nullptr, 10, 10},
        /* 8 */ {"1234567", nullptr, 12, 12},
        /* 9 */ {"12345678901", "size=rectangle", 8, 32},
        // 144 x 144 holds 3116 digits.
        /* 10 */ {std::string(3116, '3'), nullptr, 144, 144},
        /* 11 */ {"(01)09501101530003(10)AB", "gs1=yes", 16, 16},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const std::u16string text = Matrix("Orbx_DataMatrix", rows[i].data, rows[i].settings);
        ASSERT_FALSE(text.empty());
        const Grid g = GridOf(text);
        EXPECT_EQ(Extent(g, false), rows[i].rows);
        EXPECT_EQ(Extent(g, true), rows[i].columns);
        // The finder: the left column and the bottom row all dark.
        for (int y = 0; y < rows[i].rows; ++y)
            EXPECT_TRUE(Dark(g, 0, y));
        for (int x = 0; x < rows[i].columns; ++x)
            EXPECT_TRUE(Dark(g, x, rows[i].rows - 1));
    }
}

struct Pdf417Symbol {
    int columns = 0, rows = 0, level = -1;
};

// ISO/IEC 15438: 17 modules a column between the start (17) and stop (18) patterns and the two
// row indicators, each line one row (drawn 3 modules tall); the left row indicator of the rows
// of cluster 3 (the second row) gives the level as 3 x level + (rows - 1) mod 3, that of the
// first row (rows - 1) div 3, and that of the third row columns - 1.
Pdf417Symbol ReadPdf417(const Grid& g) {
    Pdf417Symbol p;
    const int width = Extent(g, true);
    Grid rows;
    for (std::size_t y = 0; y < g.size(); y += 3) {
        if (g[y] != g[y + 1] || g[y] != g[y + 2]) return p;
        rows.push_back(g[y].substr(0, static_cast<std::size_t>(width)));
    }
    const auto codewords = read_codewords(rows);
    if (codewords.size() < 3) return p;
    p.rows = static_cast<int>(rows.size());
    p.columns = (width - 69) / 17;
    if (codewords[0][0] % 30 != (p.rows - 1) / 3 || codewords[2][0] % 30 != p.columns - 1) {
        return Pdf417Symbol{};
    }
    p.level = (codewords[1][0] % 30 - (p.rows - 1) % 3) / 3;
    return p;
}

struct Pdf417Row {
    std::string data;
    const char* settings;
    int columns;  // 0: the plug-in's choice
    int level;
};

TEST(MatrixFunctions, Pdf417SettingsChooseTheLevelAndColumns) {
    const std::vector<Pdf417Row> rows = {
        // ISO/IEC 15438's recommended level: 2 up to 40 data codewords, 3 up to 160, 4 up to
        // 320, 5 above.
        /* 0 */ {"ABC", nullptr, 0, 2},
        /* 1 */ {"ABC", "ecc=auto; columns=auto", 0, 2},
        /* 2 */ {std::string(100, 'a'), nullptr, 0, 3},  // 51 codewords and the descriptor
        /* 3 */ {std::string(500, '9'), nullptr, 0, 4},  // 171 codewords
        /* 4 */ {std::string(1000, '9'), nullptr, 0, 5},
        /* 5 */ {"ABC", "ecc=0", 0, 0},
        /* 6 */ {"ABC", "ecc=8", 0, 8},
        /* 7 */ {"ABC", "ECC=5; Columns=7", 7, 5},
        /* 8 */ {"ABC", "columns=1", 1, 2},
        /* 9 */ {"ABC", "columns=30", 30, 2},
        /* 10 */ {"ABC", "gs1=on; size=16x48; version=2; dpi=600", 0, 2},  // others' names
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const std::u16string text = Matrix("Orbx_PDF417", rows[i].data, rows[i].settings);
        ASSERT_FALSE(text.empty());
        const Pdf417Symbol p = ReadPdf417(GridOf(text));
        EXPECT_EQ(p.level, rows[i].level);
        if (rows[i].columns > 0) {
            EXPECT_EQ(p.columns, rows[i].columns);
        } else {
            // Its own choice: the fewest columns that make it at least twice as wide as tall
            // (rows 3 modules), within 3 to 90 rows.
            EXPECT_GE(17 * p.columns + 69, 2 * 3 * p.rows);
            EXPECT_GE(p.rows, 3);
            EXPECT_LE(p.rows, 90);
        }
    }
}

struct EmptyRow {
    const char* function;
    std::u16string data;
    const char* settings;
};

TEST(MatrixFunctions, SettingsTheyCannotUseAndDataTooLongGiveTheEmptyText) {
    const std::u16string abc = u"ABC";
    const std::vector<EmptyRow> rows = {
        /* 0 */ {"Orbx_QRCode", abc, "ecc=X"},
        /* 1 */ {"Orbx_QRCode", abc, "ecc="},
        /* 2 */ {"Orbx_QRCode", abc, "ecc=LM"},
        /* 3 */ {"Orbx_QRCode", abc, "version=0"},
        /* 4 */ {"Orbx_QRCode", abc, "version=41"},
        /* 5 */ {"Orbx_QRCode", abc, "version=50"},
        /* 6 */ {"Orbx_QRCode", abc, "version=-1"},
        /* 7 */ {"Orbx_QRCode", abc, "version=1.5"},
        /* 8 */ {"Orbx_QRCode", abc, "gs1=maybe"},
        /* 9 */ {"Orbx_QRCode", abc, "gs1=on"},  // no element string
        /* 10 */ {"Orbx_QRCode", std::u16string(42, u'7'), "ecc=L; version=1"},  // 41 fit
        /* 11 */ {"Orbx_QRCode", std::u16string(7090, u'1'), "ecc=L"},
        /* 12 */ {"Orbx_DataMatrix", abc, "size=7x7"},
        /* 13 */ {"Orbx_DataMatrix", abc, "size=10x12"},
        /* 14 */ {"Orbx_DataMatrix", abc, "size=18x8"},  // rows first
        /* 15 */ {"Orbx_DataMatrix", abc, "size=10"},
        /* 16 */ {"Orbx_DataMatrix", abc, "size=big"},
        /* 17 */ {"Orbx_DataMatrix", abc, "size=1000x1000"},
        /* 18 */ {"Orbx_DataMatrix", abc, "gs1=2"},
        /* 19 */ {"Orbx_DataMatrix", u"1234567", "size=10x10"},  // 6 digits fit
        /* 20 */ {"Orbx_DataMatrix", std::u16string(3117, u'3'), nullptr},
        /* 21 */ {"Orbx_PDF417", abc, "ecc=9"},
        /* 22 */ {"Orbx_PDF417", abc, "ecc=-1"},
        /* 23 */ {"Orbx_PDF417", abc, "ecc=H"},
        /* 24 */ {"Orbx_PDF417", abc, "columns=0"},
        /* 25 */ {"Orbx_PDF417", abc, "columns=31"},
        /* 26 */ {"Orbx_PDF417", abc, "columns=x"},
        /* 27 */ {"Orbx_PDF417", std::u16string(1200, u'a'), "columns=1"},  // over 90 rows
        /* 28 */ {"Orbx_PDF417", std::u16string(2711, u'9'), nullptr},      // ISO/IEC 15438: 2710
        // Past the input limit of 8192 units, and empty data, for each.
        /* 29 */ {"Orbx_QRCode", std::u16string(8193, u'1'), nullptr},
        /* 30 */ {"Orbx_DataMatrix", std::u16string(8193, u'1'), nullptr},
        /* 31 */ {"Orbx_PDF417", std::u16string(8193, u'1'), nullptr},
        /* 32 */ {"Orbx_QRCode", u"", nullptr},
        /* 33 */ {"Orbx_DataMatrix", u"", "size=16x48"},
        /* 34 */ {"Orbx_PDF417", u"", nullptr},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(Matrix(rows[i].function, rows[i].data, rows[i].settings), u"");
    }
    // The largest symbols do hold what the rows above are one too many for.
    EXPECT_NE(Matrix("Orbx_DataMatrix", std::u16string(3116, u'3'), nullptr), u"");
    EXPECT_NE(Matrix("Orbx_PDF417", std::u16string(2710, u'9'), nullptr), u"");
    EXPECT_NE(Matrix("Orbx_DataMatrix", u"123456", "size=10x10"), u"");
}

TEST(MatrixFunctions, TheTextIsLinesOfBlocksOneForEachThreeModuleRows) {
    struct Row {
        const char* function;
        std::string data;
        const char* settings;
        std::size_t lines, characters;  // a line
    };
    const std::vector<Row> rows = {
        // 21 x 21: 7 lines of 11 blocks, the last column of blocks half light.
        /* 0 */ {"Orbx_QRCode", "HELLO", nullptr, 7, 11},
        // 25 x 25: 9 lines, the last two rows of the last line light.
        /* 1 */ {"Orbx_QRCode", "HELLO", "version=2", 9, 13},
        /* 2 */ {"Orbx_QRCode", "HELLO", "version=40", 59, 89},
        /* 3 */ {"Orbx_DataMatrix", "ABC", "size=8x18", 3, 9},
        /* 4 */ {"Orbx_DataMatrix", "ABC", "size=144x144", 48, 72},
        // Every row of PDF417 is a line: 3 modules tall. 1 column: 86 modules, 43 blocks.
        /* 5 */ {"Orbx_PDF417", "ABC", "columns=1", 0, 43},
        /* 6 */ {"Orbx_PDF417", "ABC", "columns=30", 0, 290},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const std::u16string text = Matrix(rows[i].function, rows[i].data, rows[i].settings);
        std::string bytes;
        ASSERT_TRUE(BytesOfResult(text, bytes));
        EXPECT_TRUE(InFontAlphabet(Function(rows[i].function).functionId, bytes));
        const std::size_t lines = std::count(bytes.begin(), bytes.end(), '\r') + 1;
        if (rows[i].lines > 0) {
            EXPECT_EQ(lines, rows[i].lines);
        } else {
            EXPECT_EQ(lines, static_cast<std::size_t>(ReadPdf417(GridOf(text)).rows));
        }
        EXPECT_EQ(bytes.find('\r') == std::string::npos ? bytes.size() : bytes.find('\r'),
                  rows[i].characters);
        // Below the symbol's last row every module is light.
        const Grid g = GridOf(text);
        const int height = Extent(g, false);
        for (std::size_t y = static_cast<std::size_t>(height); y < g.size(); ++y)
            EXPECT_EQ(g[y].find('1'), std::string::npos);
    }
}

TEST(MatrixFunctions, TheDataIsTheHostsUnicodeText) {
    // A lone surrogate is U+FFFD, wherever it stands (zxing-cpp reads surrogate pairs back in
    // tests/oracle/matrix_oracle_test.cpp).
    EXPECT_EQ(Matrix("Orbx_QRCode", u"A\xDC00"), Matrix("Orbx_QRCode", u"A\xFFFD"));
    EXPECT_EQ(Matrix("Orbx_PDF417", u"\xD800\xD800X"), Matrix("Orbx_PDF417", u"\xFFFD\xFFFDX"));
    // Without settings and with an empty settings text, the defaults.
    for (const char* f : {"Orbx_QRCode", "Orbx_DataMatrix", "Orbx_PDF417"}) {
        SCOPED_TRACE(f);
        EXPECT_EQ(Matrix(f, u"Data 123"), Matrix(f, u"Data 123", ""));
        // A settings text too long to be read is not read.
        EXPECT_EQ(Matrix(f, u"Data 123", (std::string(1100, ' ') + "ecc=X").c_str()),
                  Matrix(f, u"Data 123"));
        EXPECT_EQ(Matrix(f, u"8192", std::string(8192, '1').c_str()), Matrix(f, u"8192"));
    }
}

host::Result Image(const std::vector<std::string>& parameters) {
    StartedPlugin();
    std::vector<std::u16string> units;
    for (const std::string& p : parameters)
        units.push_back(host::Utf8ToUtf16(p));
    return host::EvaluateAll(Function("Orbx_Image"), units);
}

struct PictureRow {
    std::vector<std::string> parameters;
    std::string file_name;
    int width, height;  // pixels
};

// The module rounded to whole pixels: 0.5 mm at 300 dpi is 5.9 pixels, 6; 0.33 mm 3.9, 4.
TEST(MatrixFunctions, PicturesHaveTheStandardsQuietZonesAndModule) {
    const std::vector<PictureRow> rows = {
        // 21 modules and 4 of quiet zone on each side.
        /* 0 */ {{"QRCode", "HELLO"}, "QRCode.png", 29 * 6, 29 * 6},
        /* 1 */ {{"qrcode", "HELLO", "dpi=600; ecc=H; version=2"}, "QRCode.png", 33 * 12, 33 * 12},
        // The height and the readable line do not apply.
        /* 2 */ {{"QRCode", "HELLO", "height=50mm; text=on"}, "QRCode.png", 29 * 6, 29 * 6},
        /* 3 */ {{"QRCode", "HELLO", "quiet=off; module=1mm; dpi=254"}, "QRCode.png", 210, 210},
        // 10 x 10 and 1 module each side.
        /* 4 */ {{"DataMatrix", "ABC"}, "DataMatrix.png", 12 * 6, 12 * 6},
        /* 5 */ {{"DATAMATRIX", "ABC", "size=rectangle"}, "DataMatrix.png", 20 * 6, 10 * 6},
        /* 6 */
        {{"DataMatrix", "ABC", "size=16x48; format=pdf"}, "DataMatrix.pdf", 50 * 6, 18 * 6},
        // 4 columns: 17 x 4 + 69 = 137 modules; each row 3 modules; 2 of quiet zone each side.
        /* 7 */ {{"PDF417", "ABC", "columns=4; ecc=0"}, "PDF417.png", 141 * 4, 0},
        /* 8 */ {{"pdf417", "ABC", "columns=1; quiet=off"}, "PDF417.png", 86 * 4, 0},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const host::Result r = Image(rows[i].parameters);
        ASSERT_TRUE(r.container);
        EXPECT_EQ(host::Utf16ToUtf8(r.container->file_name), rows[i].file_name);
        EXPECT_EQ(r.container->width, rows[i].width);
        if (rows[i].height > 0) {
            EXPECT_EQ(r.container->height, rows[i].height);
        } else {
            // PDF417: the rows' height in pixels, and the quiet zones unless switched off.
            const std::vector<std::string>& p = rows[i].parameters;
            const Pdf417Symbol s = ReadPdf417(GridOf(Matrix("Orbx_PDF417", p[1], p[2].c_str())));
            const bool quiet = p[2].find("quiet=off") == std::string::npos;
            EXPECT_EQ(r.container->height, (3 * s.rows + (quiet ? 4 : 0)) * 4);
        }
    }
}

TEST(MatrixFunctions, PicturesGiveTheEmptyTextWhereTheFunctionsDo) {
    const std::vector<std::vector<std::string>> rows = {
        /* 0 */ {"QRCode", ""},
        /* 1 */ {"QRCode", "ABC", "ecc=X"},
        /* 2 */ {"QRCode", "ABC", "version=50; dpi=600"},
        /* 3 */ {"DataMatrix", "ABC", "size=7x7"},
        /* 4 */ {"PDF417", "ABC", "ecc=9; format=pdf"},
        /* 5 */ {"QRCode", std::string(8193, '1')},
        /* 6 */ {"Orbx_QRCode", "ABC"},  // names are given without Orbx_
        /* 7 */ {"QR", "ABC"},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const host::Result r = Image(rows[i]);
        EXPECT_FALSE(r.container);
        EXPECT_EQ(r.text, u"");
    }
}

}  // namespace
}  // namespace orbx::test
