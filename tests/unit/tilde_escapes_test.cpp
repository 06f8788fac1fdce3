#include "encoders/code128/tilde_escapes.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace orbx {
namespace {

using namespace std::literals;

enum class Dialect { kTextFont, kTextLine, kUniversal, kUniversalLine };

std::string expand(Dialect dialect, std::string_view data) {
    std::string out(data.size(), '\0');
    std::size_t length = 0;
    switch (dialect) {
        case Dialect::kTextFont:
            length = ExpandTildes<kTextFontTildes>(data, out.data());
            break;
        case Dialect::kTextLine:
            length = ExpandTildes<kTextLineTildes>(data, out.data());
            break;
        case Dialect::kUniversal:
            length = ExpandTildes<kUniversalTildes>(data, out.data());
            break;
        case Dialect::kUniversalLine:
            length = ExpandTildes<kUniversalLineTildes>(data, out.data());
            break;
    }
    out.resize(length);
    return out;
}

constexpr Dialect T = Dialect::kTextFont;
constexpr Dialect H = Dialect::kTextLine;
constexpr Dialect U = Dialect::kUniversal;
constexpr Dialect V = Dialect::kUniversalLine;

// Every dialect on the inputs where the dialects part ways; the expected text follows from each
// dialect's rules.
TEST(TildeEscapes, EveryDialect) {
    struct Row {
        Dialect dialect;
        std::string_view data;
        std::string_view expected;
    };
    const Row rows[] = {
        // Check-digit escape over the digits before it (12345 gives 7) in every dialect.
        {T, "12345~m05", "123457"},  // 0
        {H, "12345~m05", "123457"},  // 1
        {U, "12345~m05", "123457"},  // 2
        {V, "12345~m05", "123457"},  // 3
        // "~~": a tilde in the text font's symbol, nothing in its line, two tildes in Universal.
        {T, "AB~~CD", "AB~CD"},   // 4
        {H, "AB~~CD", "ABCD"},    // 5
        {U, "AB~~CD", "AB~~CD"},  // 6
        {V, "AB~~CD", "AB"},      // 7: "~~CD" reads as the number 0, which writes nothing
        {T, "~~009", "~009"},     // 8: the pair is taken before the code
        {H, "~~009", " "},        // 9: the first tilde is dropped, ~009 shows a space
        // Byte escapes: which codes each dialect knows.
        {T, "~009~197~202~212~217", "\x09\xc5\xca\xd4\xd9"},  // 10
        {T, "~000~218~300", "~000~218~300"},                  // 11
        {H, "A~009B~197C~202", "A BC~202"},                   // 12: space, nothing, text
        {U, "~000~202~300~999", "\0\xca,\xe7"sv},             // 13: modulo 256, 0 included
        {V, "~000x~300x~-5x", "x,x\xfb"},  // 14: low byte, 0 dropped; "-5x" reads as -5
        {V, "~ 65~abcZ", "AZ"},            // 15: read as atol does
        // Near the end of the data.
        {T, "A~12", "A~12"},       // 16
        {H, "ABCD~12", "ABCD12"},  // 17: no escape, the tilde is dropped
        {U, "A~12", "A\x0c"},      // 18: two digits at the end make a code
        {V, "A~12", "A~12"},       // 19: three characters must follow
        {V, "A~12B", "A\x0c"},     // 20
        {U, "A~1", "A~1"},         // 21
        {T, "AB~", "AB~"},         // 22
        {H, "ABCD~", "ABCD"},      // 23
        // Short data: the text font's line keeps tildes of fewer than four characters.
        {H, "A~B", "A~B"},     // 24
        {H, "~~", "~~"},       // 25
        {T, "~~", "~"},        // 26
        {H, "AB~CD", "ABCD"},  // 27
        // Where the check-digit escape is looked at.
        {T, "~m05", "~m05"},          // 28: data shorter than six characters
        {U, "~m05", "0"},             // 29: no digits written yet
        {U, "~m5", "0"},              // 30: one digit at the end
        {T, "1~m0512", "1~m0512"},    // 31: from the third character only
        {H, "1~m0512", "1m0512"},     // 32: ... and the tilde is dropped
        {V, "~m05x", "~m05x"},        // 33: nothing before it
        {V, "AB~m05x", "AB~m05x"},    // 34: no digit before it
        {T, "12~m05", "12~m05"},      // 35: fewer than five characters before it
        {H, "12~m0X", "12~m0X"},      // 36: not two digits: the tilde is kept
        {U, "~m0A", "~m0A"},          // 37
        {H, "12345~m0", "12345~m0"},  // 38: the second digit missing
        {H, "12345~m", "12345m"},     // 39: no room for the escape
        // Which digits: those among the NN characters before it (1 and 2 of A1B2), the last NN
        // written (6 and 5, with the digits that escapes wrote), or the walk over the data.
        {T, "A1B2~m04", "A1B23"},          // 40
        {T, "123~m00", "1230"},            // 41: no digits gives 0
        {U, "98765~m02", "987659"},        // 42
        {U, "~049~050~m02", "123"},        // 43
        {U, "AB1~m99", "AB17"},            // 44: fewer digits than NN
        {V, "1234~m02x", "12345x"},        // 45
        {V, "9~m-1x", "93x"},              // 46: NN of 0 or less takes every digit
        {V, "12~0013~m00x", "12\00136x"},  // 47: the walk jumps over ~001 (code 1)
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expand(rows[i].dialect, rows[i].data), rows[i].expected);
    }
}

}  // namespace
}  // namespace orbx
