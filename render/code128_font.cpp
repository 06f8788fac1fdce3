// Code 128 text font: each character draws the symbol character of one value.
#include "encoders/code128/code128_patterns.h"
#include "render/fonts.h"

namespace orbx::render::detail {

namespace {

// The value a character draws: 194 is value 0, 33 to 126 are values 1 to 94, 127 is value 95
// (the control character US of set A), 195 to 206 are values 95 to 106; -1 for the others.
int FontValue(unsigned char b) {
    if (b == 194) return 0;
    if (b >= 33 && b <= 126) return b - 32;
    if (b == 127) return 95;
    if (b >= 195 && b <= 206) return b - 100;
    return -1;
}

}  // namespace

bool Code128Text(std::string_view text, Symbol& s, std::string* error) {
    Row& row = RowAt(s, 0, 30);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int v = FontValue(static_cast<unsigned char>(text[i]));
        if (v < 0) return Fail(error, "Code 128", text, i);
        AppendWidths(row, kCode128Patterns[static_cast<std::size_t>(v)], true);
    }
    KeepRows(s, 1);
    return true;
}

}  // namespace orbx::render::detail
