// The DataBar fonts: width pairs (Omnidirectional, Limited), the Stacked columns, and the
// rows of Stacked Omnidirectional and Expanded (Stacked).
#include <string_view>

#include "render/fonts.h"

namespace orbx::render::detail {

namespace {

// Heights in X of the rows that the fonts draw.
constexpr double kOmniHeight = 33;
constexpr double kLimitedHeight = 10;
constexpr double kStackedTop = 5;
constexpr double kStackedBottom = 7;
constexpr double kSeparator = 1;
constexpr double kRowHeight = 34;

// Stacked column characters by value (bottom row × 4 + separator × 2 + top row).
constexpr std::string_view kStackedColumns = "ajklmnoT";
// Four-row column characters by value (row × 8 + upper separator × 4 + middle row × 2 + lower
// separator); 12 to 15 do not arise.
constexpr std::string_view kFourRowColumns = "apqrstuvwxyz";

}  // namespace

// A space of 1 to 9 modules is "a" to "i", a bar of 1 to 9 modules "1" to "9".
bool DataBarPairs(std::string_view text, Symbol& s, std::string* error) {
    Row& row = RowAt(s, 0, 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= 'a' && c <= 'i') {
            AppendRun(row, c - 'a' + 1, false);
        } else if (c >= '1' && c <= '9') {
            AppendRun(row, c - '0', true);
        } else {
            return Fail(error, "DataBar", text, i);
        }
    }
    // Limited symbols are 74 modules wide, Omnidirectional 96.
    row.height = row.modules.size() < 90 ? kLimitedHeight : kOmniHeight;
    KeepRows(s, 1);
    return true;
}

Rendering DataBarPairGlyph(char c) {
    Rendering r = Render(Font::databar, std::string_view(&c, 1));
    if (r.symbol) r.symbol->rows[0].height = kOmniHeight;
    return r;
}

bool DataBarStacked(std::string_view text, Symbol& s, std::string* error) {
    // All three rows first: adding one may move the others.
    RowAt(s, 0, kStackedTop);
    RowAt(s, 1, kSeparator);
    RowAt(s, 2, kStackedBottom);
    Row& top = s.rows[0];
    Row& separator = s.rows[1];
    Row& bottom = s.rows[2];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t v = kStackedColumns.find(text[i]);
        if (v == std::string_view::npos) return Fail(error, "DataBar Stacked", text, i);
        top.modules.push_back(v & 1);
        separator.modules.push_back((v >> 1) & 1);
        bottom.modules.push_back((v >> 2) & 1);
    }
    KeepRows(s, 3);
    return true;
}

// Line 1 is a row of "a" (light) and "w" (dark) modules; each further line draws, top to
// bottom, the separator under the row above, the middle row, the separator over its own row,
// and that row.
bool DataBarRows(std::string_view text, Symbol& s, std::string* error) {
    std::size_t start = 0;
    const std::string_view first_line = NextLine(text, start);
    Row& first = RowAt(s, 0, kRowHeight);
    for (std::size_t i = 0; i < first_line.size(); ++i) {
        const char c = first_line[i];
        if (c != 'a' && c != 'w') return Fail(error, "DataBar", text, i);
        first.modules.push_back(c == 'w');
    }
    std::size_t rows = 1;
    while (start <= text.size()) {
        const std::string_view line = NextLine(text, start);
        const auto offset = static_cast<std::size_t>(line.data() - text.data());
        // The rows are looked up afresh: adding one may move the others.
        RowAt(s, rows, kSeparator);
        RowAt(s, rows + 1, kSeparator);
        RowAt(s, rows + 2, kSeparator);
        RowAt(s, rows + 3, kRowHeight);
        Row& lower = s.rows[rows];
        Row& middle = s.rows[rows + 1];
        Row& upper = s.rows[rows + 2];
        Row& row = s.rows[rows + 3];
        for (std::size_t i = 0; i < line.size(); ++i) {
            const std::size_t v = kFourRowColumns.find(line[i]);
            if (v == std::string_view::npos) return Fail(error, "DataBar", text, offset + i);
            lower.modules.push_back(v & 1);
            middle.modules.push_back((v >> 1) & 1);
            upper.modules.push_back((v >> 2) & 1);
            row.modules.push_back((v >> 3) & 1);
        }
        rows += 4;
    }
    KeepRows(s, rows);
    return true;
}

}  // namespace orbx::render::detail
