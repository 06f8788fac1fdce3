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
    double x0, y0, x1, y1;  // y0 < y1: every edge runs downwards, `winding` says which way it ran
    int winding;
};

// One glyph filled by the non-zero winding rule, each pixel by its centre: down the pixel rows,
// the edges that cross a row's centre (kept as an active list, the edges sorted by their tops),
// and the spans between crossings whose winding is not zero.
void fill_glyph(unsigned char c, double pen_x, double baseline, double scale, Raster& raster) {
    Edge edges[ocrb::kMostPoints];
    int count = 0;
    ForEachContour(c, [&](const Contour& contour) {
        const std::size_t n = contour.points.size() / 2;
        for (std::size_t i = 0; i < n && count < ocrb::kMostPoints; ++i) {
            const std::size_t j = (i + 1) % n;
            const double xa = pen_x + contour.points[2 * i] * scale;
            const double ya = baseline - contour.points[2 * i + 1] * scale;
            const double xb = pen_x + contour.points[2 * j] * scale;
            const double yb = baseline - contour.points[2 * j + 1] * scale;
            if (ya == yb) continue;  // a horizontal edge crosses no row's centre
            edges[count++] = ya < yb ? Edge{xa, ya, xb, yb, 1} : Edge{xb, yb, xa, ya, -1};
        }
    });
    if (count == 0) return;
    std::sort(edges, edges + count, [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
    double bottom = 0;
    for (int k = 0; k < count; ++k)
        bottom = std::max(bottom, edges[k].y1);
    const int y_first = std::max(0, static_cast<int>(std::floor(edges[0].y0)));
    const int y_last = std::min(raster.height - 1, static_cast<int>(std::ceil(bottom)));
    struct Crossing {
        double x;
        int winding;
    };
    Crossing crossings[ocrb::kMostPoints];
    int active[ocrb::kMostPoints];
    int active_count = 0;
    int next = 0;
    for (int y = y_first; y <= y_last; ++y) {
        const double yc = y + 0.5;
        // Half-open in y, so that a vertex shared by two edges counts once.
        while (next < count && edges[next].y0 <= yc)
            active[active_count++] = next++;
        int n = 0;
        int kept = 0;
        for (int a = 0; a < active_count; ++a) {
            const Edge& e = edges[active[a]];
            if (e.y1 <= yc) continue;  // ended above this row
            active[kept++] = active[a];
            const double t = (yc - e.y0) / (e.y1 - e.y0);
            crossings[n++] = Crossing{e.x0 + t * (e.x1 - e.x0), e.winding};
        }
        active_count = kept;
        if (n < 2) continue;
        // Few crossings a row: an insertion sort.
        for (int k = 1; k < n; ++k) {
            const Crossing cross = crossings[k];
            int j = k;
            for (; j > 0 && crossings[j - 1].x > cross.x; --j)
                crossings[j] = crossings[j - 1];
            crossings[j] = cross;
        }
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

// The boxes: between two rows where a box starts or ends every row is the same, so each such
// band is drawn once, in its first row, and copied down. With more bands than that (no symbol
// of a barcode font has them), box after box.
void draw_boxes(const Layout& layout, Raster& raster) {
    constexpr std::size_t kMostBands = 64;
    int edges[2 * kMostBands];
    std::size_t n = 0;
    auto add = [&](int y) {
        const int row = std::clamp(y, 0, raster.height);
        for (std::size_t i = 0; i < n; ++i)
            if (edges[i] == row) return true;
        if (n == std::size(edges)) return false;
        edges[n++] = row;
        return true;
    };
    bool banded = add(0) && add(raster.height);
    for (const Box& b : layout.boxes) {
        if (!banded) break;
        banded = add(b.y) && add(b.y + b.h);
    }
    auto row_of = [&](int y) {
        return raster.rows.data() + static_cast<std::size_t>(y) * raster.stride + 1;
    };
    if (!banded) {
        for (const Box& b : layout.boxes) {
            const int x0 = std::clamp(b.x, 0, raster.width);
            const int x1 = std::clamp(b.x + b.w, 0, raster.width);
            for (int y = std::clamp(b.y, 0, raster.height);
                 y < std::clamp(b.y + b.h, 0, raster.height); ++y)
                darken(row_of(y), x0, x1);
        }
        return;
    }
    std::sort(edges, edges + n);
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const int top = edges[k];
        const int end = edges[k + 1];
        bool any = false;
        for (const Box& b : layout.boxes) {
            if (b.y > top || b.y + b.h <= top) continue;
            darken(row_of(top), std::clamp(b.x, 0, raster.width),
                   std::clamp(b.x + b.w, 0, raster.width));
            any = true;
        }
        if (!any) continue;
        for (int y = top + 1; y < end; ++y)
            std::memcpy(row_of(y), row_of(top), raster.stride - 1);
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
    draw_boxes(layout, raster);
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
