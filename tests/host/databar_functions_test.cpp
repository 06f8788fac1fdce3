#include <gtest/gtest.h>

#include <string>

#include "support/host_call.h"

namespace orbx {
namespace {

using test::Call;
using test::CallUtf8;

// The all-zero GTIN: its symbol is worked out by hand in the unit tests.
TEST(DataBarFunctions, OmnidirectionalThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_DataBar", "00000000000000"),
              u"a1a1a1b1h1c8b1a7b1a1a1a1a1a1a2g1a9a3a8a2a1a1a1");
    // A GTIN-14 and its EAN-13 form give the same symbol; the check digit is not read.
    EXPECT_EQ(CallUtf8("Orbx_DataBar", "1234567890128"),
              CallUtf8("Orbx_DataBar", "01234567890120"));
    // No options: the vertical bar is data and, not being a digit, is dropped.
    EXPECT_EQ(CallUtf8("Orbx_DataBar", "0|00000000000000").size(), 46u);
    EXPECT_EQ(Call("Orbx_DataBar", u""), u"");
    EXPECT_EQ(Call("Orbx_DataBar", std::u16string(2049, u'1')), u"");
    EXPECT_EQ(Call("Orbx_DataBar", std::u16string(2048, u'1')).size(), 46u);
}

TEST(DataBarFunctions, LimitedThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_DataBarLimited", "00000000000000"),
              u"a1a1a1a1a1a1f1f3a1a3a1a1b1b1a1a1a1a1a1a1f1f3a1");
    // Beyond what the symbol carries: the empty text.
    EXPECT_EQ(CallUtf8("Orbx_DataBarLimited", "40544681720410"), u"");
    EXPECT_EQ(CallUtf8("Orbx_DataBarLimited", "40544681720400").size(), 46u);
    EXPECT_EQ(Call("Orbx_DataBarLimited", u""), u"");
}

TEST(DataBarFunctions, StackedThroughTheHost) {
    // The all-zero symbol's top row, separator and bottom row, column by column.
    EXPECT_EQ(CallUtf8("Orbx_DataBarStacked", "00000000000000"),
              u"mjmjojoknokkkkkkknkmonnnnnnnlmonknnnnnnnoknojmjmjm");
    EXPECT_EQ(Call("Orbx_DataBarStacked", u""), u"");
}

TEST(DataBarFunctions, StackedOmnidirectionalThroughTheHost) {
    const std::u16string text = CallUtf8("Orbx_DataBarStackedOmniDirectional", "00000000000000");
    ASSERT_EQ(text.size(), 101u);
    // Two lines of 50 columns, the second after a carriage return.
    EXPECT_EQ(text.substr(0, 8), u"awawawaa");
    EXPECT_EQ(text[50], u'\r');
    EXPECT_EQ(text.find(u'\n'), std::u16string::npos);
    EXPECT_EQ(Call("Orbx_DataBarStackedOmniDirectional", u""), u"");
}

// The smallest and an FNC1-separated symbol, module for module as zint draws them.
TEST(DataBarFunctions, ExpandedThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_DataBarExpanded", "(10)1"),
              u"awaawawwaaaaawaaaawawwwwwwwwaaaawawaaawaaaaaaawawwawwawwwwwawawwaaaawawwwwaaaaaaaa"
              u"wawawwwwwaaaawawwwaw");
    // FNC1 is typed as U+00CA, which reaches the encoder as the byte 202.
    EXPECT_EQ(Call("Orbx_DataBarExpanded", u"(10)AB\u00CA(21)12"),
              u"awawwawaaaaawaaawwwawwwwwwwwaaaawawawaaawaaaaawwaaawawwwwwwaawwwwawawawwwwaaaaaaww"
              u"wawwwwawwwwaaaawawaawwwwwwaawwawwawaaawwwwwwaaaawawa");
    EXPECT_EQ(Call("Orbx_DataBarExpanded", u""), u"");
    EXPECT_EQ(Call("Orbx_DataBarExpanded", std::u16string(2049, u'1')), u"");
    // 2048 digits: the first 70 fill the largest symbol, 22 symbol characters in one row.
    EXPECT_EQ(Call("Orbx_DataBarExpanded", std::u16string(2048, u'1')).size(), 543u);
}

TEST(DataBarFunctions, ExpandedSegmentsOption) {
    const std::u16string single = CallUtf8("Orbx_DataBarExpanded", "(01)12345678901231");
    ASSERT_EQ(single.size(), 4u + 5 * 17 + 3 * 15);
    EXPECT_EQ(single.find_first_not_of(u"aw"), std::u16string::npos);
    // An empty, zero, too large or non-numeric option means 22 segments per row.
    for (const char* parameter :
         {"(01)12345678901231|", "(01)12345678901231|0", "(01)12345678901231|23",
          "(01)12345678901231|abc", "(01)12345678901231|22|4"}) {
        EXPECT_EQ(CallUtf8("Orbx_DataBarExpanded", parameter), single) << parameter;
    }
    // 4 segments per row: two rows of 102 columns, separated by a carriage return alone.
    const std::u16string stacked = CallUtf8("Orbx_DataBarExpanded", "(01)12345678901231|4");
    ASSERT_EQ(stacked.size(), 102u + 1 + 102);
    EXPECT_EQ(stacked[102], u'\r');
    EXPECT_EQ(stacked.find(u'\n'), std::u16string::npos);
    EXPECT_EQ(stacked.substr(0, 102).find_first_not_of(u"aw"), std::u16string::npos);
    // An odd number of segments is raised by one.
    EXPECT_EQ(CallUtf8("Orbx_DataBarExpanded", "(01)12345678901231|3"), stacked);
}

// Data that does not fit in 22 symbol characters: the encoder's message comes with a failing
// status, so the host gets the empty text, as for every other refused call.
TEST(DataBarFunctions, ExpandedDataOutOfRangeGivesTheEmptyText) {
    EXPECT_EQ(CallUtf8("Orbx_DataBarExpanded", std::string(41, 'A')), u"");
    EXPECT_EQ(CallUtf8("Orbx_DataBarExpanded", std::string(41, 'A') + "|4"), u"");
    EXPECT_EQ(CallUtf8("Orbx_DataBarExpanded", std::string(40, 'A')).size(), 543u);
}

}  // namespace
}  // namespace orbx
