#include <gtest/gtest.h>

#include <string>

#include "support/host_call.h"

namespace orbx {
namespace {

using test::Call;
using test::CallUtf8;
using test::Cp1252;

TEST(Code39Function, ThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_Code39", "ab 12"), u"*AB=12*");
    // No options: the vertical bar is data, and Code 39 filters nothing.
    EXPECT_EQ(CallUtf8("Orbx_Code39", "A|1"), u"*A|1*");
    // The input limit is 512 units.
    EXPECT_EQ(Call("Orbx_Code39", std::u16string(512, u'A')).size(), 514u);
    EXPECT_EQ(Call("Orbx_Code39", std::u16string(513, u'A')), u"");
}

TEST(Code39Mod43Function, ThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_Code39Mod43", "code-39"), u"*CODE-39P*");
    EXPECT_EQ(CallUtf8("Orbx_Code39Mod43", "???"), u"*0*");
}

TEST(CodabarFunction, ThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_Codabar", "$1,000.00"), u"A$1000.00B");
    // 2045 kept characters fill the 2048-byte buffer; 2048 would not fit and give the empty text.
    EXPECT_EQ(Call("Orbx_Codabar", std::u16string(2045, u'1')).size(), 2047u);
    EXPECT_EQ(Call("Orbx_Codabar", std::u16string(2048, u'1')), u"");
}

TEST(I2of5Function, ThroughTheHost) {
    // The pair and start/stop bytes above 127 arrive as their Windows-1252 characters.
    EXPECT_EQ(CallUtf8("Orbx_I2of5", "9899"), Cp1252({203, 201, 202, 204}));
    EXPECT_EQ(CallUtf8("Orbx_I2of5", "9899"), u"\u00CB\u00C9\u00CA\u00CC");
    // 2048 digits, the input limit, are encoded in full.
    EXPECT_EQ(Call("Orbx_I2of5", std::u16string(2048, u'0')),
              u"\u00CB" + std::u16string(1024, u'!') + u"\u00CC");
}

TEST(I2of5Mod10Function, ThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_I2of5Mod10", "123456"), Cp1252({203, 34, 56, 78, 98, 204}));
    EXPECT_EQ(CallUtf8("Orbx_I2of5Mod10", "x"), Cp1252({203, 33, 204}));
}

TEST(PostnetFunction, ThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_Postnet", "12345-6789"), u"(1234567895)");
}

TEST(MSIFunction, ThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_MSI", "1234567"), u"(12345674)");
    EXPECT_EQ(Call("Orbx_MSI", u""), u"");
}

}  // namespace
}  // namespace orbx
