// DataBar Expanded read back as modules and compared with independent tools: zint's symbols for
// the same element strings (BARCODE_DBAR_EXP, BARCODE_DBAR_EXPSTK), and zxing-cpp's reader on
// our rendered single rows. zint's choices in the general-purpose field and its compressed
// methods for (01)9... sometimes differ from ours; the symbols are then compared through what
// they carry (the reader's text), and module for module wherever the data characters agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "encoders/databar/databar.h"
#include "encoders/databar/databar_expanded.h"
#include "encoders/databar/databar_expanded_encodation.h"
#include "encoders/databar/databar_widths.h"

#ifdef ORBX_HAVE_ZINT
#include "support/zint_rows.h"
#endif
#ifdef ORBX_HAVE_ZXING
// The reader's text as UTF-8.
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>
#endif

namespace orbx {
namespace {

// An element string in three spellings: ours ("^" for FNC1), zint's (square brackets), and the
// reader's text (parentheses, no FNC1).
struct ElementString {
    std::string ours;
    std::string zint;
    std::string read;
};

ElementString element_string(const std::string& text) {
    ElementString e;
    for (char c : text) {
        e.ours += c == '^' ? FNC_1 : c;
        if (c == '(') e.zint += '[';
        if (c == ')') e.zint += ']';
        if (c != '(' && c != ')' && c != '^') e.zint += c;
        if (c != '^') e.read += c;
    }
    return e;
}

std::string text_of(const std::string& data, long segs) {
    std::vector<char> out(20480, '\0');
    std::string in = data;
    EXPECT_EQ(Orbelantrix_DataBar_DataBarExpanded(in.data(), segs, out.data(), 20480), 0) << data;
    return std::string(out.data());
}

// Our font text as module rows "0"/"1": the first line, then for each further line its lower
// separator, middle row, upper separator and row, top to bottom as zint stacks them.
std::vector<std::string> our_rows(const std::string& data, long segs) {
    const std::string text = text_of(data, segs);
    const std::string table = "apqrstuvwxyz";
    std::vector<std::string> rows;
    std::size_t start = 0;
    for (bool first = true;; first = false) {
        const std::size_t end = text.find('\r', start);
        const std::string line = text.substr(start, end - start);
        if (first) {
            std::string m;
            for (char c : line)
                m += c == 'w' ? '1' : '0';
            rows.push_back(m);
        } else {
            std::string r[4];
            for (char c : line) {
                const auto v = table.find(c);
                for (int b = 0; b < 4; ++b)
                    r[b] += static_cast<char>('0' + ((v >> b) & 1));
            }
            rows.insert(rows.end(), {r[0], r[1], r[2], r[3]});
        }
        if (end == std::string::npos) return rows;
        start = end + 1;
    }
}

// Symbol character values of a single row, check character first, read through the width
// table of the Expanded characters.
std::vector<int> symbol_values(const std::string& modules) {
    static const std::map<std::string, int> table = [] {
        std::map<std::string, int> t;
        for (int v = 0; v < 4192; ++v) {
            const auto g = SetExpandedDataValues(v);
            const int x = v - g->sumOfPreviousGroups;
            t[GetCharacterWidths(*g, x / g->evenSubsetTotalValue, x % g->evenSubsetTotalValue, 4,
                                 false, true)] = v;
        }
        return t;
    }();
    std::string widths;
    for (std::size_t i = 0; i < modules.size();) {
        std::size_t j = i;
        while (j < modules.size() && modules[j] == modules[i])
            ++j;
        widths += static_cast<char>('0' + (j - i));
        i = j;
    }
    std::vector<int> values;
    // After the guard: check, finder, right, then left, right, finder, left ...
    std::size_t p = 2;
    for (std::size_t n = 0; p + 8 + 2 <= widths.size(); ++n) {
        std::string w = widths.substr(p, 8);
        if (n % 2 == 1) w = std::string(w.rbegin(), w.rend());
        const auto it = table.find(w);
        values.push_back(it == table.end() ? -1 : it->second);
        p += n % 2 == 0 ? 8 + 5 : 8;
    }
    return values;
}

// A spread of element strings: GTINs (not starting with 9, where zint compresses further
// element strings of its own accord) and variable-length fields of digits, capitals and the
// other characters, separated by FNC1.
std::vector<std::string> element_strings(int count) {
    std::mt19937 rng(24724);
    const std::string digits = "0123456789";
    const std::string capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789*,-./";
    const std::string any =
        "!\"%&'*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnop";
    const char* ais[] = {"10", "21", "22", "90", "91", "240"};
    std::vector<std::string> out;
    for (int t = 0; t < count; ++t) {
        std::string e;
        if (rng() % 2 == 0) {
            std::string g;
            for (int k = 0; k < 13; ++k)
                g += digits[rng() % 10];
            if (g[0] == '9') g[0] = '8';
            int sum = 0;
            for (int k = 0; k < 13; ++k)
                sum += (g[12 - static_cast<std::size_t>(k)] - '0') * (k % 2 == 0 ? 3 : 1);
            e = "(01)" + g + static_cast<char>('0' + (10 - sum % 10) % 10);
        }
        const int fields = static_cast<int>(rng() % 3) + (e.empty() ? 1 : 0);
        for (int f = 0; f < fields; ++f) {
            if (f > 0) e += '^';
            e += std::string("(") + ais[rng() % 6] + ")";
            const std::string& set = rng() % 3 == 0 ? digits : rng() % 2 == 0 ? capitals : any;
            const std::size_t len = 1 + rng() % 12;
            for (std::size_t k = 0; k < len; ++k)
                e += set[rng() % set.size()];
        }
        out.push_back(e);
    }
    return out;
}

#ifdef ORBX_HAVE_ZINT

using test::zint_rows;

// Of the random element strings, those that we encode and zint encodes in one row, with zint's
// row.
struct OneRow {
    std::string text;
    ElementString e;
    std::string zint;
};

std::vector<OneRow> encoded_by_both(int count) {
    std::vector<OneRow> out;
    for (const std::string& text : element_strings(count)) {
        const ElementString e = element_string(text);
        if (GetDatabarExpandedBarWidths(VerifyUserData(e.ours, "x"), 22) == "-1") continue;
        const auto z = zint_rows(BARCODE_DBAR_EXP, e.zint);
        if (z.size() == 1) out.push_back({text, e, z[0]});
    }
    return out;
}

// Element strings that both encoders encode alike: module for module the same symbol.
TEST(DataBarExpandedZintOracle, SameEncodationSameSymbol) {
    const std::string rows[] = {
        "(01)12345678901231",                                  // 0: method "1", GTIN alone
        "(10)AB^(21)12",                                       // 1: FNC1 after alphanumerics
        "(10)1",                                               // 2: 4 symbol characters
        "(01)00012345678905(10)A",                             // 3
        "(01)12345678901231(21)123456",                        // 4
        "(01)12345678901231(10)ABC123",                        // 5
        "(90)ABCDEFGHIJ",                                      // 6
        "(01)12345678901231(3103)001750",                      // 7
        "(90)abc^(91)X1",                                      // 8: ISO/IEC 646 and FNC1
        "(01)12345678901231(10)12345678901234567890^(21)ABC",  // 9
        "(8200)http://ABC.EXAMPLE/1",                          // 10
        "(10)a-b.c/d",                                         // 11
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const ElementString e = element_string(rows[i]);
        const auto z = zint_rows(BARCODE_DBAR_EXP, e.zint);
        ASSERT_EQ(z.size(), 1u) << e.zint;
        const auto ours = our_rows(e.ours, 22);
        ASSERT_EQ(ours.size(), 1u);
        EXPECT_EQ(ours[0], z[0]);
        const auto values = symbol_values(ours[0]);
        EXPECT_EQ(values, symbol_values(z[0]));
        EXPECT_EQ(values.size(),
                  GetDatabarExpandedBinaryString(VerifyUserData(e.ours, "x"), 22).size() / 12 + 1);
    }
}

// Wherever our data characters are zint's, so are the check character and every module.
TEST(DataBarExpandedZintOracle, SameDataCharactersSameSymbol) {
    int same = 0;
    int total = 0;
    for (const auto& [text, e, zint] : encoded_by_both(600)) {
        SCOPED_TRACE(text);
        ++total;
        const std::string ours = our_rows(e.ours, 22)[0];
        const auto ourValues = symbol_values(ours);
        const auto zintValues = symbol_values(zint);
        ASSERT_FALSE(ourValues.empty());
        EXPECT_EQ(std::count(ourValues.begin(), ourValues.end(), -1), 0);
        EXPECT_EQ(std::count(zintValues.begin(), zintValues.end(), -1), 0);
        if (std::equal(ourValues.begin() + 1, ourValues.end(), zintValues.begin() + 1,
                       zintValues.end())) {
            ++same;
            EXPECT_EQ(ourValues[0], zintValues[0]);
            EXPECT_EQ(ours, zint);
        }
    }
    // Most element strings are encoded alike; the comparison is not vacuous.
    EXPECT_GT(total, 500);
    EXPECT_GT(same, total * 3 / 4);
}

// Stacked: the rows of data agree with zint's; the separators and the middle row agree away
// from the finders and the row ends, where the two follow different rules.
TEST(DataBarExpandedZintOracle, StackedRows) {
    std::mt19937 rng(7);
    int compared = 0;
    int shifted = 0;
    for (const auto& [text, e, single] : encoded_by_both(600)) {
        SCOPED_TRACE(text);
        if (our_rows(e.ours, 22)[0] != single) continue;
        const int segs = 2 * static_cast<int>(1 + rng() % 10);
        SCOPED_TRACE(segs);
        const auto ours = our_rows(e.ours, segs);
        const auto z = zint_rows(BARCODE_DBAR_EXPSTK, e.zint, segs / 2);
        ASSERT_EQ(ours.size(), z.size());
        if (ours.size() == 1) continue;
        ++compared;
        for (std::size_t r = 0; r < ours.size(); r += 4) {
            SCOPED_TRACE(r);
            const std::string& row = ours[r];
            ASSERT_LE(row.size(), z[r].size());
            EXPECT_EQ(row, z[r].substr(0, row.size()));
            EXPECT_EQ(z[r].find('1', row.size()), std::string::npos);
            if (r > 0 && row[0] == '0' && row[1] == '0') ++shifted;
        }
        for (std::size_t r = 1; r < ours.size(); ++r) {
            if (r % 4 == 0) continue;
            SCOPED_TRACE(r);
            const std::string& above = ours[r - r % 4];
            const std::string& below = ours[r - r % 4 + 4];
            const std::size_t end = std::min(above.find_last_of('1'), below.find_last_of('1'));
            // Finders lie 19 + 49j modules from a row's start, or from its end when it reads
            // right to left.
            auto near_finder = [](std::size_t offset) {
                return offset >= 17 && (offset - 17) % 49 < 20;
            };
            const std::size_t aboveEnd = above.find_last_of('1') + 2;
            const std::size_t belowEnd = below.find_last_of('1') + 2;
            for (std::size_t c = 6; c + 5 < end; ++c) {
                if (near_finder(c) || near_finder(aboveEnd - c) || near_finder(belowEnd - c)) {
                    continue;
                }
                EXPECT_EQ(ours[r][c], z[r][c]) << c;
            }
        }
    }
    EXPECT_GT(compared, 200);
    EXPECT_GT(shifted, 0);
}

#endif  // ORBX_HAVE_ZINT

#ifdef ORBX_HAVE_ZXING

// What zxing-cpp reads from a single row drawn 4 pixels per module with quiet zones.
std::string read_row(const std::string& modules) {
    constexpr int kQuiet = 20;
    constexpr int kScale = 4;
    constexpr int kHeight = 80;
    const int width = (static_cast<int>(modules.size()) + 2 * kQuiet) * kScale;
    std::vector<std::uint8_t> image(static_cast<std::size_t>(width * kHeight), 255);
    for (int y = 0; y < kHeight; ++y) {
        for (std::size_t c = 0; c < modules.size(); ++c) {
            if (modules[c] != '1') continue;
            for (int k = 0; k < kScale; ++k)
                image[static_cast<std::size_t>(y * width + (kQuiet + static_cast<int>(c)) * kScale +
                                               k)] = 0;
        }
    }
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::DataBarExpanded);
    const auto result = ZXing::ReadBarcode(
        ZXing::ImageView(image.data(), width, kHeight, ZXing::ImageFormat::Lum), hints);
    return result.isValid() ? result.text() : std::string("(no read)");
}

// A reader finds in our symbols the element strings we encoded, check character verified,
// whatever the encodation method.
TEST(DataBarExpandedReader, ReadsWhatWasEncoded) {
    const std::string rows[] = {
        "(01)98898765432106(3202)012345(15)991231",  // 0: worked example, method "00"
        "(01)92345678901234(3103)000123",            // 1: worked example, method "00"
        "(10)AB^(21)12",                             // 2: FNC1 after alphanumerics
        "(90)abc^(91)X1",                            // 3: FNC1 after ISO/IEC 646
        "(10)A1b2C3^(21)99",                         // 4
        "(01)12345678901231(10)ABCDEF12345",         // 5
        "(90)aBCDEFGH12345678^(91)1",                // 6: latches both ways
        "(01)92345678901234",                        // 7
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const ElementString e = element_string(rows[i]);
        EXPECT_EQ(read_row(our_rows(e.ours, 22)[0]), e.read);
    }
}

TEST(DataBarExpandedReader, ReadsTheSpread) {
    int read = 0;
    for (const std::string& text : element_strings(600)) {
        SCOPED_TRACE(text);
        const ElementString e = element_string(text);
        if (GetDatabarExpandedBarWidths(VerifyUserData(e.ours, "x"), 22) == "-1") continue;
        const std::string got = read_row(our_rows(e.ours, 22)[0]);
        // The reader misses some symbols of 5 symbol characters (zint's too); what it reads is
        // right.
        if (got == "(no read)") {
            EXPECT_EQ(GetDatabarExpandedBinaryString(VerifyUserData(e.ours, "x"), 22).size(), 48u);
            continue;
        }
        ++read;
        EXPECT_EQ(got, e.read);
    }
    EXPECT_GT(read, 400);
}

#endif  // ORBX_HAVE_ZXING

}  // namespace
}  // namespace orbx
