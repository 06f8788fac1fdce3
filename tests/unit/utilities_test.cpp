#include "common/utilities.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <thread>

#include "common/check_digits.h"
#include "common/gs1.h"

namespace orbx {
namespace {

TEST(Mid, SubstringsAndBounds) {
    struct Row {
        const char* text;
        int start;
        int length;
        const char* expected;
    };
    const Row rows[] = {
        {"ABC", 1, 1, "A"},       // 0
        {"ABC", 3, 5, "C"},       // 1: length past the end gives the rest
        {"ABC", 4, 1, ""},        // 2: start one past the last character
        {"ABC", 2, 0, ""},        // 3: zero length
        {"ABC", 9, 1, ""},        // 4
        {"", 1, 1, ""},           // 5
        {"ABCDEF", 2, 3, "BCD"},  // 6
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(mid(rows[i].text, rows[i].start, rows[i].length), rows[i].expected);
    }
}

TEST(Mid, SlotHoldsAtMost256Characters) {
    const std::string long_text(600, 'x');
    EXPECT_EQ(std::string(mid(long_text.c_str(), 1, 1000)).size(), 256u);
}

TEST(Mid, SixtyFifthResultReusesTheFirstSlot) {
    char* first = mid("first", 1, 5);
    for (int i = 0; i < kMidSlots - 1; ++i)
        mid("other", 1, 5);
    EXPECT_STREQ(first, "first");  // 63 later calls leave it alone
    char* again = mid("again", 1, 5);
    EXPECT_EQ(again, first);
    EXPECT_STREQ(first, "again");
}

TEST(Mid, EachThreadHasItsOwnRing) {
    char* mine = mid("main", 1, 4);
    std::thread other([] {
        for (int i = 0; i < 200; ++i)
            mid("thread", 1, 6);
    });
    other.join();
    EXPECT_STREQ(mine, "main");
}

TEST(Asc, UnsignedByteValue) {
    EXPECT_EQ(asc(""), 0);
    EXPECT_EQ(asc("\xC5"), 197);
    EXPECT_EQ(asc(std::string("\xFF")), 255);
    EXPECT_EQ(asc(std::string()), 0);
    EXPECT_EQ(asc("AB"), 65);
}

TEST(IsNumeric, CharacterAndStringForms) {
    EXPECT_TRUE(isNumeric('0'));
    EXPECT_TRUE(isNumeric('9'));
    EXPECT_FALSE(isNumeric('/'));
    EXPECT_FALSE(isNumeric(':'));
    EXPECT_FALSE(isNumeric(0xB2));  // superscript two is not a digit
    EXPECT_FALSE(isNumeric(std::string()));
    EXPECT_TRUE(isNumeric(std::string("0123456789")));
    EXPECT_FALSE(isNumeric(std::string("12 3")));
    EXPECT_FALSE(isNumeric(std::string("12\xB3")));
}

TEST(StrUpr, OnlyLowerCaseAsciiChanges) {
    char text[] = "abc1z{\xE9\x80";
    EXPECT_EQ(strupr(text), text);
    EXPECT_STREQ(text, "ABC1Z{\xE9\x80");
}

TEST(StrRev, InPlace) {
    const std::pair<std::string, std::string> rows[] = {
        {"AB", "BA"}, {"ABC", "CBA"}, {"ABCD", "DCBA"}, {"A", "A"}, {"", ""}};
    for (const auto& [in, expected] : rows) {
        std::string buffer = in;
        EXPECT_EQ(std::string(strrev(buffer.data())), expected);
    }
    EXPECT_EQ(strrev(nullptr), nullptr);
}

TEST(StringObjects, ReplacePadLeftReverse) {
    EXPECT_EQ(Replace("a-b-c", '-', '\0'), "abc");
    EXPECT_EQ(Replace("a-b-c", '-', '+'), "a+b+c");
    EXPECT_EQ(Replace("", '-', '+'), "");
    EXPECT_EQ(PadLeft("12", 5, '0'), "00012");
    EXPECT_EQ(PadLeft("123456", 5, '0'), "123456");
    EXPECT_EQ(PadLeft("12", -1, '0'), "12");
    EXPECT_EQ(Reverse("AB"), "BA");
    EXPECT_EQ(Reverse("A"), "A");
    EXPECT_EQ(Reverse("ABC"), "CBA");
}

TEST(FindMod10Digit, UpcEanWeighting) {
    const std::pair<const char*, char> rows[] = {
        {"03600029145", '2'},   // 0: UPC-A 036000291452
        {"", '0'},              // 1
        {"1A", '9'},            // 2: the letter counts 0 with weight 3
        {"590123412345", '7'},  // 3: EAN-13 5901234123457
        {"1234567", '0'},       // 4
        {"123456", '5'},        // 5
        {"12345", '7'},         // 6
    };
    for (const auto& [text, digit] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FindMod10Digit(text), digit);
        EXPECT_EQ(FindMod10Digit(std::string(text)), digit);
    }
    EXPECT_EQ(FindMod10Digit(static_cast<const char*>(nullptr)), '0');
}

TEST(MSICheckDigit, DigitByDigitRule) {
    const std::pair<std::string, char> rows[] = {
        {"1234567", '4'},  // 0: twice 7531 is 15062, digit sum 14, even sum 12
        {"80523", '4'},    // 1: twice 358 is 716, digit sum 14, even sum 2
        {"", '0'},         // 2
        {"0", '0'},        // 3
        {"9", '1'},        // 4: 18 -> 9
        // 5: 30 digits, far beyond any machine integer: odd positions 0,8,6,4,2,0,8,6,4,2,0,8,6,4,2
        // double to digit sums 0,7,3,8,4,0,7,3,8,4,0,7,3,8,4 = 66; even sum 75; total 141.
        {"123456789012345678901234567890", '9'},
    };
    for (const auto& [digits, expected] : rows) {
        SCOPED_TRACE(digits);
        EXPECT_EQ(MSICheckDigit(digits), expected);
        EXPECT_EQ(CalcMSICheckDigit(digits.c_str())[0], expected);
        EXPECT_EQ(uCalcMSICheckDigit(digits.c_str())[0], expected);
        EXPECT_EQ(CalcMSICheckDigit(digits.c_str())[1], '\0');
    }
}

TEST(Utilities, LeadingNumberAndAiLength) {
    const std::pair<const char*, long> numbers[] = {
        {"42abc", 42},
        {"  -7", -7},
        {"+3", 3},
        {"x1", 0},
        {"", 0},         // 0-4
        {"\t\n12", 12},  // 5: any C white space
        {"99999999999999999999", LONG_MAX},
        {"-99999999999999999999", LONG_MIN},  // 6-7: saturated
    };
    for (const auto& [text, value] : numbers) {
        SCOPED_TRACE(text);
        EXPECT_EQ(LeadingNumber(text), value);
    }
    // GS1 General Specifications, the application identifiers by their first two digits.
    const std::pair<int, std::size_t> ais[] = {
        {0, 2},  {17, 2}, {22, 2}, {23, 3}, {25, 3}, {30, 2}, {31, 4}, {34, 4}, {35, 4},
        {40, 3}, {49, 3}, {50, 4}, {80, 4}, {81, 4}, {82, 4}, {90, 2}, {99, 2}, {-5, 4},
    };
    for (const auto& [first_two, length] : ais) {
        SCOPED_TRACE(first_two);
        EXPECT_EQ(Gs1AiLength(first_two), length);
    }
}

}  // namespace
}  // namespace orbx
