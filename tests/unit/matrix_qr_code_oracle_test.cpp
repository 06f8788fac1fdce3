// QR Code against two independent tools: zint encodes the same data at the same level, version
// and mask, and its modules must be ours (where both choose the same segments); zxing-cpp reads
// every symbol back, from a picture with its quiet zone, to the data.
#ifdef ORBX_HAVE_ZINT

#define ZX_USE_UTF8 1
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>
#include <zint.h>

#include <array>
#include <cstdint>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/status.h"
#include "encoders/matrix/gs1_data.h"
#include "encoders/matrix/qr_code.h"

namespace orbx {
namespace {

using Modules = std::vector<std::string>;  // rows of '1' (dark) and '0'

constexpr std::string_view kLevels = "LMQH";

bool IsAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

// Well-formed UTF-8 (RFC 3629), written here for the test on its own.
bool IsUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int n = c < 0x80                ? 0
                : c >= 0xC2 && c < 0xE0 ? 1
                : c >= 0xE0 && c < 0xF0 ? 2
                : c >= 0xF0 && c < 0xF5 ? 3
                                        : -1;
        if (n < 0 || i + static_cast<std::size_t>(n) >= s.size()) return false;
        std::uint32_t cp = n == 0 ? c : c & (0x3F >> n);
        for (int k = 1; k <= n; ++k) {
            const auto t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((t & 0xC0) != 0x80) return false;
            cp = cp << 6 | (t & 0x3F);
        }
        if ((n == 2 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))) ||
            (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += static_cast<std::size_t>(n) + 1;
    }
    return true;
}

Modules Ours(const std::string& data, const QrCodeOptions& o, int* mask = nullptr) {
    auto symbol = std::make_unique<ModuleMatrix>();
    auto codewords = std::make_unique<QrCodewords>();
    Modules rows;
    if (Orbelantrix_QRCode(data, o, *symbol, codewords.get()) != kStatusOk) return rows;
    if (mask != nullptr) *mask = codewords->mask;
    for (int y = 0; y < symbol->height; ++y) {
        std::string row;
        for (int x = 0; x < symbol->width; ++x)
            row += IsDark(*symbol, x, y) ? '1' : '0';
        rows.push_back(row);
    }
    return rows;
}

// zint's symbol for the same data and options: GS1 element strings in parentheses in GS1
// mode, ASCII as it is, other UTF-8 with ECI 26, and any other bytes as they are; `mask` -1
// for zint's own choice.
Modules Theirs(const std::string& data, const QrCodeOptions& o, int mask) {
    zint_symbol* s = ZBarcode_Create();
    s->symbology = BARCODE_QRCODE;
    s->option_1 = static_cast<int>(kLevels.find(o.ecc)) + 1;
    s->option_2 = o.version;
    if (mask >= 0) s->option_3 = (mask + 1) << 8;
    if (o.gs1) {
        s->input_mode = GS1_MODE | GS1PARENS_MODE;
    } else if (IsAscii(data)) {
        s->input_mode = UNICODE_MODE;
    } else if (IsUtf8(data)) {
        s->input_mode = UNICODE_MODE;
        s->eci = 26;
    } else {
        s->input_mode = DATA_MODE;
    }
    const int status = ZBarcode_Encode(s, reinterpret_cast<const unsigned char*>(data.data()),
                                       static_cast<int>(data.size()));
    Modules rows;
    if (status < ZINT_ERROR) {
        for (int y = 0; y < s->rows; ++y) {
            std::string row;
            for (int x = 0; x < s->width; ++x)
                row += (s->encoded_data[y][x >> 3] >> (x & 7)) & 1 ? '1' : '0';
            rows.push_back(row);
        }
    } else {
        ADD_FAILURE() << "zint: " << s->errtxt;
    }
    ZBarcode_Delete(s);
    return rows;
}

// What zxing-cpp reads from the symbol drawn 3 pixels a module with a 4-module quiet zone:
// the content bytes, or "(no read)"; the symbology identifier into `symbology`.
std::string Read(const Modules& rows, std::string* symbology = nullptr) {
    constexpr int kQuiet = 4;
    constexpr int kScale = 3;
    const int n = static_cast<int>(rows.size());
    const int side = (n + 2 * kQuiet) * kScale;
    std::vector<std::uint8_t> image(static_cast<std::size_t>(side * side), 255);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            if (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] != '1') continue;
            for (int dy = 0; dy < kScale; ++dy)
                for (int dx = 0; dx < kScale; ++dx)
                    image[static_cast<std::size_t>(((y + kQuiet) * kScale + dy) * side +
                                                   (x + kQuiet) * kScale + dx)] = 0;
        }
    }
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    const auto result = ZXing::ReadBarcode(
        ZXing::ImageView(image.data(), side, side, ZXing::ImageFormat::Lum), hints);
    if (!result.isValid()) return "(no read)";
    if (symbology != nullptr) *symbology = result.symbologyIdentifier();
    const ZXing::ByteArray& bytes = result.bytes();
    return std::string(bytes.begin(), bytes.end());
}

// What a reader should give back for our data: a GS1 element string's AI and data stream.
std::string Expected(const std::string& data, bool gs1) {
    if (!gs1) return data;
    std::string out(data.size(), '\0');
    const int n = Gs1ElementData(data, out.data(), static_cast<int>(out.size()));
    return out.substr(0, n < 0 ? 0 : static_cast<std::size_t>(n));
}

QrCodeOptions Options(char ecc, int version = 0, int mask = -1, bool gs1 = false) {
    QrCodeOptions o;
    o.ecc = ecc;
    o.version = version;
    o.mask = mask;
    o.gs1 = gs1;
    return o;
}

struct Row {
    std::string data;
    QrCodeOptions options;
};

// Module for module as zint, with zint's own mask choice (or the mask both are given).
TEST(QrCodeZintOracle, ModulesAsZints) {
    const Row rows[] = {
        {"01234567", Options('M')},                                   // 0: ISO/IEC 18004 Annex I
        {"HELLO WORLD", Options('Q')},                                // 1: alphanumeric
        {"Hello, world!", Options('L')},                              // 2: byte
        {"https://example.org/item?id=1234567890123", Options('M')},  // 3: byte, numeric
        {"ABCDEF1234567890123abcdefgh", Options('H')},                // 4: three modes
        {"Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC 12345678",
         Options('M')},                            // 5: ECI 26, numeric
        {"\xF0\x9F\x98\x80 smile", Options('L')},  // 6: 4-byte UTF-8
        {"\xE9t\xE9 \xFF", Options('M')},          // 7: not UTF-8: bytes
        {"01234567", Options('M', 0, 0)},          // 8: each mask
        {"01234567", Options('M', 0, 1)},          // 9
        {"01234567", Options('M', 0, 2)},          // 10
        {"01234567", Options('M', 0, 3)},          // 11
        {"01234567", Options('M', 0, 4)},          // 12
        {"01234567", Options('M', 0, 5)},          // 13
        {"01234567", Options('M', 0, 6)},          // 14
        {"01234567", Options('M', 0, 7)},          // 15
        {"1", Options('H', 40)},                   // 16: as big as asked
        {"ABC", Options('L', 7)},                  // 17: version information
        {"ABC", Options('Q', 27, 5)},              // 18: 14-bit counts
        {std::string(552, '7'), Options('L')},     // 19: fills 9-L
        {std::string(553, '7'), Options('L')},     // 20: 10-L
        {std::string(2953, 'a'), Options('L')},    // 21: fills 40-L
        {std::string(1852, 'Z'), Options('H')},    // 22: fills 40-H
        {"(01)09501101530003(17)140704(10)AB-123", Options('M', 0, -1, true)},  // 23: GS1
        {"(10)A%B(21)12", Options('M', 0, -1, true)},                     // 24: "%%" and FNC1 "%"
        {"(01)09501101530003(10)ab%1(21)12", Options('Q', 0, -1, true)},  // 25: FNC1 as GS
        {"(3103)000189(21)12345(400)X", Options('L', 0, -1, true)},       // 26
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Modules ours = Ours(rows[i].data, rows[i].options);
        ASSERT_FALSE(ours.empty());
        EXPECT_EQ(ours, Theirs(rows[i].data, rows[i].options, rows[i].options.mask));
    }
}

// Random data of each kind at every level in each version range (1-9, 10-26, 27-40).
enum Kind { kDigits, kAlphanumerics, kText, kBinary, kUtf8, kGs1, kKinds };
constexpr std::array<const char*, kKinds> kKindNames{"digits", "alphanumerics", "text",
                                                     "binary", "UTF-8",         "GS1"};

// Data codewords of versions 9, 26 and 40 at L, M, Q, H (ISO/IEC 18004 Table 7), and how
// many characters of each kind a codeword holds, roughly: enough to aim at a version range.
constexpr std::array<std::array<int, 3>, 4> kRangeCodewords{
    {{232, 1370, 2956}, {182, 1062, 2334}, {132, 754, 1666}, {100, 596, 1276}}};
constexpr std::array<double, kKinds> kPerCodeword{2.4, 1.45, 1.0, 1.0, 0.7, 1.6};

std::string RandomData(Kind kind, int length, std::mt19937& rng) {
    static constexpr std::string_view alnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    static constexpr std::string_view lot =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-./_";
    static constexpr std::array<const char*, 6> foreign{
        "\xC3\xA9", "\xC3\x9F", "\xE2\x82\xAC", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80", "\xD0\x96"};
    std::string d;
    auto pick = [&](std::string_view set) { return set[rng() % set.size()]; };
    while (static_cast<int>(d.size()) < length) {
        switch (kind) {
            case kDigits:
                d += static_cast<char>('0' + rng() % 10);
                break;
            case kAlphanumerics:
                d += pick(alnum);
                break;
            case kText:
                // Runs of digits and capitals among lower case, as real text has.
                if (rng() % 4 == 0) {
                    for (int k = static_cast<int>(rng() % 14); k >= 0; --k)
                        d += static_cast<char>('0' + rng() % 10);
                } else {
                    d += static_cast<char>(0x20 + rng() % 95);
                }
                break;
            case kBinary:
                d += static_cast<char>(rng() % 256);
                break;
            case kUtf8:
                if (rng() % 3 == 0) {
                    d += foreign[rng() % foreign.size()];
                } else {
                    d += static_cast<char>(0x20 + rng() % 95);
                }
                break;
            default: {
                // GS1: a GTIN with its check digit, then lots, serials and internal data (no
                // "%": zxing-cpp 1.4 stops reading at "%%" in alphanumeric mode).
                if (d.empty()) {
                    std::string gtin;
                    int sum = 0;
                    for (int k = 0; k < 13; ++k) {
                        const int digit = static_cast<int>(rng() % 10);
                        gtin += static_cast<char>('0' + digit);
                        sum += digit * (k % 2 == 0 ? 3 : 1);
                    }
                    d = "(01)" + gtin + static_cast<char>('0' + (10 - sum % 10) % 10);
                    break;
                }
                const int ai = static_cast<int>(rng() % 3);
                d += ai == 0 ? "(10)" : ai == 1 ? "(21)" : "(91)";
                const int n = 1 + static_cast<int>(rng() % (ai == 2 ? 90 : 20));
                const bool numeric = rng() % 2 == 0;
                for (int k = 0; k < n; ++k)
                    d += numeric ? static_cast<char>('0' + rng() % 10) : pick(lot);
            }
        }
    }
    if (kind == kBinary && IsUtf8(d)) d[rng() % d.size()] = '\xFF';
    return d;
}

int RangeOfSize(int size) {
    const int version = (size - 17) / 4;
    return version <= 9 ? 0 : version <= 26 ? 1 : 2;
}

TEST(QrCodeZintOracle, RandomSymbolsReadBackAndMatchZint) {
    constexpr int kPerCell = 8;
    std::mt19937 rng(180042015);
    int read = 0;
    int equal = 0;
    int size_only = 0;
    int smaller = 0;
    for (int kind = 0; kind < kKinds; ++kind) {
        for (std::size_t l = 0; l < kLevels.size(); ++l) {
            for (int range = 0; range < 3; ++range) {
                int done = 0;
                for (int attempt = 0; attempt < 40 && done < kPerCell; ++attempt) {
                    const int low =
                        range == 0 ? 1 : kRangeCodewords[l][static_cast<std::size_t>(range - 1)];
                    const int high = kRangeCodewords[l][static_cast<std::size_t>(range)];
                    const int codewords =
                        low + static_cast<int>(rng() % static_cast<unsigned>(high - low));
                    const int length =
                        1 + static_cast<int>(codewords *
                                             kPerCodeword[static_cast<std::size_t>(kind)] * 0.97);
                    const std::string data = RandomData(static_cast<Kind>(kind), length, rng);
                    const QrCodeOptions o = Options(kLevels[l], 0, -1, kind == kGs1);
                    int mask = -1;
                    const Modules ours = Ours(data, o, &mask);
                    if (ours.empty() || RangeOfSize(static_cast<int>(ours.size())) != range)
                        continue;
                    ++done;
                    SCOPED_TRACE(std::string(kKindNames[static_cast<std::size_t>(kind)]) + " " +
                                 kLevels[l] + " " + std::to_string(ours.size()) + " modules, " +
                                 std::to_string(data.size()) + " bytes");
                    std::string symbology;
                    const std::string back = Read(ours, &symbology);
                    EXPECT_EQ(back, Expected(data, kind == kGs1));
                    if (kind == kGs1) {
                        EXPECT_EQ(symbology, "]Q3");
                    }
                    read += back == Expected(data, kind == kGs1);

                    const Modules theirs = Theirs(data, o, -1);
                    if (theirs == ours) {
                        ++equal;
                        continue;
                    }
                    // Under our mask zint's modules differ too (else zint chose another mask
                    // for the same modules, by other penalty scores): its segments differ, and
                    // ours cost no more bits.
                    EXPECT_NE(Theirs(data, o, mask), ours) << "the same modules, another mask";
                    EXPECT_LE(ours.size(), theirs.size());
                    if (ours.size() == theirs.size()) {
                        ++size_only;
                    } else {
                        ++smaller;
                    }
                }
                EXPECT_EQ(done, kPerCell) << kKindNames[static_cast<std::size_t>(kind)] << " "
                                          << kLevels[l] << " range " << range;
            }
        }
    }
    std::cout << "[ QR Code ] " << read << " read back by zxing-cpp; against zint " << equal
              << " equal modules, " << size_only << " equal size only, " << smaller << " smaller\n";
}

}  // namespace
}  // namespace orbx

#endif  // ORBX_HAVE_ZINT
