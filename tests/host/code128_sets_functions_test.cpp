#include <gtest/gtest.h>

#include <string>

#include "support/host_call.h"

namespace orbx {
namespace {

using test::Call;
using test::CallUtf8;
using test::Cp1252;
using test::Latin1;

TEST(Code128aFunction, WorkedExampleThroughTheHost) {
    // The check value 0 arrives as U+00C2, the stop as U+00CE.
    EXPECT_EQ(CallUtf8("Orbx_Code128a", "ABC"), Cp1252({203, 65, 66, 67, 194, 206}));
    // No options: a vertical bar is data. 103 + 33 + 92x2 + 34x3 = 422, check value 10.
    EXPECT_EQ(CallUtf8("Orbx_Code128a", "A|B"), Cp1252({203, 65, 124, 66, 42, 206}));
    EXPECT_EQ(Call("Orbx_Code128a", u""), u"");
}

TEST(Code128bFunction, WorkedExampleThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_Code128b", "Hello"), Cp1252({204, 72, 101, 108, 108, 111, 108, 206}));
    // Every unit is a font character: 2044 of them make the longest symbol the 2048-byte
    // buffer holds; one more is refused whole rather than cut.
    EXPECT_EQ(Call("Orbx_Code128b", std::u16string(2044, u'A')).size(), 2047u);
    EXPECT_EQ(Call("Orbx_Code128b", std::u16string(2045, u'A')), u"");
}

TEST(Code128cFunction, WorkedExampleThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_Code128c", "12345"), Cp1252({205, 33, 55, 77, 113, 206}));
    EXPECT_EQ(CallUtf8("Orbx_Code128c", "ABC"), Cp1252({205, 34, 206}));
    // 2048 digits are 1024 pairs: within the buffer.
    EXPECT_EQ(Call("Orbx_Code128c", std::u16string(2048, u'7')).size(), 1027u);
}

TEST(Code128HRFunction, WorkedExampleThroughTheHost) {
    // FNC1 typed as U+00CA reaches the encoder as the byte 202.
    EXPECT_EQ(Call("Orbx_Code128HR", Latin1("\xCA"
                                            "0112345678901231")),
              u" (01) 12345678901231");
    EXPECT_EQ(CallUtf8("Orbx_Code128HR", "AB~~CD"), u"ABCD");
    EXPECT_EQ(CallUtf8("Orbx_Code128HR", "AB~~CD|"), u"ABCD");
    EXPECT_EQ(CallUtf8("Orbx_Code128HR", "AB~~CD|0"), u"AB~~CD");
    EXPECT_EQ(CallUtf8("Orbx_Code128HR", "12345~m05"), u"123457");
}

}  // namespace
}  // namespace orbx
