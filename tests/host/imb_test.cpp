#include <gtest/gtest.h>

#include <string>

#include "support/host_call.h"

namespace orbx {
namespace {

using test::Call;
using test::CallUtf8;

TEST(IntelligentMailFunctions, OneCodeWorkedExampleThroughTheHost) {
    // Worked example of USPS-B-3200 with the 5-digit routing code 01234.
    EXPECT_EQ(CallUtf8("Orbx_Uni_OneCode", "01234567094987654321 01234"),
              u"rssqpqrrsspsrspsprsrrqrqrqpqrpqsrrpsqqqprssqrpqqqsrprsrpqrrrsrpps");
    EXPECT_EQ(CallUtf8("Orbx_Uni_OneCode", "0123456709498765432"), u"Incorrct data");
    EXPECT_EQ(Call("Orbx_Uni_OneCode", u""), u"");
}

TEST(IntelligentMailFunctions, UspsIntelligentMailIsTheSameFunction) {
    // Worked example with the 11-digit routing code; the whole parameter is data, so a "|" is
    // one more separator.
    const std::u16string bars =
        u"qqrspprpsrqrsqqrqqsprsrrqqqrrsrssrqpqrqrrrsppprrsssqrpqqqrpsrqqrq";
    EXPECT_EQ(CallUtf8("Orbx_USPS_IntelligentMail", "0123-4567-0949-8765-4321|01234-5678-91"),
              bars);
    EXPECT_EQ(CallUtf8("Orbx_Uni_OneCode", "0123-4567-0949-8765-4321|01234-5678-91"), bars);
    EXPECT_EQ(Call("Orbx_USPS_IntelligentMail", std::u16string(2049, u'1')), u"");
}

}  // namespace
}  // namespace orbx
