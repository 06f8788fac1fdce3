#include <gtest/gtest.h>

#include <string>

#include "support/host_call.h"

namespace orbx {
namespace {

using test::Call;
using test::CallUtf8;

TEST(UPCaFunction, WorkedExampleThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_UPCa", "03600029145"), u"U(a36000*MTLOPm(W");
    EXPECT_EQ(CallUtf8("Orbx_UPCa", "0360002914512"), u"U(a36000*MTLOPm(W+#!$");
}

TEST(UPCeFunction, WorkedExampleThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_UPCe", "0425261"), u"U(E2FC61)Y");
    // Not compressible: a full UPC-A symbol ending in the normal guard.
    EXPECT_EQ(CallUtf8("Orbx_UPCe", "01234567890"), u"U(a12345*QRSTKp(u");
    // An unusable digit count is the empty text.
    EXPECT_EQ(CallUtf8("Orbx_UPCe", "123"), u"");
}

TEST(EAN13Function, WorkedExampleThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_EAN13", "5901234123457"), u"u(9AB23E*LMNOPR(");
    EXPECT_EQ(CallUtf8("Orbx_EAN13", "97802013796252495"), u"y(7IA2A1*NRTQMO( +\\!$![!;!,");
}

TEST(EAN8Function, WorkedExampleThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_EAN8", "5512345"), u"(5512*NOPR(");
    // The retail functions take at most 512 units.
    const std::u16string padded = u"5512345" + std::u16string(505, u' ');
    EXPECT_EQ(Call("Orbx_EAN8", padded), u"(5512*NOPR(");
    EXPECT_EQ(Call("Orbx_EAN8", padded + u" "), u"");
}

}  // namespace
}  // namespace orbx
