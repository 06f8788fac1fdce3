// What a barcode font draws for a function's result text: rows of dark and light modules, or
// the bars of a height-modulated postal code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orbx::render {

// How far a module's bar reaches in a UPC/EAN symbol.
enum class BarReach : std::uint8_t {
    normal,  // down to the top of the digits printed under the symbol
    long_,   // guard bars and the UPC-A first and last digits: down past the digits' top
    add_on,  // add-on bars: start below the add-on digits printed above them
};

// One row of modules, 1 dark and 0 light, `height` in module widths.
struct Row {
    std::vector<std::uint8_t> modules;
    double height = 0;
};

// A digit printed with a UPC/EAN symbol, `x` and `width` in modules from the first module.
struct Label {
    double x = 0;
    double width = 0;
    char digit = '0';
    bool above = false;  // add-on digits sit above their bars
};

// One bar of a postal code: every bar has the middle (tracker) part; an ascender reaches up
// and a descender down. Postnet and Planet have tall (both) and short (descender) bars.
struct PostalBar {
    bool ascender = false;
    bool descender = false;
};

// How far UPC/EAN bars reach below and above the bars of the row, in X: long bars reach this
// much further down, and add-on bars leave the room of the add-on digits above them. The digits
// printed under the symbol have the same room below it.
inline constexpr double kLongBars = 5;
inline constexpr double kDigitRoom = 9;

// The three parts of a postal bar, in units of `unit` X: ascender, tracker (which every bar has)
// and descender.
struct PostalParts {
    int ascender, tracker, descender;
    double unit;
};

struct Symbol {
    // Top to bottom; empty for postal symbols.
    std::vector<Row> rows;
    // Width of one module in X: 0.5 where the symbol uses the Universal letters of ratio 2.5,
    // whose wide elements are 2.5 X (5 half-modules), else 1.
    double module_width = 1.0;
    // UPC/EAN: how far the bar at each module of the row reaches (empty for other symbols).
    std::vector<BarReach> reach;
    std::vector<Label> labels;
    // Postal symbols: one entry per bar; bars and gaps are one module each.
    std::vector<PostalBar> bars;
    bool four_state = false;  // Intelligent Mail (ascender and descender on their own)
    // Light margin on each side, in modules.
    int quiet_zone = 10;

    bool postal() const { return !bars.empty(); }
    // Bar heights for the mail's pitch of 22 bars an inch, a bar and a gap of 1/44 inch each
    // (USPS-B-3200, and the POSTNET and PLANET specifications). Intelligent Mail: tracker,
    // ascender and descender of 2.125 X each, so the tracker is 0.048 inch, an ascender or
    // descender bar 0.097 and a full bar 0.145. Postnet and Planet: a tall bar of 5 units of
    // 1.125 X (0.128 inch) and a short bar of 2 (0.051 inch), standing on the baseline.
    PostalParts parts() const {
        return four_state ? PostalParts{1, 1, 1, 2.125} : PostalParts{3, 1, 1, 1.125};
    }
    // Modules across, the widest row (or bar and gap per postal bar).
    int width() const;
};

// Calls `bar(begin, end, reach)` for each run of dark modules [begin, end) of `row`, a run
// ending where the dark modules end or, in a UPC/EAN symbol (`reach` not empty), where the
// bars' reach changes: the bars as the fonts draw them.
template <typename Bar>
void ForEachBar(const Row& row, const std::vector<BarReach>& reach, Bar&& bar) {
    const bool retail = !reach.empty();
    std::size_t m = 0;
    while (m < row.modules.size()) {
        if (!row.modules[m]) {
            ++m;
            continue;
        }
        std::size_t end = m;
        while (end < row.modules.size() && row.modules[end] && (!retail || reach[end] == reach[m]))
            ++end;
        bar(m, end, retail ? reach[m] : BarReach::normal);
        m = end;
    }
}

}  // namespace orbx::render
