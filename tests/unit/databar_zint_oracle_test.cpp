// The DataBar symbols read back as modules and compared with zint's symbols for the same GTIN.
// zint is an independent encoder: agreement checks the width procedure, the group tables, the
// checksums, the finders and the element order. The separators of the stacked forms follow our
// own rule and are compared only where it coincides with zint's.
#ifdef ORBX_HAVE_ZINT

#include <gtest/gtest.h>
#include <zint.h>

#include <random>
#include <string>
#include <vector>

#include "encoders/databar/databar.h"
#include "encoders/databar/databar_limited.h"
#include "support/zint_rows.h"

namespace orbx {
namespace {

using Entry = int (*)(char*, char*, long);

// zint's rows for a GTIN; a refusal fails the test.
std::vector<std::string> zint_rows(int symbology, const std::string& gtin13) {
    std::string error;
    auto rows = test::zint_rows(symbology, gtin13, 0, &error);
    if (rows.empty()) ADD_FAILURE() << "zint: " << error;
    return rows;
}

std::string encode(Entry entry, const std::string& data) {
    std::vector<char> out(2048, '\0');
    std::string in = data;
    EXPECT_EQ(entry(in.data(), out.data(), 2048), 0);
    return std::string(out.data());
}

// Width font text as modules: "a" to "i" a space of 1 to 9, "1" to "9" a bar.
std::string font_to_modules(const std::string& text) {
    std::string modules;
    for (char c : text) {
        if (c >= 'a' && c <= 'i') {
            modules.append(static_cast<std::size_t>(c - 'a' + 1), '0');
        } else if (c >= '1' && c <= '9') {
            modules.append(static_cast<std::size_t>(c - '0'), '1');
        } else {
            return std::string("not a width character: ") + c;
        }
    }
    return modules;
}

// Bit `bit` of each column character's value in `table`, as a module row.
std::string column_bits(const std::string& text, const std::string& table, int bit) {
    std::string modules;
    for (char c : text) {
        const auto v = table.find(c);
        if (v == std::string::npos) return std::string("not a column character: ") + c;
        modules += static_cast<char>('0' + ((v >> bit) & 1));
    }
    return modules;
}

// A handful of fixed GTINs and a spread of random ones, as 13 digits without the check digit;
// Limited takes only the values zint accepts for it (leading digit 0 or 1).
std::vector<std::string> gtins(bool limited) {
    std::vector<std::string> out = {"0000000000000", "0950110153000", "1234567890123",
                                    "0012345678905", "1999999999999"};
    if (!limited) out.push_back("9999999999999");
    std::mt19937_64 rng(24724);
    const unsigned long long range = limited ? 2000000000000ULL : 10000000000000ULL;
    for (int i = 0; i < 400; ++i) {
        const std::string v = std::to_string(rng() % range);
        out.push_back(std::string(13 - v.size(), '0') + v);
    }
    return out;
}

TEST(DataBarZintOracle, Omnidirectional) {
    for (const std::string& gtin : gtins(false)) {
        SCOPED_TRACE(gtin);
        const auto z = zint_rows(BARCODE_DBAR_OMN, gtin);
        ASSERT_EQ(z.size(), 1u);
        // Our data carries the check digit place, which is ignored.
        EXPECT_EQ(font_to_modules(encode(Orbelantrix_DataBar_DataBar, gtin + "0")), z[0]);
    }
}

TEST(DataBarZintOracle, Limited) {
    for (const std::string& gtin : gtins(true)) {
        SCOPED_TRACE(gtin);
        const auto z = zint_rows(BARCODE_DBAR_LTD, gtin);
        ASSERT_EQ(z.size(), 1u);
        // zint adds the trailing light modules of the symbol's quiet zone to its row.
        const std::string ours =
            font_to_modules(encode(Orbelantrix_DataBar_DataBarLimited, gtin + "0"));
        ASSERT_EQ(ours.size(), 74u);
        EXPECT_EQ(ours, z[0].substr(0, 74));
        EXPECT_EQ(z[0].find('1', 74), std::string::npos);
    }
}

TEST(DataBarZintOracle, Stacked) {
    for (const std::string& gtin : gtins(false)) {
        SCOPED_TRACE(gtin);
        const auto z = zint_rows(BARCODE_DBAR_STK, gtin);
        ASSERT_EQ(z.size(), 3u);
        const std::string text = encode(Orbelantrix_DataBar_DataBarStacked, gtin + "0");
        const std::string table = "ajklmnoT";
        const std::string top = column_bits(text, table, 0);
        const std::string sep = column_bits(text, table, 1);
        const std::string bottom = column_bits(text, table, 2);
        EXPECT_EQ(top, z[0]);
        EXPECT_EQ(bottom, z[2]);
        // Where the rows agree the separator is their complement in both encoders.
        for (std::size_t c = 4; c < 44; ++c) {
            if (top[c] == bottom[c]) {
                EXPECT_EQ(sep[c], z[1][c]) << c;
            }
        }
    }
}

TEST(DataBarZintOracle, StackedOmnidirectional) {
    int special = 0;
    for (const std::string& gtin : gtins(false)) {
        SCOPED_TRACE(gtin);
        const auto z = zint_rows(BARCODE_DBAR_OMNSTK, gtin);
        ASSERT_EQ(z.size(), 5u);
        const std::string text =
            encode(Orbelantrix_DataBar_DataBarStackedOmniDirectional, gtin + "0");
        ASSERT_EQ(text.size(), 101u);
        std::string top;
        for (char c : text.substr(0, 50))
            top += c == 'w' ? '1' : '0';
        const std::string line2 = text.substr(51);
        const std::string table = "apqrstuvwxyz";
        EXPECT_EQ(top, z[0]);
        EXPECT_EQ(column_bits(line2, table, 0), z[1]);
        EXPECT_EQ(column_bits(line2, table, 1), z[2]);
        EXPECT_EQ(column_bits(line2, table, 3), z[4]);
        // The separator above the bottom row agrees except under a right finder of index 3,
        // where ours has its single dark module at column 28.
        bool isSpecial = false;
        GetDatabarBarWidths(gtin, isSpecial);
        if (isSpecial) {
            ++special;
        } else {
            EXPECT_EQ(column_bits(line2, table, 2), z[3]);
        }
    }
    EXPECT_GT(special, 0);
}

}  // namespace
}  // namespace orbx

#endif  // ORBX_HAVE_ZINT
