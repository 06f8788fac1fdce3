// Universal font: each letter "A" to "P" draws a bar of 1 to 4 modules and a space of 1 to 4
// modules; "W" to "Z" the narrow/wide pairs of ratio 2.5; "j" to "o" one or two postal bars.
#include <string_view>

#include "render/fonts.h"

namespace orbx::render::detail {

namespace {

bool IsPostal(unsigned char c) {
    return c >= 'j' && c <= 'o';
}

// Postal letters "j" to "o" by their bars, "T" tall and "s" short: "j" short short, "k" short
// tall, "l" tall short, "m" tall tall, "n" one tall bar, "o" one short bar.
constexpr std::string_view kPostalLetterBars[] = {"ss", "sT", "Ts", "TT", "T", "s"};

bool PostalLetters(std::string_view text, Symbol& s, std::string* error) {
    KeepRows(s, 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!IsPostal(c)) return Fail(error, "Universal postal", text, i);
        for (char bar : kPostalLetterBars[c - 'j'])
            s.bars.push_back(PostalBar{bar == 'T', true});
    }
    return true;
}

}  // namespace

bool UniversalText(std::string_view text, Symbol& s, std::string* error) {
    if (!text.empty() && IsPostal(static_cast<unsigned char>(text[0]))) {
        return PostalLetters(text, s, error);
    }
    // Ratio 2.5 letters need half modules: then every width is counted in half modules.
    const bool halves = text.find_first_of("WXYZ") != std::string_view::npos;
    const int unit = halves ? 2 : 1;
    s.module_width = halves ? 0.5 : 1.0;
    s.quiet_zone *= unit;
    Row& row = RowAt(s, 0, 30.0 * unit);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int bar = 0;
        int space = 0;
        if (c >= 'A' && c <= 'P') {
            bar = ((c - 'A') / 4 + 1) * unit;
            space = ((c - 'A') % 4 + 1) * unit;
        } else if (c >= 'W' && c <= 'Z') {
            bar = c >= 'Y' ? 5 : 2;
            space = (c - 'W') % 2 == 1 ? 5 : 2;
        } else {
            return Fail(error, "Universal", text, i);
        }
        AppendRun(row, bar, true);
        AppendRun(row, space, false);
    }
    KeepRows(s, 1);
    return true;
}

}  // namespace orbx::render::detail
