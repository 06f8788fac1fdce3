#include "render/svg.h"

#include <algorithm>
#include <cstdio>

namespace orbx::render {

namespace {

std::string Number(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

std::string Rect(double x, double y, double w, double h) {
    return "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(w) +
           "\" height=\"" + Number(h) + "\"/>";
}

// The digits' size: the room they have.
constexpr double kDigitSize = kDigitRoom;

}  // namespace

std::string Svg(const Symbol& s, double pixels_per_x) {
    const double mw = s.module_width;
    const double quiet = s.quiet_zone * mw;
    const double width = s.width() * mw + 2 * quiet;
    std::string body;
    double height = 0;
    if (s.postal()) {
        const PostalParts parts = s.parts();
        const double unit = parts.unit;
        const double asc = parts.ascender;
        const double trk = parts.tracker;
        const double desc = parts.descender;
        const double total = (asc + trk + desc) * unit;
        for (std::size_t k = 0; k < s.bars.size(); ++k) {
            const double top = s.bars[k].ascender ? 0 : asc * unit;
            const double bottom = s.bars[k].descender ? total : total - desc * unit;
            body += Rect(quiet + 2.0 * static_cast<double>(k), quiet + top, 1, bottom - top);
        }
        height = total + 2 * quiet;
    } else {
        const bool retail = !s.reach.empty();
        double y = quiet;
        for (const Row& row : s.rows) {
            const double h = row.height * mw;
            ForEachBar(row, s.reach, [&](std::size_t m, std::size_t end, BarReach reach) {
                double top = y;
                double bar = h;
                if (reach == BarReach::long_) bar += kLongBars;
                if (reach == BarReach::add_on) {
                    // Add-on bars leave room above them for the add-on digits.
                    top += kDigitRoom;
                    bar += kLongBars - kDigitRoom;
                }
                body += Rect(quiet + static_cast<double>(m) * mw, top,
                             static_cast<double>(end - m) * mw, bar);
            });
            y += h;
        }
        for (const Label& l : s.labels) {
            const double ly = l.above ? quiet + kDigitSize - 1.5 : y + kDigitSize - 1;
            body += "<text x=\"" + Number(quiet + (l.x + l.width / 2) * mw) + "\" y=\"" +
                    Number(ly) + "\" font-size=\"" + Number(kDigitSize) +
                    "\" text-anchor=\"middle\" font-family=\"monospace\">" + l.digit + "</text>";
        }
        height = y + (retail ? kDigitRoom : 0) + quiet;
    }
    const std::string w = Number(width);
    const std::string h = Number(height);
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width * pixels_per_x) +
           "\" height=\"" + Number(height * pixels_per_x) + "\" viewBox=\"0 0 " + w + " " + h +
           "\">\n<rect width=\"" + w + "\" height=\"" + h +
           "\" fill=\"white\"/>\n<g fill=\"black\">" + body + "</g>\n</svg>\n";
}

}  // namespace orbx::render
