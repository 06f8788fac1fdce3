// What a picture needs to know of each symbol function beyond the module rows its font text
// draws: the usual X dimension, the quiet zones, where the readable line comes from, and whether
// the standard fixes the bar height. One entry for each function whose result draws a symbol:
// 33 of the 36 (not the version function nor the two readable-line functions), then the three
// two-dimensional symbols, which are drawn from their module matrix.
#pragma once

#include <span>
#include <string_view>

#include "picture/matrix.h"
#include "render/render.h"

namespace orbx::picture {

// Where the readable line under the bars comes from.
enum class Readable : unsigned char {
    none,       // the postal codes and DataBar print none
    labels,     // UPC/EAN: the digits the font draws with the bars
    code128,    // the Code 128 readable line of the data (Orbx_Code128HR's text)
    universal,  // the Universal Code 128 readable line (Orbx_Uni_C128HR's text)
    set_c,      // the digits of a set C symbol, padded to an even count
    elements,   // read back from the narrow/wide elements (with the check characters)
};

struct Symbology {
    std::string_view name;  // the function's name without "Orbx_": "Code128"
    short function;         // its ID
    render::Font font;
    double x_mm;     // the usual narrow bar width
    int quiet_left;  // light modules before the first bar and after the last
    int quiet_right;
    int quiet_vertical;  // light modules above and below (the postal codes' clear zone)
    Readable readable;
    long readable_tilde;  // the tilde flag of the readable line: -1 the symbol's own option
    bool fixed_height;    // DataBar, the postal codes and the 2D symbols fix the height
    Matrix matrix;        // the 2D symbol, or none
};

inline constexpr std::size_t kSymbologyCount = 36;

std::span<const Symbology> Symbologies();

// The symbology of a function named without "Orbx_", in any letter case; null for any other name.
const Symbology* FindSymbology(std::string_view name);

}  // namespace orbx::picture
