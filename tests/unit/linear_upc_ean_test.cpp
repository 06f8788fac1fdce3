#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "encoders/linear/ean13.h"
#include "encoders/linear/ean8.h"
#include "encoders/linear/upc_ean_addon.h"
#include "encoders/linear/upca.h"
#include "encoders/linear/upce.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using Encoder = int (*)(char*, char*, long);

using Result = test::Encoded;

Result run(Encoder encoder, const std::string& data, long capacity = 1024) {
    return test::run_encoder(encoder, data, capacity);
}

using Row = test::TextRow;

void run_table(Encoder encoder, const std::vector<Row>& rows) {
    test::expect_encoder_rows(encoder, rows, 1024);
}

TEST(Ean13, Table) {
    run_table(Orbelantrix_EAN13,
              {
                  // 0-1: worked example: check digit 7 computed; the given 7 is dropped
                  {"590123412345", "u(9AB23E*LMNOPR("},
                  {"5901234123457", "u(9AB23E*LMNOPR("},
                  // 2: worked example: 17 digits, 5-digit add-on with check value 1 (BABAA)
                  {"97802013796252495", "y(7IA2A1*NRTQMO( +\\!$![!;!,"},
                  // 3: 18 digits: digit 13 (the check digit) dropped before the add-on
                  {"978020137962452495", "y(7IA2A1*NRTQMO( +\\!$![!;!,"},
                  // 4: worked example: no digits at all gives the all-zero number
                  {"abc", "U(000000*KKKKKK("},
                  // 5-6: 14 and 15 digits: 2-digit add-on 12 (12 mod 4 = 0, AA)
                  {"59012341234512", "u(9AB23E*LMNOPR( +#!$"},
                  {"590123412345712", "u(9AB23E*LMNOPR( +#!$"},
                  // 7-9: 11, 16 and 19 digits are unusable counts
                  {"59012341234", "U(000000*KKKKKK("},
                  {"5901234123451234", "U(000000*KKKKKK("},
                  {"5901234123457123456", "U(000000*KKKKKK("},
                  // 10: other characters are ignored
                  {"5 901234-123457", "u(9AB23E*LMNOPR("},
                  // 11: leading digit 0 puts the left half all in set A
                  {"012345678905", "U(123456*RSTKPK("},
              });
}

TEST(UpcA, Table) {
    run_table(Orbelantrix_UPCa,
              {
                  // 0-1: worked example: check digit 2
                  {"03600029145", "U(a36000*MTLOPm(W"},
                  {"036000291452", "U(a36000*MTLOPm(W"},
                  // 2: worked example: 13 digits, add-on 12 (AA)
                  {"0360002914512", "U(a36000*MTLOPm(W+#!$"},
                  // 3: 14 digits: the check digit at position 12 is dropped
                  {"03600029145212", "U(a36000*MTLOPm(W+#!$"},
                  // 4-5: 16 and 17 digits: 5-digit add-on
                  {"0360002914552495", "U(a36000*MTLOPm(W+\\!$![!;!,"},
                  {"03600029145252495", "U(a36000*MTLOPm(W+\\!$![!;!,"},
                  // 6: worked example: a single non-digit gives the all-zero symbol
                  {"x", "U(a00000*KKKKKk(U"},
                  // 7-9: 10, 15 and 18 digits are unusable counts
                  {"0360002914", "U(a00000*KKKKKk(U"},
                  {"036000291452123", "U(a00000*KKKKKk(U"},
                  {"036000291452123456", "U(a00000*KKKKKk(U"},
                  // 10: number system 7 prints in the upper human-readable digits; check digit 4
                  {"71234567890", "w(h12345*QRSTKo(Y"},
              });
}

TEST(Ean8, Table) {
    run_table(Orbelantrix_EAN8, {
                                    // 0-1: worked example: check digit 7
                                    {"5512345", "(5512*NOPR("},
                                    {"55123457", "(5512*NOPR("},
                                    // 2: an eighth digit and everything after it are dropped
                                    {"551234519999", "(5512*NOPR("},
                                    // 3: worked example: default number, check digit 5
                                    {"12", "(0005*KKKP("},
                                    // 4: six digits are still too few
                                    {"551234", "(0005*KKKP("},
                                });
}

TEST(UpcE, Table) {
    run_table(Orbelantrix_UPCe,
              {
                  // 0-3: worked example: all expand to 04210000526, check 4, BABBAA
                  {"0425261", "U(E2FC61)Y"},
                  {"425261", "U(E2FC61)Y"},
                  {"04252614", "U(E2FC61)Y"},
                  {"04210000526", "U(E2FC61)Y"},
                  // 4: worked example, not compressible: written as UPC-A, with the normal
                  // right guard "(" so that the symbol ends in a valid guard
                  {"01234567890", "U(a12345*QRSTKp(u"},
                  // 5: a 12th digit is the check digit and is recomputed
                  {"042100005269", "U(E2FC61)Y"},
                  // 6-10: add-ons: 13 and 14 digits (2), 16 and 17 digits (5); 18 none
                  {"0421000052612", "U(E2FC61)Y+#!$"},
                  {"04210000526412", "U(E2FC61)Y+#!$"},
                  {"0421000052652495", "U(E2FC61)Y+\\!$![!;!,"},
                  {"04210000526452495", "U(E2FC61)Y+\\!$![!;!,"},
                  {"042100005264524951", "U(E2FC61)Y"},
                  // 11: an uncompressible number keeps its add-on
                  {"0123456789012", "U(a12345*QRSTKp(u+#!$"},
                  // 12: only the first 20 characters are searched for digits
                  {"0425261xxxxxxxxxxxxx12", "U(E2FC61)Y"},
              });
}

TEST(UpcE, CompressionRulesOneByOne) {
    // The data: 11 digits; the encoder appends the check digit.
    const Row rows[] = {
        // 0: rule 1: p11 is 5-9, p6 not 0, p7-p10 zero: body p2-p6 p11; check 8 (BABAAB)
        {"01234500005", "U(B2D45F)x"},
        // 1: rule 2: p6-p10 zero, p5 not 0: body p2-p5 p11 4; check 3 (BBAAAB)
        {"01234000005", "U(BC345E)X"},
        // 2: rule 3: p5-p8 zero, p4 0-2: body p2 p3 p9 p10 p11 p4; check 5 (BAABBA)
        {"01200000345", "U(B23EF0)u"},
        // 3: rule 5: p5-p9 zero, p4 3-9: body p2 p3 p4 p10 p11 3; check 1 (BBABAA)
        {"01230000045", "U(BC3E53)V"},
        // 4: rule 4: p4 is 3 but p9 is not 0: not compressible, full symbol, check 8
        {"01230000145", "U(a12300*KKLOPs(x"},
        // 5: rule 1 with p11 below 5 does not apply, and nothing else does; check 1
        {"01234500004", "U(a12345*KKKKOl(V"},
        // 6: all zeros by rule 3, check 0 (BBBAAA)
        {"00000000000", "U(AAA000)U"},
        // 7: number system 1 takes its own parity table: check 5 (ABBAAB), "V" printed
        {"11234500005", "V(1CD45F)u"},
        // 8: number system 2 compresses with the number-system-0 table: check 2 (BBAABA)
        {"21234500005", "V(BC34F5)W"},
    };
    test::expect_encoder_rows(Orbelantrix_UPCe, rows, 1024);
}

TEST(UpcE, CompressedBodyExpandsBackToTheNumber) {
    // Every compressible number must come back from its body unchanged, or the symbol would
    // scan as a different product.
    const std::string numbers[] = {"01234500005", "01234000005", "01200000345",
                                   "01230000045", "00000000000", "19990000091"};
    for (const std::string& n : numbers) {
        SCOPED_TRACE(n);
        const std::string number = n + "0";
        std::array<char, 6> body{};
        ASSERT_TRUE(CompressUpce(number, body));
        char buffer[12] = {};
        buffer[0] = n[0];
        std::copy(body.begin(), body.end(), buffer + 1);
        UPCe7to11(buffer);
        EXPECT_EQ(std::string(buffer), n);
    }
}

TEST(UpcE, ExpansionTable) {
    const Row rows[] = {
        {"0425261", "04210000526"},   // 0: worked example: d6 = 1
        {"425261", "04210000526"},    // 1: six digits: number system 0 put in front
        {"04252614", "04210000526"},  // 2: eight digits: the check digit is left behind
        {"123453", "01230000045"},    // 3: d6 = 3
        {"0123454", "01234000005"},   // 4: d6 = 4
        {"01234558", "01234500005"},  // 5: d6 = 5
        {"1123452", "11220000345"},   // 6: d6 = 2, number system 1
        {"1234599", "12345900009"},   // 7: d6 = 9
        {"12345", "12345"},           // 8: too short: unchanged
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        char buffer[12] = {};
        rows[i].data.copy(buffer, sizeof buffer - 1);
        UPCe7to11(buffer);
        EXPECT_EQ(std::string(buffer), rows[i].expected);
    }
}

TEST(UpcE, UnusableDigitCountsGiveEmptyTextWithStatusZero) {
    const std::string inputs[] = {
        "123",                  // 0: worked example: three digits
        "12345",                // 1: five digits
        "123456789",            // 2: worked example: nine digits
        "1234567890",           // 3: worked example: ten digits
        "123456789012345",      // 4: fifteen digits
        "1234567890123456789",  // 5: nineteen digits
        "abc",                  // 6: no digits
    };
    for (std::size_t i = 0; i < std::size(inputs); ++i) {
        SCOPED_TRACE(i);
        std::vector<char> out(64, 'x');
        out.back() = '\0';
        std::string in = inputs[i];
        EXPECT_EQ(Orbelantrix_UPCe(in.data(), out.data(), 64), 0);
        EXPECT_EQ(std::string(out.data()), "");
    }
}

TEST(UpcEan, AddOnParity) {
    const Row rows[] = {
        // 0: worked example: check value 1, BABAA
        {"52495", "+\\!$![!;!,"},
        // 1: check value 0, BBAAA
        {"00000", "+z!z!\"!\"!\""},
        // 2: check value 3 x 1 = 3, BAAAB
        {"00001", "+z!\"!\"!\"!="},
        // 3-6: 2-digit parity by the value mod 4: AA, AB, BA, BB
        {"12", "+#!$"},
        {"13", "+#!@"},
        {"14", "+=!&"},
        {"15", "+=!\\"},
        // 7-8: no add-on for other counts
        {"", ""},
        {"123", ""},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        std::string text;
        AppendAddOn(text, rows[i].data);
        EXPECT_EQ(text, rows[i].expected);
    }
}

TEST(UpcEan, EmptyNullAndTooSmallBuffers) {
    for (Encoder e : {Orbelantrix_EAN13, Orbelantrix_EAN8, Orbelantrix_UPCa, Orbelantrix_UPCe}) {
        char out[32] = {};
        char empty[] = "";
        EXPECT_EQ(e(nullptr, out, sizeof out), 1);
        EXPECT_EQ(e(empty, out, sizeof out), 1);
        EXPECT_EQ(out[0], '\0');
    }
    // EAN-8 needs 11 characters and a zero: 11 bytes are refused, nothing written.
    EXPECT_EQ(run(Orbelantrix_EAN8, "5512345", 11).status, 1);
    EXPECT_EQ(run(Orbelantrix_EAN8, "5512345", 11).text, "");
    EXPECT_EQ(run(Orbelantrix_EAN8, "5512345", 12).status, 0);
}

TEST(UpcEan, LongDataUsesOnlyTheLeadingDigits) {
    // 2048 characters: far more digits than any rule uses are counted, never stored.
    const std::string many(2048, '5');
    EXPECT_EQ(run(Orbelantrix_EAN13, many).text, "U(000000*KKKKKK(");
    EXPECT_EQ(run(Orbelantrix_UPCa, many).text, "U(a00000*KKKKKk(U");
    EXPECT_EQ(run(Orbelantrix_EAN8, many).text, "(5555*PPPP(");
    EXPECT_EQ(run(Orbelantrix_UPCe, many).text, "");
    // UPC-E looks at the first 20 characters only: the worked example followed by text.
    EXPECT_EQ(run(Orbelantrix_UPCe, "0425261" + many).text, "");
    EXPECT_EQ(run(Orbelantrix_UPCe, "0425261" + std::string(2000, '-')).text, "U(E2FC61)Y");
}

}  // namespace
}  // namespace orbx
