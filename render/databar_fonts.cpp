// The DataBar fonts: width pairs (Omnidirectional, Limited), the Stacked columns, and the
// rows of Stacked Omnidirectional and Expanded (Stacked).
#include <string_view>
#include <vector>

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

// Splits at carriage returns, each optionally followed by a line feed.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') continue;
        lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

// A space of 1 to 9 modules is "a" to "i", a bar of 1 to 9 modules "1" to "9".
Rendering DataBarPairs(std::string_view text) {
    Row row;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= 'a' && c <= 'i') {
            AppendRun(row, c - 'a' + 1, false);
        } else if (c >= '1' && c <= '9') {
            AppendRun(row, c - '0', true);
        } else {
            return Failure(NoMeaning("DataBar", text, i));
        }
    }
    // Limited symbols are 74 modules wide, Omnidirectional 96.
    row.height = row.modules.size() < 90 ? kLimitedHeight : kOmniHeight;
    return WithRow({}, std::move(row));
}

Rendering DataBarPairGlyph(char c) {
    Rendering r = DataBarPairs(std::string_view(&c, 1));
    if (r.symbol) r.symbol->rows[0].height = kOmniHeight;
    return r;
}

Rendering DataBarStacked(std::string_view text) {
    Symbol s;
    Row top{{}, kStackedTop};
    Row separator{{}, kSeparator};
    Row bottom{{}, kStackedBottom};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t v = kStackedColumns.find(text[i]);
        if (v == std::string_view::npos) return Failure(NoMeaning("DataBar Stacked", text, i));
        top.modules.push_back(v & 1);
        separator.modules.push_back((v >> 1) & 1);
        bottom.modules.push_back((v >> 2) & 1);
    }
    s.rows = {std::move(top), std::move(separator), std::move(bottom)};
    return Rendering{std::move(s), {}};
}

// Line 1 is a row of "a" (light) and "w" (dark) modules; each further line draws, top to
// bottom, the separator under the row above, the middle row, the separator over its own row,
// and that row.
Rendering DataBarRows(std::string_view text) {
    Symbol s;
    const std::vector<std::string_view> lines = Lines(text);
    Row first{{}, kRowHeight};
    for (std::size_t i = 0; i < lines[0].size(); ++i) {
        const char c = lines[0][i];
        if (c != 'a' && c != 'w') return Failure(NoMeaning("DataBar", text, i));
        first.modules.push_back(c == 'w');
    }
    s.rows.push_back(std::move(first));
    for (std::size_t l = 1; l < lines.size(); ++l) {
        const auto offset = static_cast<std::size_t>(lines[l].data() - text.data());
        Row lower{{}, kSeparator};
        Row middle{{}, kSeparator};
        Row upper{{}, kSeparator};
        Row row{{}, kRowHeight};
        for (std::size_t i = 0; i < lines[l].size(); ++i) {
            const std::size_t v = kFourRowColumns.find(lines[l][i]);
            if (v == std::string_view::npos) return Failure(NoMeaning("DataBar", text, offset + i));
            lower.modules.push_back(v & 1);
            middle.modules.push_back((v >> 1) & 1);
            upper.modules.push_back((v >> 2) & 1);
            row.modules.push_back((v >> 3) & 1);
        }
        for (Row* r : {&lower, &middle, &upper, &row})
            s.rows.push_back(std::move(*r));
    }
    return Rendering{std::move(s), {}};
}

}  // namespace orbx::render::detail
