// PDF417 against two independent programs: zint's symbols for the same data, level and columns,
// compared module for module where zint compacts the data as we do (and otherwise for their
// size), and zxing-cpp's reader, which must read every symbol back to its data.
#if defined(ORBX_HAVE_ZINT) && defined(ORBX_HAVE_ZXING)

#define ZX_USE_UTF8 1

#include <gtest/gtest.h>
#include <zint.h>

#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

#include <array>
#include <cstdint>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/status.h"
#include "encoders/matrix/pdf417.h"
#include "support/pdf417_symbol.h"

namespace orbx {
namespace {

// How the data reaches zint and what the reader must give back: bytes that are not UTF-8 as
// they are; text within ISO 8859-1 as its Latin-1 bytes; other text as UTF-8 after ECI 000026.
enum class Kind { kBytes, kLatin1, kUtf8 };

struct Zint {
    std::vector<std::string> rows;
    int columns = 0;
};

Zint zint_pdf417(const std::string& data, int level, int columns, Kind kind) {
    zint_symbol* s = ZBarcode_Create();
    s->symbology = BARCODE_PDF417;
    s->option_1 = level;
    s->option_2 = columns;
    s->input_mode = kind == Kind::kBytes ? DATA_MODE : UNICODE_MODE;
    if (kind == Kind::kUtf8) s->eci = 26;
    Zint out;
    if (ZBarcode_Encode(s, reinterpret_cast<const unsigned char*>(data.data()),
                        static_cast<int>(data.size())) < ZINT_ERROR) {
        // zint keeps each symbol row once, however tall it draws it.
        for (int r = 0; r < s->rows; ++r) {
            std::string row;
            for (int c = 0; c < s->width; ++c)
                row += (s->encoded_data[r][c >> 3] >> (c & 7)) & 1 ? '1' : '0';
            out.rows.push_back(row);
        }
        out.columns = (s->width - 69) / 17;
    } else {
        ADD_FAILURE() << "zint: " << s->errtxt;
    }
    ZBarcode_Delete(s);
    return out;
}

// The data's characters as ISO 8859-1 bytes (the data is UTF-8 within U+00FF).
std::string latin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else {
            out +=
                static_cast<char>((b & 0x03) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        }
    }
    return out;
}

// Whether zxing-cpp reads the data back from the symbol drawn 2 pixels a module, its rows 3
// modules tall, in a quiet zone of 4 modules, with our level and an ECI only for UTF-8.
bool reads_back(const ModuleMatrix& m, const std::string& data, Kind kind, int level) {
    constexpr int kScale = 2;
    constexpr int kQuiet = 4;
    const int width = (m.width + 2 * kQuiet) * kScale;
    const int height = (m.height * m.row_height + 2 * kQuiet) * kScale;
    std::vector<std::uint8_t> image(static_cast<std::size_t>(width) * height, 255);
    for (int y = 0; y < height; ++y) {
        const int row = (y / kScale - kQuiet);
        if (row < 0 || row >= m.height * m.row_height) continue;
        for (int x = 0; x < width; ++x) {
            if (IsDark(m, x / kScale - kQuiet, row / m.row_height))
                image[static_cast<std::size_t>(y) * width + x] = 0;
        }
    }
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::PDF417);
    hints.setIsPure(true);
    const ZXing::Result r = ZXing::ReadBarcode(
        ZXing::ImageView(image.data(), width, height, ZXing::ImageFormat::Lum), hints);
    if (!r.isValid()) {
        ADD_FAILURE() << "zxing-cpp reads nothing";
        return false;
    }
    EXPECT_EQ(r.ecLevel(), std::to_string(level));
    EXPECT_EQ(r.hasECI(), kind == Kind::kUtf8);
    const std::string bytes(r.bytes().begin(), r.bytes().end());
    switch (kind) {
        case Kind::kBytes:
            EXPECT_EQ(bytes, data);
            return bytes == data;
        case Kind::kLatin1:
            EXPECT_EQ(bytes, latin1(data));
            return bytes == latin1(data);
        default:
            EXPECT_EQ(r.text(), data);
            return r.text() == data;
    }
}

// The level a symbol's row indicators give.
int level_of(const std::vector<std::vector<int>>& codewords) {
    return (codewords[1][0] - (static_cast<int>(codewords.size()) - 1) % 3) / 3;
}

enum class Zints { kSameModules, kSameSize, kLarger };

struct Row {
    std::string data;
    int level;
    int columns;
    Kind kind;
    // What zint gives: the same modules; where it compacts otherwise the same size, or more
    // rows than ours (it takes more codewords).
    Zints zint;
};

TEST(Pdf417Oracle, ZintTable) {
    // Bytes written in octal where a letter follows them.
    const std::vector<Row> rows = {
        // 0: ISO/IEC 15438's example data
        {"PDF417", 1, 3, Kind::kLatin1, Zints::kSameModules},
        {"Hello World", 0, 1, Kind::kLatin1, Zints::kSameModules},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz", 3, 4, Kind::kLatin1,
         Zints::kSameModules},
        // 3-6: numeric compaction: digits that end the data, 44 digits a group
        {"0123456789", 4, 5, Kind::kLatin1, Zints::kSameModules},
        {std::string(44, '9'), 5, 6, Kind::kLatin1, Zints::kSameModules},
        {"1" + std::string(44, '0'), 2, 7, Kind::kLatin1, Zints::kSameModules},
        {std::string(100, '5') + "12", 8, 30, Kind::kLatin1, Zints::kSameModules},
        // 7-9: mixed and punctuation sub-modes
        {"ab,cd x@y a;b;c", 2, 8, Kind::kLatin1, Zints::kSameModules},
        {"Code 128 & PDF417: 3.14 $/+%*=^", 3, 9, Kind::kLatin1, Zints::kSameModules},
        {"https://www.example.com/path?query=1&b=2", 4, 10, Kind::kLatin1, Zints::kSameModules},
        // 10-11: byte compaction, 924 and 901
        {std::string("\x00\x01\x02\xFF\xFE\xFD", 6), 2, 11, Kind::kBytes, Zints::kSameModules},
        {std::string("\x00\x01\x02\xFF\xFE\xFD\x80", 7), 3, 12, Kind::kBytes, Zints::kSameModules},
        // 12: a byte shifted to from text
        {"ABCDE\200FGHIJ", 2, 13, Kind::kBytes, Zints::kSameModules},
        // 13: ISO 8859-1 characters, no ECI
        {"\xC3\xA9t\xC3\xA9 \xC3\xA0 Z\xC3\xBCrich", 5, 14, Kind::kLatin1, Zints::kSameModules},
        // 14-15: beyond ISO 8859-1: ECI 000026 and UTF-8
        {"\xCE\xA9mega", 6, 15, Kind::kUtf8, Zints::kSameModules},
        {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", 7, 16, Kind::kUtf8, Zints::kSameModules},
        // 16-17: the smallest and the widest
        {"A", 0, 1, Kind::kLatin1, Zints::kSameModules},
        {"A", 8, 30, Kind::kLatin1, Zints::kSameModules},
        // 18: a numeric run between text
        {"Invoice 12345678901234567890 total 99.50 EUR", 4, 17, Kind::kLatin1, Zints::kSameModules},
        // 19: CR, HT and LF
        {"Line 1\r\nLine\t2", 3, 18, Kind::kLatin1, Zints::kSameModules},
        // 20-25: where zint compacts otherwise: a shift, not a latch, to the punctuation; bytes,
        // not text, before a byte; text, not bytes, after it
        {"Hello, World! 123", 1, 3, Kind::kLatin1, Zints::kSameSize},
        {"AB\200CDEFG", 2, 13, Kind::kBytes, Zints::kSameSize},
        {"Gr\303\274\303\237e aus K\303\266ln", 5, 14, Kind::kLatin1, Zints::kSameSize},
        {"UE2", 2, 1, Kind::kLatin1, Zints::kLarger},
        {"A\200BC", 2, 1, Kind::kBytes, Zints::kLarger},
        {"abcd\303\251fgh\303\255jklmn\303\266", 2, 1, Kind::kLatin1, Zints::kLarger},
    };
    auto m = std::make_unique<ModuleMatrix>();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const Row& row = rows[i];
        ASSERT_EQ(Orbelantrix_PDF417(row.data, {row.level, row.columns}, *m), kStatusOk);
        const std::vector<std::string> ours = test::matrix_rows(*m);
        const Zint zint = zint_pdf417(row.data, row.level, row.columns, row.kind);
        ASSERT_EQ(zint.columns, row.columns);
        switch (row.zint) {
            case Zints::kSameModules:
                EXPECT_EQ(ours, zint.rows);
                break;
            case Zints::kSameSize:
                EXPECT_NE(ours, zint.rows);
                EXPECT_EQ(ours.size(), zint.rows.size());
                break;
            case Zints::kLarger:
                EXPECT_LT(ours.size(), zint.rows.size());
                break;
        }
        EXPECT_TRUE(reads_back(*m, row.data, row.kind, row.level));
    }
}

// Random data of each kind in every level and every column count: every symbol read back by
// zxing-cpp, and compared with zint's for the same options. Between them the symbols carry
// every codeword of every cluster, so that the reader checks the whole codeword table.
TEST(Pdf417Oracle, RandomSymbols) {
    const std::string printable =
        " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstu"
        "vwxyz{|}~\r\n\t";
    const char* const kinds[] = {"digits", "letters", "text", "mixed",
                                 "binary", "Latin-1", "UTF-8"};
    constexpr int kKinds = 7;
    std::array<std::array<int, 4>, kKinds> tally{};  // same modules, same size, smaller, read
    std::vector<std::array<bool, kPdf417Values>> seen(3);
    std::mt19937 rng(417);
    auto m = std::make_unique<ModuleMatrix>();
    int trial = 0;
    int made = 0;
    for (int level = 0; level <= 8; ++level) {
        for (int columns = 1; columns <= 30; ++columns) {
            for (int k = 0; k < kKinds; ++k, ++trial) {
                SCOPED_TRACE(testing::Message()
                             << "trial " << trial << ", " << kinds[k] << ", level " << level << ", "
                             << columns << " columns");
                // Lengths that fit (and mostly fill a good part of) the largest symbols.
                const int length = 1 + static_cast<int>(rng() % (level >= 7 ? 120 : 260));
                std::string data;
                Kind kind = Kind::kLatin1;
                for (int i = 0; i < length; ++i) {
                    const unsigned r = rng();
                    switch (k) {
                        case 0:
                            data += static_cast<char>('0' + r % 10);
                            break;
                        case 1:
                            data += r % 7 == 0 ? ' ' : static_cast<char>('A' + r % 26);
                            break;
                        case 2:
                            data += printable[r % printable.size()];
                            break;
                        case 3:
                            data += r % 3 == 0   ? static_cast<char>('0' + r / 3 % 10)
                                    : r % 3 == 1 ? static_cast<char>('a' + r / 3 % 26)
                                                 : printable[r / 3 % printable.size()];
                            break;
                        case 4:
                            data += static_cast<char>(r % 256);
                            kind = Kind::kBytes;
                            break;
                        case 5: {
                            // Printable ASCII and the ISO 8859-1 letters and signs (zint takes
                            // U+0080 to U+009F for characters beyond ISO 8859-1).
                            const unsigned c = r % 2 == 0 ? 32 + r / 2 % 95 : 0xA0 + r / 2 % 96;
                            if (c < 0x80) {
                                data += static_cast<char>(c);
                            } else {
                                data += static_cast<char>(0xC0 | c >> 6);
                                data += static_cast<char>(0x80 | (c & 0x3F));
                            }
                            break;
                        }
                        default:
                            data += r % 4 == 0   ? "\xE6\x97\xA5"
                                    : r % 4 == 1 ? "\xC3\xA9"
                                                 : std::string(1, static_cast<char>('a' + r % 26));
                            kind = Kind::kUtf8;
                            break;
                    }
                }
                // 0xFF is in no UTF-8; U+65E5 in no ISO 8859-1.
                if (kind == Kind::kBytes) data[rng() % data.size()] = '\xFF';
                if (kind == Kind::kUtf8) data += "\xE6\x97\xA5";

                // Refused exactly where the codewords do not fit 928, or 90 rows of the columns.
                std::uint16_t scratch[kPdf417MaxCodewords];
                const int needed =
                    1 + Pdf417DataCodewords(data, scratch, kPdf417MaxCodewords) + (2 << level);
                int rows = (needed + columns - 1) / columns;
                rows = rows < 3 ? 3 : rows;
                const bool fits = needed <= kPdf417MaxCodewords && rows <= 90 &&
                                  rows * columns <= kPdf417MaxCodewords;
                const int status = Orbelantrix_PDF417(data, {level, columns}, *m);
                EXPECT_EQ(status, fits ? kStatusOk : kStatusRefused);
                if (status != kStatusOk) continue;
                ++made;
                EXPECT_EQ(m->height, rows);
                const std::vector<std::string> ours = test::matrix_rows(*m);
                const Zint zint = zint_pdf417(data, level, columns, kind);
                auto& t = tally[static_cast<std::size_t>(k)];
                if (ours == zint.rows) {
                    ++t[0];
                } else if (zint.columns == columns) {
                    // Where zint compacts otherwise, our symbol is no larger.
                    EXPECT_LE(ours.size(), zint.rows.size());
                    ++t[ours.size() == zint.rows.size() ? 1 : 2];
                }
                if (!reads_back(*m, data, kind, level)) continue;
                ++t[3];
                const auto codewords = test::read_codewords(ours);
                for (std::size_t y = 0; y < codewords.size(); ++y) {
                    for (int v : codewords[y])
                        seen[y % 3][static_cast<std::size_t>(v)] = true;
                }
                EXPECT_EQ(level_of(codewords), level);
            }
        }
    }
    int patterns = 0;
    for (const auto& cluster : seen) {
        for (bool s : cluster)
            patterns += s;
    }
    EXPECT_EQ(patterns, 3 * kPdf417Values);
    EXPECT_GT(made, trial * 3 / 4);
    for (int k = 0; k < kKinds; ++k) {
        const auto& t = tally[static_cast<std::size_t>(k)];
        std::cout << "[pdf417] " << kinds[k] << ": zint's modules " << t[0] << ", zint's size "
                  << t[1] << ", smaller than zint's " << t[2] << "; read back " << t[3] << "\n";
    }
    std::cout << "[pdf417] " << made << " symbols of " << trial << " random data; codeword "
              << "patterns read back: " << patterns << " of " << 3 * kPdf417Values << "\n";
}

}  // namespace
}  // namespace orbx

#endif
