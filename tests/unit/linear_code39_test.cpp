#include <gtest/gtest.h>

#include <string>

#include "encoders/linear/code39.h"
#include "encoders/linear/code39_values.h"
#include "encoders/linear/code93.h"
#include "support/linear_encode.h"

namespace orbx {
namespace {

using test::run_encoder;

using Row = test::TextRow;

// The rows through `encoder`, which must also leave the caller's data as it was.
template <std::size_t N>
void expect_rows_data_kept(test::TextEncoder encoder, const Row (&rows)[N]) {
    test::expect_rows(rows, [&](const Row& row) {
        const auto r = run_encoder(encoder, row.data, 1024);
        EXPECT_EQ(r.data, row.data);
        return r;
    });
}

TEST(Code39Values, SharedTable) {
    for (int c = '0'; c <= '9'; ++c)
        EXPECT_EQ(Code39Value(static_cast<unsigned char>(c)), c - 48);
    for (int c = 'A'; c <= 'Z'; ++c)
        EXPECT_EQ(Code39Value(static_cast<unsigned char>(c)), c - 55);
    const std::string symbols = "-. $/+%!#&@";
    for (std::size_t i = 0; i < symbols.size(); ++i)
        EXPECT_EQ(Code93Value(static_cast<unsigned char>(symbols[i])), 36 + static_cast<int>(i));
    // The shift characters are Code 93 only; lower case, "=", "*" and high bytes are in neither.
    EXPECT_EQ(Code39Value('!'), -1);
    EXPECT_EQ(Code39Value('@'), -1);
    for (int c : {int{'a'}, int{'z'}, int{'='}, int{'*'}, int{'('}, 0xC1}) {
        EXPECT_EQ(Code39Value(static_cast<unsigned char>(c)), -1) << c;
        EXPECT_EQ(Code93Value(static_cast<unsigned char>(c)), -1) << c;
    }
}

TEST(Code39, Table) {
    const Row rows[] = {
        {"ab 12", "*AB=12*"},  // 0: worked example
        {"abc", "*ABC*"},      // 1
        {"A B", "*A=B*"},      // 2
        {"A*B", "*A*B*"},      // 3: nothing is filtered
        {"???", "*???*"},      // 4
        {"\xE9x", "*\xE9X*"},  // 5: bytes above 127 pass unchanged
        {"a|b", "*A|B*"},      // 6
    };
    expect_rows_data_kept(Orbelantrix_Code39, rows);
}

TEST(Code39Mod43, Table) {
    const Row rows[] = {
        {"code-39", "*CODE-39P*"},  // 0: worked example, 111 mod 43 = 25
        {"A?B", "*ABL*"},           // 1: worked example, "?" dropped, 21 = "L"
        {"AB", "*ABL*"},            // 2
        {"%1", "*%10*"},            // 3: sum 43 gives check "0"
        {"Z3", "*Z3=*"},            // 4: sum 38 gives check "="
        {" ", "*==*"},              // 5: data space and check 38 both as "="
        {"???", "*0*"},             // 6: no encodable character
        {"A!#&@B", "*ABL*"},        // 7: Code 93 shift characters are not Code 39
        {"A\xE1"
         "B*",
         "*ABL*"},            // 8: high bytes and "*" dropped
        {"$/+.", "*$/+.S*"},  // 9: 39+40+41+37 = 157, 157 mod 43 = 28
    };
    expect_rows_data_kept(Orbelantrix_Code39Mod43, rows);
}

TEST(Code93, Table) {
    const Row rows[] = {
        {"TEST93", "(TEST93+6)"},  // 0: worked example, C 41 "+", K 6
        {"test93", "(TEST93+6)"},  // 1: lower case upper-cased
        // 2: 21 characters: the leftmost has C weight 1 again (C 1, K weight 7, K 8)
        {"1" + std::string(20, '0'), "(1" + std::string(20, '0') + "18)"},
        // 3: 20 characters: the leftmost has C weight 20 ("K"), K weight 6, K 26 ("Q")
        {"1" + std::string(19, '0'), "(1" + std::string(19, '0') + "KQ)"},
        // 4: 15 characters: the leftmost has K weight 1: C 15 ("F"), K 1 + 15 ("G")
        {"1" + std::string(14, '0'), "(1" + std::string(14, '0') + "FG)"},
        // 5: 14 characters: K weight 15: C 14 ("E"), K 15 + 14 ("T")
        {"1" + std::string(13, '0'), "(1" + std::string(13, '0') + "ET)"},
        // 6: 16 characters: K weight back to 2: C 16 ("G"), K 2 + 16 ("I")
        {"1" + std::string(15, '0'), "(1" + std::string(15, '0') + "GI)"},
        {" ", "(= K)"},         // 7: C value 38 is a space, the data space "="
        {"#", "(## )"},         // 8: K value 38 is a space
        {"A B", "(A=BNB)"},     // 9
        {"a!b*c", "(A!BCFC)"},  // 10: shift character kept, "*" dropped
        {"???", "(00)"},        // 11: no encodable character
        {"\xE9", "(00)"},       // 12: high byte dropped
    };
    test::expect_encoder_rows(Orbelantrix_Code93, rows, 1024);
}

TEST(Code93, UpperCasesDataInPlace) {
    EXPECT_EQ(run_encoder(Orbelantrix_Code93, "test 9\xE9").data, "TEST 9\xE9");
}

TEST(Code39Family, EmptyAndNullDataRefused) {
    for (auto encoder : {Orbelantrix_Code39, Orbelantrix_Code39Mod43, Orbelantrix_Code93})
        test::expect_empty_and_null_refused(encoder, 1024);
}

TEST(Code39Family, LongDataInFullOrRefused) {
    // The adapters' 512 characters fit their 1024-byte buffer; longer data is encoded in full
    // when the buffer holds it and refused, with nothing written, when it does not.
    const std::string d512(512, 'A');
    EXPECT_EQ(run_encoder(Orbelantrix_Code39, d512, 1024).text, "*" + d512 + "*");
    EXPECT_EQ(run_encoder(Orbelantrix_Code39Mod43, d512, 1024).text.size(), 515u);
    EXPECT_EQ(run_encoder(Orbelantrix_Code93, d512, 1024).text.size(), 516u);

    const std::string d2048(2048, '7');
    const auto full = run_encoder(Orbelantrix_Code39, d2048, 2051);
    EXPECT_EQ(full.status, 0);
    EXPECT_EQ(full.text, "*" + d2048 + "*");
    for (auto encoder : {Orbelantrix_Code39, Orbelantrix_Code39Mod43, Orbelantrix_Code93})
        test::expect_refused(encoder, d2048, 1024);
    // One byte short of the terminating zero is refused too.
    EXPECT_EQ(run_encoder(Orbelantrix_Code39, d2048, 2050).status, 1);
}

}  // namespace
}  // namespace orbx
