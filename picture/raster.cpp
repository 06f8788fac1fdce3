#include "picture/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "picture/text.h"

namespace orbx::picture {

namespace {

// Clears the pixels x0 to x1 - 1 of a row's pixel bytes.
void darken(unsigned char* pixels, int x0, int x1) {
    if (x0 >= x1) return;
    const int first = x0 >> 3;
    const int last = (x1 - 1) >> 3;
    const auto head = static_cast<unsigned char>(0xFF >> (x0 & 7));
    const auto tail = static_cast<unsigned char>(0xFF << (7 - ((x1 - 1) & 7)));
    if (first == last) {
        pixels[first] &= static_cast<unsigned char>(~(head & tail));
        return;
    }
    pixels[first] &= static_cast<unsigned char>(~head);
    std::memset(pixels + first + 1, 0, static_cast<std::size_t>(last - first - 1));
    pixels[last] &= static_cast<unsigned char>(~tail);
}

struct Edge {
    double x0, y0, x1, y1;
};

// One glyph filled by the non-zero winding rule, each pixel by its centre: every pixel row
// crossed by the glyph's edges, the spans between crossings whose winding is not zero.
void fill_glyph(unsigned char c, double pen_x, double baseline, double scale, Raster& raster) {
    Edge edges[ocrb::kMostPoints];
    int count = 0;
    double top = 1e9;
    double bottom = -1e9;
    ForEachContour(c, [&](const Contour& contour) {
        const std::size_t n = contour.points.size() / 2;
        for (std::size_t i = 0; i < n && count < ocrb::kMostPoints; ++i) {
            const std::size_t j = (i + 1) % n;
            const Edge e{pen_x + contour.points[2 * i] * scale,
                         baseline - contour.points[2 * i + 1] * scale,
                         pen_x + contour.points[2 * j] * scale,
                         baseline - contour.points[2 * j + 1] * scale};
            top = std::min({top, e.y0, e.y1});
            bottom = std::max({bottom, e.y0, e.y1});
            edges[count++] = e;
        }
    });
    if (count == 0) return;
    const int y_first = std::max(0, static_cast<int>(std::floor(top)));
    const int y_last = std::min(raster.height - 1, static_cast<int>(std::ceil(bottom)));
    struct Crossing {
        double x;
        int winding;
    };
    Crossing crossings[ocrb::kMostPoints];
    for (int y = y_first; y <= y_last; ++y) {
        const double yc = y + 0.5;
        int n = 0;
        for (int k = 0; k < count; ++k) {
            const Edge& e = edges[k];
            // Half-open in y, so that a vertex shared by two edges counts once.
            const bool down = e.y0 <= yc && e.y1 > yc;
            const bool up = e.y1 <= yc && e.y0 > yc;
            if (!down && !up) continue;
            const double t = (yc - e.y0) / (e.y1 - e.y0);
            crossings[n++] = Crossing{e.x0 + t * (e.x1 - e.x0), down ? 1 : -1};
        }
        std::sort(crossings, crossings + n,
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        unsigned char* pixels =
            raster.rows.data() + static_cast<std::size_t>(y) * raster.stride + 1;
        int winding = 0;
        for (int k = 0; k + 1 < n; ++k) {
            winding += crossings[k].winding;
            if (winding == 0) continue;
            // Pixels whose centres lie between the two crossings.
            const int x0 = std::max(0, static_cast<int>(std::ceil(crossings[k].x - 0.5)));
            const int x1 =
                std::min(raster.width, static_cast<int>(std::ceil(crossings[k + 1].x - 0.5)));
            darken(pixels, x0, x1);
        }
    }
}

}  // namespace

void Rasterize(const Layout& layout, Raster& raster) {
    raster.width = layout.width;
    raster.height = layout.height;
    raster.stride = 1 + (static_cast<std::size_t>(layout.width) + 7) / 8;
    raster.rows.resize(raster.stride * static_cast<std::size_t>(layout.height));
    // Light everywhere, each row after its filter byte.
    std::memset(raster.rows.data(), 0xFF, raster.rows.size());
    for (int y = 0; y < raster.height; ++y)
        raster.rows[static_cast<std::size_t>(y) * raster.stride] = 0;
    for (const Box& b : layout.boxes) {
        const int x0 = std::clamp(b.x, 0, raster.width);
        const int x1 = std::clamp(b.x + b.w, 0, raster.width);
        const int y0 = std::clamp(b.y, 0, raster.height);
        const int y1 = std::clamp(b.y + b.h, 0, raster.height);
        for (int y = y0; y < y1; ++y)
            darken(raster.rows.data() + static_cast<std::size_t>(y) * raster.stride + 1, x0, x1);
    }
    for (const TextRun& run : layout.text) {
        double pen = run.left;
        for (char ch : run.text) {
            const auto c = static_cast<unsigned char>(ch);
            fill_glyph(c, pen, run.baseline, run.scale, raster);
            pen += Advance(c) * run.scale;
        }
    }
}

}  // namespace orbx::picture
