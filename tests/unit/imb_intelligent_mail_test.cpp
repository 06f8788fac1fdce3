#include "encoders/imb/intelligent_mail.h"
#include "support/linear_encode.h"
#include "support/threads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace orbx {
namespace {

using Result = test::Encoded;

Result imb(const std::string& data, long capacity = 2048) {
    return test::run_encoder(Orbelantrix_IntelligentMail, data, capacity);
}

const std::string kTracking = "01234567094987654321";
// Bars of the worked examples of USPS-B-3200, written with p/q/r/s.
const std::string kBarsAlone = "qsspqssrssqrsqqssrsrsqssrqprrpqrprpspppppsqspqqqqsrppsrqqrpsprsrs";
const std::string kBarsZip5 = "rssqpqrrsspsrspsprsrrqrqrqpqrpqsrrpsqqqprssqrpqqqsrprsrpqrrrsrpps";
const std::string kBarsZip11 = "qqrspprpsrqrsqqrqqsprsrrqqqrrsrssrqpqrqrrrsppprrsssqrpqqqrpsrqqrq";
const std::string kBad(kIntelligentMailBadData);

TEST(IntelligentMail, Table) {
    using Row = test::TextRow;
    const Row rows[] = {
        {kTracking, kBarsAlone},                       // 0: worked example, no routing code
        {kTracking + "01234", kBarsZip5},              // 1: worked example, 5-digit routing code
        {kTracking + "01234567891", kBarsZip11},       // 2: worked example, 11-digit routing code
        {"0123-4567-0949-8765-4321 ABC", kBarsAlone},  // 3: separators and letters dropped
        {"0070 0123 4567 8901 2345", imb("00700123456789012345").text},  // 4: spaces dropped
        {"ZIP " + kTracking + " 01234-567-891", kBarsZip11},             // 5
        {"\xB2\xB3" + kTracking + "\xFF", kBarsAlone},  // 6: superscript digits are not digits
        {"ABC", kBad},                                  // 7: no digits at all
        {"-", kBad},                                    // 8
    };
    test::expect_rows(rows, [&](const auto& row) { return imb(row.data); });
}

TEST(IntelligentMail, EveryInvalidDigitCount) {
    const std::string digits = "0123456789012345678901234567890123456789";
    for (std::size_t n : {0, 1, 19, 21, 22, 23, 24, 26, 27, 28, 30, 32, 33, 40}) {
        SCOPED_TRACE(n);
        const Result r = imb("x" + digits.substr(0, n));
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.text, kBad);
    }
    for (std::size_t n : {20, 25, 29, 31}) {
        SCOPED_TRACE(n);
        const Result r = imb(digits.substr(0, n));
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.text.size(), 65u);
    }
}

TEST(IntelligentMail, NullAndEmptyData) {
    char out[80] = {};
    EXPECT_EQ(Orbelantrix_IntelligentMail(nullptr, out, sizeof out), kStatusNullData);
    char empty[] = "";
    EXPECT_EQ(Orbelantrix_IntelligentMail(empty, out, sizeof out), kStatusEmptyData);
    EXPECT_EQ(std::string(out), "");
}

TEST(IntelligentMail, OnlyTheFirst512CharactersAreRead) {
    // The tracking code ends exactly at character 512: encoded.
    const std::string pad(492, '.');
    EXPECT_EQ(imb(pad + kTracking).text, kBarsAlone);
    // A routing code after character 512 is not seen.
    EXPECT_EQ(imb(pad + kTracking + "01234").text, kBarsAlone);
    // One digit short once the 512th character is passed.
    EXPECT_EQ(imb(pad + "." + kTracking).text, kBad);
    // A 2048-character text of digits has far more than 31 digits within its first 512.
    EXPECT_EQ(imb(std::string(2048, '7')).text, kBad);
}

TEST(IntelligentMail, BarcodeIdentifierSecondDigitAboveFourIsEncoded) {
    // The second digit is taken in base 5, so "05" reaches the same binary value as "10".
    const Result high = imb("05" + kTracking.substr(2) + "01234");
    EXPECT_EQ(high.status, 0);
    EXPECT_EQ(high.text, imb("10" + kTracking.substr(2) + "01234").text);
    EXPECT_EQ(high.text.size(), 65u);
}

TEST(IntelligentMail, ResultIsRefusedWhenItDoesNotFit) {
    EXPECT_EQ(imb(kTracking, 66).text, kBarsAlone);
    const Result r = imb(kTracking, 65);
    EXPECT_EQ(r.status, kStatusRefused);
    EXPECT_EQ(r.text, "");
    EXPECT_EQ(imb("1", 13).status, kStatusRefused);  // "Incorrct data" needs 14
}

TEST(IntelligentMail, GeneratedCharacterTables) {
    const auto& t5 = IntelligentMail5of13Table();
    const auto& t2 = IntelligentMail2of13Table();
    ASSERT_EQ(t5.size(), 1287u);
    ASSERT_EQ(t2.size(), 78u);
    // Entries of the published tables: pairs from the front, palindromes from the back.
    EXPECT_EQ(t5[0], 31);
    EXPECT_EQ(t5[1], 7936);
    EXPECT_EQ(t5[2], 47);
    EXPECT_EQ(t5[3], 7808);
    EXPECT_EQ(t5[1286], 496);
    EXPECT_EQ(t2[0], 3);
    EXPECT_EQ(t2[1], 6144);
    EXPECT_EQ(t2[72], 4097);
    EXPECT_EQ(t2[77], 160);

    auto check = [](const auto& table, int bits, std::size_t palindromes) {
        const std::set<int> distinct(table.begin(), table.end());
        EXPECT_EQ(distinct.size(), table.size());
        for (unsigned v : table) {
            EXPECT_EQ(std::popcount(v), bits) << v;
            EXPECT_LT(v, 8192u);
        }
        auto rev = [](unsigned v) {
            unsigned r = 0;
            for (int i = 0; i < 13; ++i)
                r |= ((v >> i) & 1U) << (12 - i);
            return r;
        };
        const std::size_t pairs_end = table.size() - palindromes;
        for (std::size_t i = 0; i < pairs_end; i += 2) {
            EXPECT_LT(table[i], table[i + 1]) << i;
            EXPECT_EQ(rev(table[i]), table[i + 1]) << i;
        }
        for (std::size_t i = pairs_end; i < table.size(); ++i)
            EXPECT_EQ(rev(table[i]), table[i]) << i;
    };
    check(t5, 5, 15);
    check(t2, 2, 6);
}

TEST(IntelligentMail, LettersFromCharacters) {
    ImbCharacters c{};
    EXPECT_EQ(std::string(IntelligentMailLetters(c).data(), 65), std::string(65, 's'));
    c.fill(0x1FFF);
    EXPECT_EQ(std::string(IntelligentMailLetters(c).data(), 65), std::string(65, 'p'));
    // Bar 1: ascender from character E bit 3, descender from character H bit 2.
    c.fill(0);
    c[4] = 1 << 3;
    EXPECT_EQ(std::string(IntelligentMailLetters(c).data(), 65), "q" + std::string(64, 's'));
    c[7] = 1 << 2;
    EXPECT_EQ(std::string(IntelligentMailLetters(c).data(), 65), "p" + std::string(64, 's'));
    c[4] = 0;
    EXPECT_EQ(std::string(IntelligentMailLetters(c).data(), 65), "r" + std::string(64, 's'));
    // Bar 65: descender from character D bit 10, ascender from character I bit 2.
    c.fill(0);
    c[3] = 1 << 10;
    EXPECT_EQ(std::string(IntelligentMailLetters(c).data(), 65), std::string(64, 's') + "r");
}

TEST(IntelligentMail, CharactersRefuseWrongLengths) {
    ImbCharacters c{};
    EXPECT_TRUE(IntelligentMailCharacters(kTracking, "012345678", c));
    EXPECT_FALSE(IntelligentMailCharacters(kTracking, "0123", c));
    EXPECT_FALSE(IntelligentMailCharacters(kTracking.substr(1), "", c));
}

// The USPS Intelligent Mail barcode encoder test case reference set: every successful row.
TEST(IntelligentMail, UspsReferenceSet) {
    const std::string path =
        std::string(ORBX_TESTDATA_DIR) + "/usps-imb/uspsIMbEncoderTestCases.csv";
    std::ifstream in(path);
    ASSERT_TRUE(in) << "USPS reference set not found at " << path
                    << " (set ORBX_TESTDATA_DIR when configuring)";
    int rows = 0;
    int failures = 0;
    std::string line;
    while (std::getline(in, line)) {
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        std::vector<std::string> f;
        std::size_t start = 0;
        for (std::size_t i = 0; i <= line.size(); ++i) {
            if (i == line.size() || line[i] == ',') {
                f.push_back(line.substr(start, i - start));
                start = i + 1;
            }
        }
        if (f.size() < 5 || f[4] != "00") continue;
        ++rows;
        std::string expected = f[3];
        for (char& ch : expected) {
            ch = ch == 'F' ? 'p' : ch == 'A' ? 'q' : ch == 'D' ? 'r' : ch == 'T' ? 's' : '?';
        }
        const Result r = imb(f[1] + f[2]);
        if (r.status != 0 || r.text != expected) {
            ADD_FAILURE() << "case " << f[0] << ": " << f[1] << " / " << f[2] << "\n  got      "
                          << r.text << "\n  expected " << expected;
            if (++failures == 10) break;
        }
    }
    EXPECT_EQ(rows, 8128);
}

TEST(IntelligentMail, ConcurrentCallsFromColdStart) {
    test::ExpectNoThreadWrong(8, [&](int) {
        int wrong = 0;
        for (int i = 0; i < 200; ++i) {
            if (imb(kTracking).text != kBarsAlone) ++wrong;
            if (imb(kTracking + "01234").text != kBarsZip5) ++wrong;
            if (imb(kTracking + "01234567891").text != kBarsZip11) ++wrong;
        }
        return wrong;
    });
}

}  // namespace
}  // namespace orbx
