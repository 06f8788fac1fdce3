#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "picture/encode.h"
#include "picture/text.h"

namespace orbx::picture {

namespace {

// Appends bytes (resize and copy: GCC 12 at -O3 misreads vector::insert of a few bytes as an
// overflow).
void append(std::vector<unsigned char>& out, const char* bytes, std::size_t n) {
    const std::size_t at = out.size();
    out.resize(at + n);
    std::memcpy(out.data() + at, bytes, n);
}

void put(std::vector<unsigned char>& out, std::string_view s) {
    append(out, s.data(), s.size());
}

void put(std::vector<unsigned char>& out, long v) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    append(out, digits, static_cast<std::size_t>(end - digits));
}

// A number with `decimals` decimals (rounded), written by hand: the C++ library's floating-point
// to_chars needs a newer C++ runtime than the oldest supported Linux has.
void put_fixed(std::vector<unsigned char>& out, double v, int decimals = 2) {
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const bool negative = v < 0;
    const auto units = static_cast<long long>(std::llround((negative ? -v : v) * scale));
    if (negative && units != 0) put(out, "-");
    put(out, static_cast<long>(units / scale));
    if (decimals == 0) return;
    char digits[24];
    long long fraction = units % scale;
    for (int i = decimals - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    out.push_back('.');
    append(out, digits, static_cast<std::size_t>(decimals));
}

// A page side in points, a hundredth of a pixel short of the picture's side: a renderer that
// rounds a side's pixels up (or to the nearest) then gets the picture's pixels, not one more.
void put_side(std::vector<unsigned char>& out, int pixels, int dpi) {
    put_fixed(out, (pixels - 0.01) * 72.0 / dpi, 4);
}

void put_point(std::vector<unsigned char>& out, double x, double y, std::string_view op) {
    put_fixed(out, x);
    put(out, " ");
    put_fixed(out, y);
    put(out, op);
}

// The page's drawing, in pixels with y up (the page's matrix scales pixels to points).
void content(const Layout& layout, std::vector<unsigned char>& out) {
    out.clear();
    put(out, "q ");
    put_fixed(out, 72.0 / layout.dpi, 6);
    put(out, " 0 0 ");
    put_fixed(out, 72.0 / layout.dpi, 6);
    put(out, " 0 0 cm\n");
    for (const Box& b : layout.boxes) {
        put(out, static_cast<long>(b.x));
        put(out, " ");
        put(out, static_cast<long>(layout.height - b.y - b.h));
        put(out, " ");
        put(out, static_cast<long>(b.w));
        put(out, " ");
        put(out, static_cast<long>(b.h));
        put(out, " re\n");
    }
    if (!layout.boxes.empty()) put(out, "f\n");
    for (const TextRun& run : layout.text) {
        double pen = run.left;
        for (char ch : run.text) {
            const auto c = static_cast<unsigned char>(ch);
            bool any = false;
            ForEachContour(c, [&](const Contour& contour) {
                const std::size_t n = contour.points.size() / 2;
                for (std::size_t i = 0; i < n; ++i) {
                    put_point(out, pen + contour.points[2 * i] * run.scale,
                              layout.height - run.baseline + contour.points[2 * i + 1] * run.scale,
                              i == 0 ? " m\n" : " l\n");
                }
                put(out, "h\n");
                any = true;
            });
            if (any) put(out, "f\n");
            pen += Advance(c) * run.scale;
        }
    }
    put(out, "Q\n");
}

}  // namespace

void WriteSvg(const Layout& layout, std::vector<unsigned char>& svg) {
    svg.clear();
    put(svg, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"");
    put(svg, static_cast<long>(layout.width));
    put(svg, "\" height=\"");
    put(svg, static_cast<long>(layout.height));
    put(svg, "\" viewBox=\"0 0 ");
    put(svg, static_cast<long>(layout.width));
    put(svg, " ");
    put(svg, static_cast<long>(layout.height));
    put(svg, "\">\n<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n<g fill=\"black\">\n");
    for (const Box& b : layout.boxes) {
        put(svg, "<rect x=\"");
        put(svg, static_cast<long>(b.x));
        put(svg, "\" y=\"");
        put(svg, static_cast<long>(b.y));
        put(svg, "\" width=\"");
        put(svg, static_cast<long>(b.w));
        put(svg, "\" height=\"");
        put(svg, static_cast<long>(b.h));
        put(svg, "\"/>\n");
    }
    for (const TextRun& run : layout.text) {
        double pen = run.left;
        for (char ch : run.text) {
            const auto c = static_cast<unsigned char>(ch);
            bool any = false;
            ForEachContour(c, [&](const Contour& contour) {
                if (!any) put(svg, "<path d=\"");
                any = true;
                const std::size_t n = contour.points.size() / 2;
                for (std::size_t i = 0; i < n; ++i) {
                    put(svg, i == 0 ? "M" : "L");
                    put_fixed(svg, pen + contour.points[2 * i] * run.scale);
                    put(svg, " ");
                    put_fixed(svg, run.baseline - contour.points[2 * i + 1] * run.scale);
                }
                put(svg, "Z");
            });
            if (any) put(svg, "\"/>\n");
            pen += Advance(c) * run.scale;
        }
    }
    put(svg, "</g>\n</svg>\n");
}

bool WritePdf(const Layout& layout, std::vector<unsigned char>& work,
              std::vector<unsigned char>& pdf) {
    content(layout, work);
    pdf.clear();
    long offsets[5] = {};
    put(pdf, "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    auto object = [&](int n) {
        offsets[n] = static_cast<long>(pdf.size());
        put(pdf, static_cast<long>(n));
        put(pdf, " 0 obj\n");
    };
    object(1);
    put(pdf, "<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    object(2);
    put(pdf, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>\nendobj\n");
    object(3);
    // The page is the picture: its pixels at the picture's resolution, in points.
    put(pdf, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ");
    put_side(pdf, layout.width, layout.dpi);
    put(pdf, " ");
    put_side(pdf, layout.height, layout.dpi);
    put(pdf, "] /Resources << >> /Contents 4 0 R >>\nendobj\n");
    object(4);
    const std::size_t length_at = pdf.size();
    put(pdf, "<< /Length 0000000000 /Filter /FlateDecode >>\nstream\n");
    const std::size_t start = pdf.size();
    if (!AppendDeflated(work.data(), work.size(), pdf)) return false;
    // The stream's length, written over the placeholder's ten digits.
    char digits[11];
    std::snprintf(digits, sizeof digits, "%010lu", static_cast<unsigned long>(pdf.size() - start));
    std::memcpy(pdf.data() + length_at + 11, digits, 10);
    put(pdf, "\nendstream\nendobj\n");
    const long xref = static_cast<long>(pdf.size());
    put(pdf, "xref\n0 5\n0000000000 65535 f \n");
    for (int n = 1; n <= 4; ++n) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010ld 00000 n \n", offsets[n]);
        put(pdf, entry);
    }
    put(pdf, "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n");
    put(pdf, xref);
    put(pdf, "\n%%EOF\n");
    return true;
}

}  // namespace orbx::picture
