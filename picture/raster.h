// A layout as a one-bit raster in the rows of a PNG image: each row a filter-type byte, then the
// pixels eight to a byte, the leftmost in the highest bit, 0 dark and 1 light.
#pragma once

#include <cstddef>
#include <vector>

#include "picture/layout.h"

namespace orbx::picture {

struct Raster {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;  // bytes of a row, its filter byte included
    std::vector<unsigned char> rows;

    bool Dark(int x, int y) const {
        const unsigned char byte = rows[static_cast<std::size_t>(y) * stride + 1 + (x >> 3)];
        return ((byte >> (7 - (x & 7))) & 1) == 0;
    }
};

// Draws the layout (its vector reused); the rows' filter bytes are 0 (none).
void Rasterize(const Layout& layout, Raster& raster);

}  // namespace orbx::picture
