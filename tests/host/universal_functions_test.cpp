// The twelve Universal font functions through the host, as FileMaker calls them.
#include <gtest/gtest.h>

#include <string>

#include "support/host_call.h"

namespace orbx {
namespace {

using test::Call;
using test::CallUtf8;
using test::Cp1252;

struct Row {
    const char* function;
    const char* parameter;
    const char* expected;  // font letters or readable text, as bytes of the encoder's output
};

void ExpectRows(const Row* rows, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(testing::Message()
                     << i << ": " << rows[i].function << "( " << rows[i].parameter << " )");
        EXPECT_EQ(CallUtf8(rows[i].function, rows[i].parameter), Cp1252(rows[i].expected));
    }
}

TEST(UniversalFunctions, EachFunctionThroughTheHost) {
    const Row rows[] = {
        {"Orbx_Uni_C128", "123456", "EBJAFJCAGKAECEIGIAH"},                                // 0
        {"Orbx_Uni_C128A", "ABC", "EDBACGCAGCCEEFFGIAH"},                                  // 1
        {"Orbx_Uni_C128B", "abc", "EBDBAHBDEDAFEMEGIAH"},                                  // 2
        {"Orbx_Uni_C128C", "12345", "EBJFEFIEIAIGBANGIAH"},                                // 3
        {"Orbx_Uni_UCC128", "0112345678901231", "EBJMAIFEFAFJCAGKAEHABEMEAFJEGEDFAGIAH"},  // 4
        {"Orbx_Uni_Postnet", "12345", "njknjlnjmokjnkkokkon"},                             // 5
        {"Orbx_Uni_Planet", "12345", "nmlomkomjnlmollnllnn"},                              // 6
        {"Orbx_Uni_C128HR", "12345~m05 X~009Y", "123457 X Y"},                             // 7
        {"Orbx_Uni_C39", "A|3", "CAIIAIACAICAIIA"},                                        // 8
        {"Orbx_Uni_I2of5", "12", "AAEBAAFEA"},                                             // 9
        {"Orbx_Uni_MSI", "7|2.5|0", "YXYYYXX"},                                            // 10
        {"Orbx_Uni_Codabar", "1", "AFBAAAFABBAE"},                                         // 11
    };
    ExpectRows(rows, std::size(rows));
}

TEST(UniversalFunctions, OptionsAndDefaults) {
    const Row rows[] = {
        // 0-2: ratio 3 with check, ratio 3 without, and X||1: one empty field, so the defaults
        {"Orbx_Uni_C39", "A|3|1", "CAIIAIACAIIACAICAIIA"},
        {"Orbx_Uni_C39", "A|3", "CAIIAIACAICAIIA"},
        {"Orbx_Uni_C39", "A||1", "BAEEAEABAEBAEEA"},
        // 3: the ratio is read in single precision: 3.0000001 is 3
        {"Orbx_Uni_C39", "A|3.0000001", "CAIIAIACAICAIIA"},
        // 4: 2.4 is drawn at ratio 2
        {"Orbx_Uni_C39", "A|2.4", "BAEEAEABAEBAEEA"},
        // 5: ratio 2.5 and the check flag of Interleaved 2 of 5
        {"Orbx_Uni_I2of5", "12|3", "AAICAAKIA"},
        // 6-7: MSI checks unless told not to
        {"Orbx_Uni_MSI", "7|2.5", "YXYYYXYXYXX"},
        {"Orbx_Uni_MSI", "7|2.5|1", "YXYYYXYXYXX"},
        // 8: the start is the first character of its field
        {"Orbx_Uni_Codabar", "x|2|CX|D", "ABBEABFA"},
        // 9: the stop field goes as it stands, and "DX" is no stop character
        {"Orbx_Uni_Codabar", "x|2|C|DX", "ABBEAFBA"},
        // 10: x|2||D reads two fields; the stop keeps its default
        {"Orbx_Uni_Codabar", "x|2||D", "AFBABBAE"},
        // 11-12: Postnet and Planet check unless told not to
        {"Orbx_Uni_Postnet", "12345|0", "njknjlnjmokjnkkon"},
        {"Orbx_Uni_Planet", "12345|0", "nmlomkomjnlmollnn"},
        // 13-14: tilde processing of the readable line
        {"Orbx_Uni_C128HR", "~202011234567890123~20210ABC123", " (01) 1234567890123 (10) ABC123"},
        {"Orbx_Uni_C128HR", "A~009B|0", "A~009B"},
        // 15: a readable byte above 127 arrives as its Windows-1252 character
        {"Orbx_Uni_C128HR", "A~128B",
         "A\x80"
         "B"},
        // 16: UCC/EAN-128 data that brings its own FNC1 escape gets no second one
        {"Orbx_Uni_UCC128", "~2020112345678901231", "EBJMAIFEFAFJCAGKAEHABEMEAFJEGEDFAGIAH"},
        // 17: a vertical bar is data for the functions without options
        {"Orbx_Uni_C128B", "|", "EBDAAOACMGIAH"},
    };
    ExpectRows(rows, std::size(rows));
}

TEST(UniversalFunctions, TildeFlagOfTheAutomaticEncoder) {
    const std::u16string escaped = CallUtf8("Orbx_Uni_C128", "~065");
    EXPECT_EQ(escaped, CallUtf8("Orbx_Uni_C128", "A"));
    EXPECT_EQ(CallUtf8("Orbx_Uni_C128", "~065|"), escaped);
    EXPECT_EQ(CallUtf8("Orbx_Uni_C128", "~065|1"), escaped);
    EXPECT_EQ(CallUtf8("Orbx_Uni_C128", "~065|0"), CallUtf8("Orbx_Uni_C128B", "~065"));
}

TEST(UniversalFunctions, RefusalsGiveTheEmptyText) {
    EXPECT_EQ(CallUtf8("Orbx_Uni_Planet", "ABC"), u"");               // no digit: 1000
    EXPECT_EQ(CallUtf8("Orbx_Uni_MSI", "abc|2|1"), u"");              // no digit: 1000
    EXPECT_EQ(CallUtf8("Orbx_Uni_C128", "|1"), u"");                  // empty data
    EXPECT_EQ(CallUtf8("Orbx_Uni_C39", std::string(450, 'A')), u"");  // longer than 2048 bytes
    // Only the first 512 characters are encoded; the input limit is 2048 units.
    EXPECT_EQ(Call("Orbx_Uni_Postnet", std::u16string(2048, u'1')).size(), 3u * 513 + 2);
    EXPECT_EQ(Call("Orbx_Uni_Postnet", std::u16string(2049, u'1')), u"");
}

}  // namespace
}  // namespace orbx
