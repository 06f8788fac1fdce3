// QR Code: the standard's worked example and capacities, bit streams worked out by hand from
// ISO/IEC 18004's rules, and the refusals.
#include "encoders/matrix/qr_code.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/status.h"

namespace orbx {
namespace {

QrCodeOptions level(char ecc, int version = 0) {
    QrCodeOptions o;
    o.ecc = ecc;
    o.version = version;
    return o;
}

QrCodeOptions gs1(char ecc = 'M') {
    QrCodeOptions o = level(ecc);
    o.gs1 = true;
    return o;
}

struct CodewordRow {
    std::string data;
    QrCodeOptions options;
    int version;
    std::vector<std::uint8_t> data_codewords;
    std::vector<std::uint8_t> ecc_codewords;  // empty: not checked
};

TEST(QrCode, DataCodewords) {
    const CodewordRow rows[] = {
        // 0: ISO/IEC 18004 Annex I, "01234567" as 1-M: one numeric segment, 10 EC codewords
        {"01234567",
         level('M'),
         1,
         {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC,
          0x11},
         {0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55}},
        // 1: "é" as UTF-8: ECI 000026, then its two bytes in byte mode
        {"\xC3\xA9",
         level('M'),
         1,
         {0x71, 0xA4, 0x02, 0xC3, 0xA9, 0x00, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC,
          0x11},
         {}},
        // 2: a byte that is not UTF-8: byte mode as it is, no ECI
        {"\xE9",
         level('M'),
         1,
         {0x40, 0x1E, 0x90, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11,
          0xEC},
         {}},
        // 3: one alphanumeric (19 bits) rather than one byte (20)
        {"A",
         level('M'),
         1,
         {0x20, 0x09, 0x40, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11,
          0xEC},
         {}},
        // 4: GS1: FNC1 in first position, then 16 digits in numeric mode
        {"(01)09501101530003",
         gs1(),
         1,
         {0x51, 0x04, 0x00, 0xAE, 0xD8, 0x6E, 0x26, 0x40, 0x03, 0x00, 0xEC, 0x11, 0xEC, 0x11, 0xEC,
          0x11},
         {}},
        // 5: GS1: the separator after a variable-length element as "%" in alphanumeric mode
        {"(10)AB(21)12",
         gs1(),
         1,
         {0x52, 0x04, 0x82, 0xD3, 0x9B, 0xAC, 0x01, 0x70, 0x40, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11,
          0xEC},
         {}},
        // 6: GS1: a literal "%" as "%%" in alphanumeric mode
        {"(10)A%B",
         gs1(),
         1,
         {0x52, 0x03, 0x02, 0xD3, 0xD1, 0xAE, 0x40, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11,
          0xEC},
         {}},
    };
    auto symbol = std::make_unique<ModuleMatrix>();
    auto codewords = std::make_unique<QrCodewords>();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const CodewordRow& row = rows[i];
        ASSERT_EQ(Orbelantrix_QRCode(row.data, row.options, *symbol, codewords.get()), kStatusOk);
        EXPECT_EQ(codewords->version, row.version);
        EXPECT_EQ(symbol->width, 17 + 4 * row.version);
        EXPECT_EQ(
            std::vector<std::uint8_t>(codewords->data, codewords->data + codewords->data_count),
            row.data_codewords);
        if (row.ecc_codewords.empty()) continue;
        EXPECT_EQ(std::vector<std::uint8_t>(codewords->final + codewords->data_count,
                                            codewords->final + codewords->total),
                  row.ecc_codewords);
    }
}

struct CapacityRow {
    char ecc;
    char character;  // '1' numeric, 'A' alphanumeric, 'a' byte
    int most;        // the most characters of the version
    int version;
};

// ISO/IEC 18004 Table 7's character capacities: the most characters fit the version, one
// more needs the next version, or no version at all after 40.
TEST(QrCode, CapacitiesOfTable7) {
    const CapacityRow rows[] = {
        {'L', '1', 41, 1},    {'M', '1', 34, 1},    {'Q', '1', 27, 1},
        {'H', '1', 17, 1},  // 0-3
        {'L', 'A', 25, 1},    {'M', 'A', 20, 1},    {'Q', 'A', 16, 1},
        {'H', 'A', 10, 1},  // 4-7
        {'L', 'a', 17, 1},    {'M', 'a', 14, 1},    {'Q', 'a', 11, 1},
        {'H', 'a', 7, 1},                                                 // 8-11
        {'L', '1', 77, 2},    {'L', 'A', 47, 2},    {'L', 'a', 32, 2},    // 12-14
        {'L', '1', 552, 9},   {'L', 'A', 335, 9},   {'L', 'a', 230, 9},   // 15-17
        {'L', '1', 652, 10},  {'L', 'A', 395, 10},  {'L', 'a', 271, 10},  // 18-20
        {'L', '1', 7089, 40}, {'M', '1', 5596, 40}, {'Q', '1', 3993, 40},
        {'H', '1', 3057, 40},  // 21-24
        {'L', 'A', 4296, 40}, {'M', 'A', 3391, 40}, {'Q', 'A', 2420, 40},
        {'H', 'A', 1852, 40},  // 25-28
        {'L', 'a', 2953, 40}, {'M', 'a', 2331, 40}, {'Q', 'a', 1663, 40},
        {'H', 'a', 1273, 40},  // 29-32
    };
    auto symbol = std::make_unique<ModuleMatrix>();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const CapacityRow& row = rows[i];
        const std::string most(static_cast<std::size_t>(row.most), row.character);
        ASSERT_EQ(Orbelantrix_QRCode(most, level(row.ecc), *symbol), kStatusOk);
        EXPECT_EQ(symbol->width, 17 + 4 * row.version);
        const int more = Orbelantrix_QRCode(most + row.character, level(row.ecc), *symbol);
        if (row.version == 40) {
            EXPECT_EQ(more, kStatusRefused);
            EXPECT_EQ(symbol->width, 0);
        } else {
            ASSERT_EQ(more, kStatusOk);
            EXPECT_EQ(symbol->width, 17 + 4 * (row.version + 1));
        }
    }
}

struct StatusRow {
    std::string data;
    QrCodeOptions options;
    int status;
    int size;  // 0 when refused
};

QrCodeOptions mask(int m) {
    QrCodeOptions o;
    o.mask = m;
    return o;
}

TEST(QrCode, OptionsAndRefusals) {
    const StatusRow rows[] = {
        {"", level('M'), kStatusRefused, 0},                        // 0: empty
        {"1", level('X'), kStatusRefused, 0},                       // 1
        {"1", level('m'), kStatusRefused, 0},                       // 2: levels are capitals
        {"1", level('M', -1), kStatusRefused, 0},                   // 3
        {"1", level('M', 41), kStatusRefused, 0},                   // 4
        {"1", mask(-2), kStatusRefused, 0},                         // 5
        {"1", mask(8), kStatusRefused, 0},                          // 6
        {"1", mask(7), kStatusOk, 21},                              // 7
        {"1", level('H', 40), kStatusOk, 177},                      // 8: as big as asked
        {"ABCDEFGHIJK", level('H', 1), kStatusRefused, 0},          // 9: 1-H holds 10
        {"ABCDEFGHIJK", level('H', 2), kStatusOk, 25},              // 10
        {std::string(7090, '1'), level('L'), kStatusRefused, 0},    // 11
        {std::string(100000, 'a'), level('L'), kStatusRefused, 0},  // 12
        {"01095011015300031", gs1(), kStatusRefused, 0},            // 13: no AI
        {"(01)", gs1(), kStatusRefused, 0},                         // 14
        {"(10)A B", gs1(), kStatusRefused, 0},                      // 15: space
        {"(10)\xC3\xA9", gs1(), kStatusRefused, 0},                 // 16: not ASCII
        {"(10)" + std::string(90, '1') + "(21)" + std::string(90, '1'), gs1('H'), kStatusOk,
         49},                                                   // 17
        {"(10)" + std::string(90, 'A'), gs1(), kStatusOk, 37},  // 18
        {std::string("\0\0", 2), level('M'), kStatusOk, 21},    // 19: NUL bytes
    };
    auto symbol = std::make_unique<ModuleMatrix>();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Orbelantrix_QRCode(rows[i].data, rows[i].options, *symbol), rows[i].status);
        EXPECT_EQ(symbol->width, rows[i].size);
        EXPECT_EQ(symbol->height, rows[i].size);
    }
}

// Whatever the bytes and options, a status and a whole symbol or none (run under the
// sanitizers, any write past a buffer fails).
TEST(QrCode, AnyInputGivesAStatus) {
    std::mt19937 rng(18004);
    auto symbol = std::make_unique<ModuleMatrix>();
    for (int trial = 0; trial < 400; ++trial) {
        SCOPED_TRACE(trial);
        std::string data(rng() % (trial % 50 == 0 ? 8000 : 300), '\0');
        const unsigned alphabet = trial % 3 == 0 ? 256 : trial % 3 == 1 ? 64 : 12;
        for (char& c : data)
            c = static_cast<char>(trial % 3 == 2 ? "0123456789()"[rng() % alphabet]
                                                 : rng() % alphabet);
        QrCodeOptions o;
        o.ecc = "LMQHx"[rng() % 5];
        o.version = static_cast<int>(rng() % 43) - 1;
        o.mask = static_cast<int>(rng() % 10) - 2;
        o.gs1 = rng() % 4 == 0;
        const int status = Orbelantrix_QRCode(data, o, *symbol);
        ASSERT_TRUE(status == kStatusOk || status == kStatusRefused);
        if (status == kStatusRefused) {
            EXPECT_EQ(symbol->width, 0);
        } else {
            EXPECT_EQ((symbol->width - 17) % 4, 0);
            EXPECT_EQ(symbol->height, symbol->width);
            if (o.version > 0) {
                EXPECT_EQ(symbol->width, 17 + 4 * o.version);
            }
        }
    }
}

}  // namespace
}  // namespace orbx
