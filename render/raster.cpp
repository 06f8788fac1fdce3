#include "render/raster.h"

#include <algorithm>
#include <cmath>

namespace orbx::render {

Bitmap Rasterize(const Symbol& symbol, int x_scale, double y_scale) {
    Bitmap b;
    const int quiet = symbol.quiet_zone;
    b.width = (symbol.width() + 2 * quiet) * x_scale;
    if (symbol.postal()) {
        const PostalParts g = symbol.parts();
        const int unit = std::max(1, static_cast<int>(std::lround(y_scale * g.unit)));
        const int total = (g.ascender + g.tracker + g.descender) * unit;
        b.height = total + 2 * quiet * x_scale;
        b.pixels.assign(static_cast<std::size_t>(b.width) * b.height, 255);
        for (std::size_t k = 0; k < symbol.bars.size(); ++k) {
            const PostalBar bar = symbol.bars[k];
            const int top = quiet * x_scale + (bar.ascender ? 0 : g.ascender * unit);
            const int bottom =
                quiet * x_scale + (bar.descender ? total : total - g.descender * unit);
            const int x0 = (quiet + static_cast<int>(k) * 2) * x_scale;
            for (int y = top; y < bottom; ++y) {
                for (int x = x0; x < x0 + x_scale; ++x)
                    b.pixels[y * b.width + x] = 0;
            }
        }
        return b;
    }
    std::vector<int> heights;
    for (const Row& r : symbol.rows) {
        heights.push_back(std::max(1, static_cast<int>(std::lround(r.height * y_scale))));
    }
    int total = 0;
    for (int h : heights)
        total += h;
    b.height = total + 2 * quiet * x_scale;
    b.pixels.assign(static_cast<std::size_t>(b.width) * b.height, 255);
    int y0 = quiet * x_scale;
    for (std::size_t r = 0; r < symbol.rows.size(); ++r) {
        const auto& modules = symbol.rows[r].modules;
        for (int y = y0; y < y0 + heights[r]; ++y) {
            for (std::size_t m = 0; m < modules.size(); ++m) {
                if (!modules[m]) continue;
                const int x0 = (quiet + static_cast<int>(m)) * x_scale;
                std::fill_n(b.pixels.begin() + y * b.width + x0, x_scale, 0);
            }
        }
        y0 += heights[r];
    }
    return b;
}

std::string Blocks(const Symbol& symbol) {
    // About eight pixel rows (four lines) for the tallest row; thin rows keep one pixel. The
    // rows of a two-dimensional symbol, a module or so tall each, keep a pixel a module, so
    // that a module is one column and half a line: about square.
    double tallest = 1;
    for (const Row& r : symbol.rows)
        tallest = std::max(tallest, r.height);
    Symbol narrow = symbol;
    narrow.quiet_zone = std::min(symbol.quiet_zone, 4);
    const double y_scale = symbol.postal() || tallest <= 3 ? 1.0 : 8.0 / tallest;
    const Bitmap b = Rasterize(narrow, 1, y_scale);
    std::string out;
    const int margin = narrow.quiet_zone;  // drop the vertical quiet zone
    for (int y = margin; y < b.height - margin; y += 2) {
        for (int x = 0; x < b.width; ++x) {
            const bool top = b.pixels[y * b.width + x] == 0;
            const bool bottom = y + 1 < b.height - margin && b.pixels[(y + 1) * b.width + x] == 0;
            out += top && bottom ? "\u2588" : top ? "\u2580" : bottom ? "\u2584" : " ";
        }
        out += '\n';
    }
    return out;
}

}  // namespace orbx::render
