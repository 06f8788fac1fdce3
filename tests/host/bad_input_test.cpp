// Bad input through every function: each gives its documented result, never a crash, an
// overrun or an error raised to the host.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/alphabets.h"
#include "support/host_call.h"

namespace orbx {
namespace {

using test::Cp1252;

// What a call must give: the empty text, some symbol of the function's font, exactly a text,
// or exactly what another parameter gives.
struct Expect {
    enum Kind { kEmpty, kSymbol, kExactly, kSameAs } kind;
    std::u16string text;
};

const Expect kEmpty{Expect::kEmpty, u""};
const Expect kSymbol{Expect::kSymbol, u""};
Expect Exactly(std::u16string text) {
    return {Expect::kExactly, std::move(text)};
}
Expect SameAs(std::u16string parameter) {
    return {Expect::kSameAs, std::move(parameter)};
}

struct Case {
    const char* what;
    std::u16string parameter;
    Expect otherwise;               // for every function not named below
    std::map<short, Expect> by_id;  // function ID to its own expectation
};

std::u16string repeat(std::u16string_view unit, std::size_t times) {
    std::u16string s;
    for (std::size_t i = 0; i < times; ++i)
        s += unit;
    return s;
}

std::u16string all_bytes() {
    std::u16string s;
    for (char16_t c = 1; c <= 255; ++c)
        s += c;
    return s;
}

const std::u16string kZeroDataBar = u"a1a1a1b1h1c8b1a7b1a1a1a1a1a1a2g1a9a3a8a2a1a1a1";
const std::u16string kZeroLimited = u"a1a1a1a1a1a1f1f3a1a3a1a1b1b1a1a1a1a1a1a1f1f3a1";
const std::u16string kIncorrect = u"Incorrct data";

// `base` with the expectations of `more` added (an ID of both keeps the one of `base`).
std::map<short, Expect> With(std::map<short, Expect> base, const std::map<short, Expect>& more) {
    base.insert(more.begin(), more.end());
    return base;
}

std::vector<Case> cases() {
    // Data that function 1 (no parameter) and functions 10 to 17 (at most 512 characters of
    // data) refuse.
    const std::map<short, Expect> over_512 = {{1, kEmpty},  {10, kEmpty}, {11, kEmpty},
                                              {12, kEmpty}, {13, kEmpty}, {14, kEmpty},
                                              {15, kEmpty}, {16, kEmpty}, {17, kEmpty}};
    // Functions whose data runs to the first vertical bar, the rest being options.
    const std::map<short, Expect> options_take_the_bars = {
        {2, kEmpty},  {3, kEmpty},  {18, kEmpty}, {23, kEmpty}, {24, kEmpty}, {25, kEmpty},
        {26, kEmpty}, {27, kEmpty}, {28, kEmpty}, {29, kEmpty}, {33, kEmpty}};
    const std::map<short, Expect> bars =
        With(options_take_the_bars,
             {{1, kEmpty},
              {6, Exactly(Cp1252({205, 34, 206}))},
              {7, Exactly(Cp1252({203, 204}))},
              {8, Exactly(Cp1252({203, 33, 204}))},
              {9, Exactly(u"AB")},
              {10, Exactly(u"*||||*")},  // Code 39 passes what it cannot encode through
              {11, Exactly(u"*0*")},
              {12, Exactly(u"(0)")},
              {13, Exactly(u"(0005*KKKP(")},
              {14, Exactly(u"U(000000*KKKKKK(")},
              {15, Exactly(u"U(a00000*KKKKKk(U")},
              {16, Exactly(u"(0)")},
              {17, kEmpty},
              {30, Exactly(kIncorrect)},
              {31, Exactly(kIncorrect)},
              {32, Exactly(kZeroDataBar)},
              {34, Exactly(kZeroLimited)}});

    // The 2D functions (38 to 40) read up to 8192 units of Unicode text: a symbol wherever it
    // fits the largest one.
    const std::map<short, Expect> matrix_symbols = {{38, kSymbol}, {39, kSymbol}, {40, kSymbol}};

    return {
        {"empty", u"", kEmpty, {{1, Exactly(u"2013")}}},
        {"2049 digits: over every limit but the 2D functions'", repeat(u"1", 2049), kEmpty,
         matrix_symbols},
        {"513 digits: over the limit of functions 10 to 17", repeat(u"1", 513), kSymbol,
         With(over_512,
              {{30, Exactly(kIncorrect)},
               {31, Exactly(kIncorrect)},
               // 512 digits make 2055 and 2056 letters: more than the 2048-byte buffer holds
               {28, kEmpty},
               {29, kEmpty},
               {26, kEmpty}})},
        {"2048 digits", repeat(u"1", 2048), kSymbol,
         // results longer than the 2048-byte buffer are refused, never cut
         With(over_512, {{3, kEmpty},  // 2048 characters of text and its terminating zero
                         {4, kEmpty},  // 2051 characters
                         {5, kEmpty},
                         {9, kEmpty},   // 2050
                         {26, kEmpty},  // Universal: the first 512 digits, more than 2048 letters
                         {28, kEmpty},
                         {29, kEmpty},
                         {30, Exactly(kIncorrect)},
                         {31, Exactly(kIncorrect)}})},
        {"only vertical bars", u"||||", kSymbol, bars},
        {"only tildes",
         u"~~~~~~",
         kSymbol,
         {{1, kEmpty},
          {2, Exactly(Cp1252({204, 126, 126, 126, 82, 206}))},  // ~~ is one tilde
          {3, kEmpty},                                          // a tilde prints nothing
          {7, Exactly(Cp1252({203, 204}))},
          {9, Exactly(u"AB")},
          {11, Exactly(u"*0*")},
          {12, Exactly(u"(0)")},
          {16, Exactly(u"(0)")},
          {17, kEmpty},
          {24, kEmpty},  // Planet without digits
          {28, kEmpty},  // MSI without digits
          {30, Exactly(kIncorrect)},
          {31, Exactly(kIncorrect)},
          {32, Exactly(kZeroDataBar)},
          {34, Exactly(kZeroLimited)}}},
        {"every byte 1 to 255",
         all_bytes(),
         kSymbol,
         {{1, kEmpty},
          {17, kEmpty},  // no digit among the first 20 characters
          {33, kEmpty},  // 70 characters kept, mostly ISO/IEC 646: more than 252 data bits
          {30, Exactly(kIncorrect)},
          {31, Exactly(kIncorrect)}}},
        // The 2D symbols carry a zero byte as data.
        {"U+0000 first", std::u16string(1, u'\0') + u"12345", kEmpty, matrix_symbols},
        {"a lone high surrogate first: its low byte is 0",
         u"\xD800"
         u"12345",
         kEmpty,
         {{38, SameAs(u"\xFFFD"
                      u"12345")},
          {39, SameAs(u"\xFFFD"
                      u"12345")},
          {40, SameAs(u"\xFFFD"
                      u"12345")}}},
        {"lone low surrogates keep their low bytes (U+FFFD each for the 2D functions)",
         u"\xDC31\xDC32\xDC33\xDC34\xDC35",
         SameAs(u"12345"),
         {{1, kEmpty},
          {38, SameAs(u"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD")},
          {39, SameAs(u"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD")},
          {40, SameAs(u"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD")}}},
        {"a code-set change on every character",
         repeat(u"\x01"
                u"a",
                1024),
         kSymbol,
         With(over_512, {{2, kEmpty},  // 4099 characters: refused
                         {3, kEmpty},  // 2048 characters of text
                         {4, kEmpty},
                         {5, kEmpty},
                         {18, kEmpty},  // Universal: 1 + 2 x 512 values, over 2048 letters
                         {22, kEmpty},
                         {24, kEmpty},
                         {28, kEmpty},
                         {33, kEmpty},  // 70 lower-case letters: more than the symbol carries
                         {30, Exactly(kIncorrect)},
                         {31, Exactly(kIncorrect)},
                         {32, Exactly(kZeroDataBar)},
                         {34, Exactly(kZeroLimited)},
                         // 2048 bytes: QR Code takes them in byte mode; Data Matrix needs
                         // more than its 1558 data codewords, PDF417 more than 928 codewords
                         {39, kEmpty},
                         {40, kEmpty}})},
        {"8193 digits: over the 2D functions' limit", repeat(u"1", 8193), kEmpty, {}},
    };
}

TEST(BadInput, EveryFunctionGivesItsDocumentedResult) {
    test::StartedPlugin();
    // The macOS edition's version function answers its number to any parameter but its two
    // keywords, none of which is among these.
    const Expect mac_version = Exactly(u"2014");
    const bool macos = test::PluginEdition() == test::Edition::macos;
    for (const Case& c : cases()) {
        for (const auto& f : fmxhost::Registrations()) {
            // The picture function takes two parameters at least (tests/host/image_test.cpp).
            if (f.functionId == 37) continue;
            SCOPED_TRACE(std::string(c.what) + ", function " + std::to_string(f.functionId));
            const auto found = c.by_id.find(f.functionId);
            const Expect& expect = macos && f.functionId == 1 ? mac_version
                                   : found != c.by_id.end()   ? found->second
                                                              : c.otherwise;
            const std::u16string result = host::Evaluate(f, &c.parameter);
            switch (expect.kind) {
                case Expect::kEmpty:
                    EXPECT_EQ(result, u"");
                    break;
                case Expect::kExactly:
                    EXPECT_EQ(result, expect.text);
                    break;
                case Expect::kSameAs:
                    EXPECT_EQ(result, host::Evaluate(f, &expect.text));
                    break;
                case Expect::kSymbol: {
                    EXPECT_FALSE(result.empty());
                    std::string bytes;
                    ASSERT_TRUE(test::BytesOfResult(result, bytes));
                    EXPECT_TRUE(test::InFontAlphabet(f.functionId, bytes));
                    break;
                }
            }
        }
    }
}

TEST(BadInput, OptionFieldsOfAnyValue) {
    // Numbers are read from the start of the field: huge values saturate, "-5" is nonzero, a
    // field that does not start with a number reads 0, and "1e999" reads 1.
    struct Row {
        const char* function;
        std::u16string data;
        std::u16string if_nonzero;  // the parameter that gives the result of a nonzero option
        std::u16string if_zero;
    };
    const Row rows[] = {
        {"Orbx_Code128", u"~202AB", u"~202AB|1", u"~202AB|0"},
        {"Orbx_Code128HR", u"A~009B", u"A~009B|1", u"A~009B|0"},
        {"Orbx_Uni_C128", u"~202AB", u"~202AB|1", u"~202AB|0"},
        {"Orbx_Uni_C128HR", u"A~009B", u"A~009B|1", u"A~009B|0"},
        {"Orbx_Uni_Postnet", u"12345", u"12345|1", u"12345|0"},
        {"Orbx_Uni_Planet", u"12345", u"12345|1", u"12345|0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.function);
        ASSERT_NE(test::Call(row.function, row.if_nonzero), test::Call(row.function, row.if_zero));
        const std::pair<const char16_t*, bool> fields[] = {{u"|99999999999999999999", true},
                                                           {u"|-5", true},
                                                           {u"|x", false},
                                                           {u"|nan", false},
                                                           {u"|1e999", true},
                                                           {u"| 7x", true}};
        for (const auto& [field, nonzero] : fields) {
            SCOPED_TRACE(host::Utf16ToUtf8(field));
            EXPECT_EQ(test::Call(row.function, row.data + field),
                      test::Call(row.function, nonzero ? row.if_nonzero : row.if_zero));
        }
    }
    // Segments per row outside 1 to 22 are 22; "1e999" reads 1, raised to the even 2.
    const std::u16string gs1 = u"(01)98898765432106(3202)012345(15)991231(10)ABC";
    ASSERT_NE(test::Call("Orbx_DataBarExpanded", gs1 + u"|2"),
              test::Call("Orbx_DataBarExpanded", gs1 + u"|22"));
    const std::pair<const char16_t*, const char16_t*> segments[] = {
        {u"|99999999999999999999", u"|22"},
        {u"|-5", u"|22"},
        {u"|x", u"|22"},
        {u"|nan", u"|22"},
        {u"|1e999", u"|2"},
        {u"", u"|22"}};
    for (const auto& [field, same_as] : segments) {
        SCOPED_TRACE(host::Utf16ToUtf8(field));
        EXPECT_EQ(test::Call("Orbx_DataBarExpanded", gs1 + field),
                  test::Call("Orbx_DataBarExpanded", gs1 + same_as));
    }
    // A ratio other than 3, 2.5 or 2 is 2, whatever its text.
    for (const char16_t* field :
         {u"|99999999999999999999", u"|-5", u"|x", u"|nan", u"|1e999", u"|inf", u"|2.4"}) {
        SCOPED_TRACE(host::Utf16ToUtf8(field));
        for (const char* function :
             {"Orbx_Uni_C39", "Orbx_Uni_I2of5", "Orbx_Uni_MSI", "Orbx_Uni_Codabar"}) {
            EXPECT_EQ(test::Call(function, std::u16string(u"123") + field),
                      test::Call(function, u"123|2"));
        }
    }
}

}  // namespace
}  // namespace orbx
