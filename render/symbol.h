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
    // Modules across, the widest row (or bar and gap per postal bar).
    int width() const;
};

}  // namespace orbx::render
