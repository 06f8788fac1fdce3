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

}  // namespace
}  // namespace orbx
