#include "encoders/universal/uni_narrow_wide.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "encoders/universal/universal_font.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using Encode = test::BoundEncoder;
using Result = test::Encoded;
using test::run_encoder;

Encode c39(double ratio, long check) {
    return
        [=](char* d, char* o, long c) { return Orbelantrix_Universal_C39(d, ratio, check, o, c); };
}
Encode i2of5(double ratio, long check) {
    return [=](char* d, char* o, long c) {
        return Orbelantrix_Universal_I2of5(d, ratio, check, o, c);
    };
}
Encode msi(double ratio, long check) {
    return
        [=](char* d, char* o, long c) { return Orbelantrix_Universal_MSI(d, ratio, check, o, c); };
}
// Start and stop arguments as the adapter hands them over; null stands for a null pointer.
Encode codabar(double ratio, const char* start, const char* stop) {
    return [=](char* d, char* o, long c) {
        std::string a = start == nullptr ? "" : start;
        std::string b = stop == nullptr ? "" : stop;
        return Orbelantrix_Universal_Codabar(d, ratio, start == nullptr ? nullptr : a.data(),
                                             stop == nullptr ? nullptr : b.data(), o, c);
    };
}

TEST(UniversalNarrowWide, ExactOutputTable) {
    struct Row {
        Encode encode;
        std::string data;
        std::string expected;
    };
    const Row rows[] = {
        // 0: worked example: start, value 10 "wnnnnwnnwn", stop at ratio 3
        {c39(3, 0), "A", "CAIIAIACAICAIIA"},
        // 1: worked example: the same at ratio 2
        {c39(2, 0), "A", "BAEEAEABAEBAEEA"},
        // 2: worked example: the check character of A is A again (10 mod 43)
        {c39(3, 1), "A", "CAIIAIACAIIACAICAIIA"},
        {c39(2.5, 0), "A", "XWYYWYWXWYXWYYW"},  // 3: ratio 2.5 letters
        // 4: check (42 + 42) mod 43 = 41, the character "+"
        {c39(2, 1), "%%", "BAEEAABBBAABBBABABBABAEEA"},
        {c39(3, 0), "#", "CAIIACAIIA"},  // 5: nothing left: start and stop only
        // 6: worked example: bars of 1 "wnnnw" paired with spaces of 2 "nwnnw"
        {i2of5(2, 0), "12", "AAEBAAFEA"},
        {i2of5(3, 0), "12", "AAICAAKIA"},  // 7: the same at ratio 3
        {i2of5(2, 0), "ab", "AAEA"},       // 8: no digits: start and stop only
        // 9: start A, the digit 1, stop B at ratio 2, each with its narrow gap
        {codabar(2, "A", "B"), "1", "AFBAAAFABBAE"},
        {codabar(2, "C", "D"), "x", "ABBEABFA"},  // 10: start C, stop D, "x" dropped
        // 11: worked example: MSI 7 without check at ratio 2.5
        {msi(2.5, 0), "7", "YXYYYXX"},
        {msi(2.5, 1), "7", "YXYYYXYXYXX"},  // 12: check digit 5 (0101)
        {msi(3, 0), "1", "ICCCICC"},        // 13: ratio 3
    };
    test::expect_rows(rows, [&](const auto& row) { return run_encoder(row.encode, row.data); });
}

TEST(UniversalNarrowWide, EquivalentInputTable) {
    // Each row's two calls must give the same symbol.
    struct Row {
        Encode encode;
        std::string data;
        Encode same_as;
        std::string same_data;
    };
    const Row rows[] = {
        {c39(2, 0), "abc", c39(2, 0), "ABC"},       // 0: worked example: lower case read as upper
        {c39(2, 0), "*A#", c39(2, 0), "A"},         // 1: worked example: "*" and "#" dropped
        {c39(2.4, 1), "A1", c39(2, 1), "A1"},       // 2: worked example: ratio 2.4 behaves as 2
        {i2of5(2, 0), "123", i2of5(2, 0), "0123"},  // 3: worked example: odd count padded
        // 4: worked example: check digit 0 appended, eight digits without padding
        {i2of5(2, 1), "1234567", i2of5(2, 0), "12345670"},
        {i2of5(2.9, 0), "1234", i2of5(2, 0), "1234"},  // 5: ratio 2.9 behaves as 2
        // 6: worked example: an invalid start argument gives "A"
        {codabar(2, "x", "B"), "1", codabar(2, "A", "B"), "1"},
        // 7: worked example: a lower-case start argument gives "A" too
        {codabar(2, "c", "B"), "1", codabar(2, "A", "B"), "1"},
        {codabar(2, "CD", "B"), "1", codabar(2, "A", "B"), "1"},    // 8: two characters
        {codabar(2, nullptr, ""), "1", codabar(2, "A", "A"), "1"},  // 9: null and empty
        // 10: "a" to "d" in the data are the start/stop characters
        {codabar(2, "A", "B"), "1d2", codabar(2, "A", "B"), "1D2"},
        // 11: the MSI check digit of 1234567 is 4
        {msi(2, 1), "1234567", msi(2, 0), "12345674"},
        {msi(2, 1), "12-34", msi(2, 1), "1234"},    // 12: non-digits ignored
        {msi(0, 1), "80523", msi(2, 0), "805234"},  // 13: ratio 0 behaves as 2; check 4
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Result a = run_encoder(rows[i].encode, rows[i].data);
        const Result b = run_encoder(rows[i].same_as, rows[i].same_data);
        EXPECT_EQ(a.status, kStatusOk);
        EXPECT_FALSE(a.text.empty());
        EXPECT_EQ(a.text, b.text);
    }
}

TEST(UniversalNarrowWide, RatioNormalisation) {
    // The adapters read the ratio in single precision: a text whose float value is exactly 3 or
    // 2.5 selects that ratio, even when its double value is not.
    const auto as_adapter = [](const char* text) {
        return static_cast<double>(static_cast<float>(std::atof(text)));
    };
    struct Row {
        double ratio;
        NarrowWideLetters expected;
    };
    const Row rows[] = {
        {3.0, {'A', 'C', 'I', 'K'}},                       // 0
        {2.5, {'W', 'X', 'Y', 'Z'}},                       // 1
        {2.0, {'A', 'B', 'E', 'F'}},                       // 2
        {2.4, {'A', 'B', 'E', 'F'}},                       // 3: worked example
        {2.9, {'A', 'B', 'E', 'F'}},                       // 4
        {0.0, {'A', 'B', 'E', 'F'}},                       // 5
        {-3.0, {'A', 'B', 'E', 'F'}},                      // 6
        {3.0000001, {'A', 'B', 'E', 'F'}},                 // 7: not exactly 3 as a double
        {as_adapter("3.0000001"), {'A', 'C', 'I', 'K'}},   // 8: exactly 3 as a float
        {as_adapter("2.50000001"), {'W', 'X', 'Y', 'Z'}},  // 9
        {as_adapter("3abc"), {'A', 'C', 'I', 'K'}},        // 10: read from the field's start
        {as_adapter("2.6"), {'A', 'B', 'E', 'F'}},         // 11
    };
    test::expect_each(rows, [&](const auto& row) { return LettersForRatio(row.ratio); });
}

TEST(UniversalNarrowWide, Statuses) {
    const Encode encoders[] = {c39(2, 0), i2of5(2, 0), msi(2, 1), codabar(2, "A", "B")};
    for (std::size_t i = 0; i < std::size(encoders); ++i) {
        SCOPED_TRACE(i);
        std::vector<char> out(8, '\0');
        EXPECT_EQ(encoders[i](nullptr, out.data(), 8), kStatusNullData);
        EXPECT_EQ(run_encoder(encoders[i], "").status, kStatusEmptyData);
    }
    // MSI without any digit has nothing to draw.
    EXPECT_EQ(run_encoder(msi(2, 1), "abc").status, kStatusEmptyData);
}

TEST(UniversalNarrowWide, SymbolLongerThanTheBufferIsRefused) {
    // Code 39 takes five letters a character: 407 characters and the start and stop come to
    // 2045 letters, which fit in 2048 bytes with the terminating zero; 408 do not.
    EXPECT_EQ(run_encoder(c39(2, 0), std::string(407, 'A')).status, kStatusOk);
    const Result r = run_encoder(c39(2, 0), std::string(408, 'A'));
    EXPECT_EQ(r.status, kStatusRefused);
    EXPECT_EQ(r.text, "");
    EXPECT_EQ(run_encoder(msi(2, 1), std::string(512, '1')).status, kStatusRefused);
    EXPECT_EQ(run_encoder(i2of5(2, 1), std::string(600, '1')).status, kStatusOk);
}

}  // namespace
}  // namespace orbx
