// Symbols as pixels: for image readers and for the terminal.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/symbol.h"

namespace orbx::render {

// A luminance image: 0 for dark pixels, 255 for light ones, row by row.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// Draws the symbol with its quiet zones, `x_scale` pixels per module and `y_scale` pixels per
// X of height (every row at least one pixel high).
Bitmap Rasterize(const Symbol& symbol, int x_scale, double y_scale);

// The symbol in block characters (UTF-8), two pixel rows per line, one column per module.
std::string Blocks(const Symbol& symbol);

}  // namespace orbx::render
