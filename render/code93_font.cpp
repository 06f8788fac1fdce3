// Code 93 text font: digits, letters and the symbols draw themselves, "=" and the space both
// draw the space character, "!", "#", "&" and "@" the four shift characters, "(" the start and
// ")" the stop with its terminating bar.
#include <array>
#include <string_view>

#include "render/fonts.h"

namespace orbx::render::detail {

namespace {

// Code 93 symbol characters (bar, space, bar, space, bar, space; 9 modules) for the values
// 0 to 46 and the start/stop character, as tabulated in AIM USS Code 93.
constexpr std::array<std::string_view, 48> kCode93Patterns = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114",
    "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111",
    "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321",
    "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111",
    "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211", "111141",
};
constexpr int kStartStop = 47;

// Value that a font character draws, -1 for none.
int FontValue(unsigned char b) {
    constexpr std::string_view kSymbols = "-.=$/+%!#&@";
    if (b >= '0' && b <= '9') return b - '0';
    if (b >= 'A' && b <= 'Z') return b - 'A' + 10;
    if (b == ' ') return 38;
    const std::size_t k = kSymbols.find(static_cast<char>(b));
    return k == std::string_view::npos ? -1 : static_cast<int>(36 + k);
}

}  // namespace

bool Code93Text(std::string_view text, Symbol& s, std::string* error) {
    Row& row = RowAt(s, 0, 30);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == '(' || b == ')') {
            AppendWidths(row, kCode93Patterns[kStartStop], true);
            if (b == ')') AppendRun(row, 1, true);  // terminating bar
            continue;
        }
        const int v = FontValue(b);
        if (v < 0) return Fail(error, "Code 93", text, i);
        AppendWidths(row, kCode93Patterns[static_cast<std::size_t>(v)], true);
    }
    KeepRows(s, 1);
    return true;
}

}  // namespace orbx::render::detail
