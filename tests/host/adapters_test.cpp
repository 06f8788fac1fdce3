#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/host_call.h"

namespace orbx {
namespace {

using test::Call;
using test::CallUtf8;
using test::Cp1252;
using test::Latin1;

TEST(Code128Function, WorkedExampleThroughTheHost) {
    EXPECT_EQ(CallUtf8("Orbx_Code128", "AB12345678"),
              Cp1252({204, 65, 66, 199, 44, 66, 88, 110, 89, 206}));
    // The stop character 206 reaches the host as the Windows-1252 character U+00CE.
    EXPECT_EQ(CallUtf8("Orbx_Code128", "AB12345678").back(), u'\u00CE');
}

TEST(Code128Function, TildeFlagOption) {
    const std::u16string on = CallUtf8("Orbx_Code128", "~202AB");
    EXPECT_EQ(on.substr(0, 2), Cp1252({205, 202}));
    EXPECT_EQ(CallUtf8("Orbx_Code128", "~202AB|"), on);  // empty option: default 1
    EXPECT_EQ(CallUtf8("Orbx_Code128", "~202AB|1"), on);
    EXPECT_EQ(CallUtf8("Orbx_Code128", "~202AB||0"), on);  // a second "|" right away: empty
    const std::u16string off = CallUtf8("Orbx_Code128", "~202AB|0");
    EXPECT_EQ(off.substr(0, 5), u"\u00CC~202");
    EXPECT_EQ(CallUtf8("Orbx_Code128", "~202AB|0|1"), off);
    EXPECT_EQ(CallUtf8("Orbx_Code128", "~202AB| 0x"), off);  // read from the start of the field
    EXPECT_EQ(CallUtf8("Orbx_Code128", "~202AB|x"), off);    // not a number: 0
    EXPECT_EQ(CallUtf8("Orbx_Code128", "~202AB|-3"), on);    // nonzero
    // The data ends at the first "|".
    EXPECT_EQ(CallUtf8("Orbx_Code128", "ABC|0"), CallUtf8("Orbx_Code128", "ABC"));
    EXPECT_EQ(CallUtf8("Orbx_Code128", "ABC|"), CallUtf8("Orbx_Code128", "ABC"));
}

TEST(Code128Function, EmptyParameterGivesEmptyText) {
    EXPECT_EQ(Call("Orbx_Code128", u""), u"");
    EXPECT_EQ(Call("Orbx_Code128", u"|1"), u"");
}

TEST(Code128Function, InputLimitIs2048Units) {
    // 2044 letters make a 2047-character symbol, the most a 2048-byte buffer holds.
    const std::u16string fits = std::u16string(2044, u'A');
    EXPECT_EQ(Call("Orbx_Code128", fits).size(), 2047u);
    EXPECT_EQ(Call("Orbx_Code128", std::u16string(2045, u'A')), u"");
    // Digits pair up in set C: 2048 digits fit, 2049 units are over the input limit.
    const std::u16string digits(2048, u'1');
    EXPECT_EQ(Call("Orbx_Code128", digits).size(), 1027u);
    EXPECT_EQ(Call("Orbx_Code128", digits + u"1"), u"");
}

TEST(Code128Function, EachUnitKeepsItsLowEightBits) {
    // U+0141 becomes 0x41 "A"; U+20AC becomes 172, which Code 128 cannot carry.
    EXPECT_EQ(Call("Orbx_Code128", u"\u0141B"), CallUtf8("Orbx_Code128", "AB"));
    EXPECT_EQ(Call("Orbx_Code128", u"A\u20ACB"), CallUtf8("Orbx_Code128", "AB"));
    EXPECT_EQ(Call("Orbx_Code128", u"\u20AC"), Cp1252({204, 33, 206}));
    // Code 39 passes what it cannot encode through: the byte 172 comes back as U+00AC.
    EXPECT_EQ(Call("Orbx_Code39", u"\u20AC"), Cp1252({'*', 172, '*'}));
    // U+0109 becomes the control character 9.
    EXPECT_EQ(Call("Orbx_Code128", u"\u0109"), Cp1252({203, 105, 105, 206}));
}

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

// The version function's answer and the data type it is stored with, as the host sees them.
struct Answer {
    std::u16string text;
    fmx::int32 type;
};

Answer VersionAnswer(const std::u16string* keyword) {
    fmx::DataVectUniquePtr parms;
    if (keyword != nullptr) fmxhost::PushTextParameter(*parms, *keyword);
    fmx::DataUniquePtr result;
    const auto f = test::Function("Orbx_PluginVersion");
    EXPECT_EQ(f.callback(f.functionId, fmxhost::Environment(), *parms, *result), 0);
    return {fmxhost::Units(result->GetAsText()), fmxhost::StoredType(*result)};
}

TEST(VersionFunction, Keywords) {
    constexpr fmx::int32 kText = fmx::Data::kDTText, kNumber = fmx::Data::kDTNumber;
    struct Row {
        std::u16string keyword;
        Answer linux_and_windows, macos;
    };
    const std::u16string platform =
        test::PluginEdition() == test::Edition::windows ? u"Windows" : u"Linux";
    const Row rows[] = {
        /* 0 */ {u"", {u"2013", kText}, {u"2014", kNumber}},
        /* 1 */ {u"short", {u"2013", kText}, {u"2014", kNumber}},
        /* 2 */ {u"long", {u"Orbelantrix 2013", kText}, {u"2014", kNumber}},
        // "platform" names the platform and "autoupdate" gives the release on every edition.
        /* 3 */ {u"platform", {platform, kText}, {u"macOS", kText}},
        /* 4 */ {u"autoupdate", {u"01000000", kText}, {u"01000000", kText}},
        /* 5 */ {u"x", {u"", kText}, {u"2014", kNumber}},
        /* 6 */ {u"long ", {u"", kText}, {u"2014", kNumber}},
    };
    const bool macos = test::PluginEdition() == test::Edition::macos;
    for (const Row& row : rows) {
        SCOPED_TRACE(host::Utf16ToUtf8(row.keyword));
        const Answer& expected = macos ? row.macos : row.linux_and_windows;
        const Answer answer = VersionAnswer(&row.keyword);
        EXPECT_EQ(answer.text, expected.text);
        EXPECT_EQ(answer.type, expected.type);
    }
    const Answer without = VersionAnswer(nullptr);
    EXPECT_EQ(without.text, test::VersionAnswer());
    EXPECT_EQ(without.type, macos ? kNumber : kText);
}

// A host call that reports a failure (here an allocation failure, the n-th call that creates or
// changes a host object) makes the plug-in's SDK wrapper throw inside the plug-in, which
// catches it: the calculation gets the empty text, the adapter returns 0 and every host object
// is released. Every call of the adapter is made to fail in turn, until a count is reached that
// the adapter no longer reaches and its whole result comes back.
TEST(Adapters, AFailingHostCallGivesTheEmptyText) {
    struct Row {
        const char* function;
        std::u16string parameter;
    };
    const Row rows[] = {
        /* 0 */ {"Orbx_Code128", u"AB12345678"},
        /* 1 */ {"Orbx_Uni_C39", u"CODE|3|1"},
        /* 2 */ {"Orbx_DataBarExpanded", u"(01)98898765432106(3202)012345(15)991231|4"},
        /* 3 */ {"Orbx_PluginVersion", u"long"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.function);
        const auto f = test::Function(row.function);
        const std::u16string whole = host::Evaluate(f, &row.parameter);
        ASSERT_FALSE(whole.empty());
        int failed_calls = 0;
        for (int n = 1; n <= 64; ++n) {
            SCOPED_TRACE(n);
            fmx::DataVectUniquePtr parms;
            fmxhost::PushTextParameter(*parms, row.parameter);
            fmx::DataUniquePtr result;
            const long live = fmxhost::LiveObjects();
            fmxhost::FailCallAt(n);
            const fmx::errcode status =
                f.callback(f.functionId, fmxhost::Environment(), *parms, *result);
            fmxhost::FailCallAt(0);
            EXPECT_EQ(status, 0);
            EXPECT_EQ(fmxhost::LiveObjects(), live);
            const std::u16string text = fmxhost::Units(result->GetAsText());
            if (text == whole) break;
            EXPECT_EQ(text, u"");
            ++failed_calls;
        }
        // At least the copy of the parameter, the result's text and storing it.
        EXPECT_GE(failed_calls, 3);
        EXPECT_LT(failed_calls, 64);
    }
}

TEST(Adapters, FunctionsWithoutTheirParameterGiveEmptyText) {
    for (const auto& f : fmxhost::Registrations()) {
        if (f.functionId == 1) continue;
        SCOPED_TRACE(f.functionId);
        EXPECT_EQ(host::Evaluate(f, nullptr), u"");
    }
}

TEST(Adapters, HostObjectsAreReleased) {
    test::StartedPlugin();
    for (const auto& f : fmxhost::Registrations()) {
        SCOPED_TRACE(f.functionId);
        const std::u16string parameter = u"(01)12345678901231|1|2";
        host::Evaluate(f, &parameter);  // warms up whatever the first call creates
        const long before = fmxhost::LiveObjects();
        host::Evaluate(f, &parameter);
        EXPECT_EQ(fmxhost::LiveObjects(), before);
    }
}

// The units become bytes a block of 16 at a time: a "|" before, at and after each block's edge,
// and a unit whose low byte is "|" (U+017C), must split the option off all the same.
TEST(Adapters, TheOptionBarIsFoundAtAnyPlace) {
    for (const std::size_t n : {0, 1, 14, 15, 16, 17, 31, 32, 33, 100, 2045}) {
        for (const char16_t bar : {u'|', u'\u017C'}) {
            SCOPED_TRACE(testing::Message() << n << " " << static_cast<int>(bar));
            const std::u16string data(n, u'A');
            EXPECT_EQ(Call("Orbx_Code128HR", data + bar + u"0"), data);
        }
    }
    // Without an option rule the "|" is data: Code 128 B draws it as value 92, check value 12
    // (104 + 33 + 2 x 92 = 321, mod 103).
    EXPECT_EQ(Call("Orbx_Code128b", u"A|"), Cp1252({204, 65, 124, 44, 206}));
}

TEST(Adapters, AnyUnitsUpToTheLimitAreSafe) {
    test::StartedPlugin();
    std::mt19937 random(20131208);
    const auto functions = fmxhost::Registrations();
    for (const auto& f : functions) {
        SCOPED_TRACE(f.functionId);
        for (int round = 0; round < 12; ++round) {
            const std::size_t length = round == 0 ? 2048 : random() % 2049;
            std::u16string parameter(length, u'\0');
            for (auto& unit : parameter) {
                switch (random() % 4) {
                    case 0:
                        unit = static_cast<char16_t>(random() % 0x10000);
                        break;  // any unit
                    case 1:
                        unit = static_cast<char16_t>(0xD800 + random() % 0x800);
                        break;
                    case 2:
                        unit = static_cast<char16_t>('0' + random() % 10);
                        break;
                    default:
                        unit = static_cast<char16_t>(random() % 256);
                        break;
                }
            }
            const std::u16string result = host::Evaluate(f, &parameter);
            // DataBar Expanded's buffer, or the largest 2D symbol's text (PDF417, 90 x 30).
            EXPECT_LE(result.size(), f.functionId >= 38 ? 26189u : 20480u);
        }
    }
}

TEST(Adapters, ConcurrentCallsGiveTheSerialResults) {
    test::StartedPlugin();
    const auto code128 = test::Function("Orbx_Code128");
    std::vector<std::u16string> inputs;
    std::vector<std::u16string> serial;
    for (int i = 0; i < 64; ++i) {
        inputs.push_back(host::Utf8ToUtf16("Batch" + std::to_string(i * 7919) + "~m05x" +
                                           std::string(static_cast<std::size_t>(i), 'a' + i % 26)));
        serial.push_back(host::Evaluate(code128, &inputs.back()));
    }
    std::vector<std::thread> threads;
    std::vector<int> mismatches(8, 0);
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 200; ++round) {
                const std::size_t i = static_cast<std::size_t>((t * 13 + round) % 64);
                if (host::Evaluate(code128, &inputs[i]) != serial[i])
                    ++mismatches[static_cast<std::size_t>(t)];
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (int t = 0; t < 8; ++t)
        EXPECT_EQ(mismatches[static_cast<std::size_t>(t)], 0) << t;
}

}  // namespace
}  // namespace orbx
