// The Postnet text font and the Intelligent Mail letters: bar heights.
#include <array>
#include <string_view>

#include "render/fonts.h"

namespace orbx::render::detail {

namespace {

// POSTNET digits, five bars each, 1 for a tall bar (USPS POSTNET code table).
constexpr std::array<std::string_view, 10> kPostnetDigits = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100",
};

}  // namespace

// "(" and ")" are the tall frame bars, a digit its five bars.
bool PostnetText(std::string_view text, Symbol& s, std::string* error) {
    KeepRows(s, 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(' || c == ')') {
            s.bars.push_back(PostalBar{true, true});
        } else if (c >= '0' && c <= '9') {
            for (char tall : kPostnetDigits[static_cast<std::size_t>(c - '0')]) {
                s.bars.push_back(PostalBar{tall == '1', true});
            }
        } else {
            return Fail(error, "Postnet", text, i);
        }
    }
    return true;
}

// One letter per bar: "p" full bar, "q" ascender, "r" descender, "s" tracker.
bool IntelligentMailText(std::string_view text, Symbol& s, std::string* error) {
    KeepRows(s, 0);
    s.four_state = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c < 'p' || c > 's') return Fail(error, "Intelligent Mail", text, i);
        s.bars.push_back(PostalBar{c == 'p' || c == 'q', c == 'p' || c == 'r'});
    }
    return true;
}

}  // namespace orbx::render::detail
