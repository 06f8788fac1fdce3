#include "picture/layout.h"

#include <algorithm>
#include <cmath>

#include "picture/text.h"

namespace orbx::picture {

namespace {

// The readable line, in modules: 1 X of gap under the bars, digits 7.5 X tall (as the UPC/EAN
// font prints them), and room for descenders under other text.
constexpr double kTextGap = 1.0;
constexpr double kDigitHeight = 7.5;
constexpr double kDescent = 2.0;

int px(double modules, double module_px) {
    return static_cast<int>(std::lround(modules * module_px));
}

// The first and last column with a dark module in any row, in units; false when none is dark.
bool dark_extent(const render::Symbol& symbol, int& first, int& last) {
    first = -1;
    last = -1;
    for (const render::Row& row : symbol.rows) {
        for (std::size_t m = 0; m < row.modules.size(); ++m) {
            if (!row.modules[m]) continue;
            const int c = static_cast<int>(m);
            if (first < 0 || c < first) first = c;
            last = std::max(last, c);
        }
    }
    return first >= 0;
}

// The postal codes: bars and gaps of one module each, their parts as tall as the USPS gives
// them in inches at the nominal 22 bars an inch, whatever the module.
void lay_postal(const Symbology& s, const render::Symbol& symbol, const Settings& settings,
                int unit, Layout& out) {
    const render::PostalParts parts = symbol.parts();
    const double nominal = settings.dpi / 44.0;  // pixels of a 1/44 inch module
    const int ascender = px(parts.ascender * parts.unit, nominal);
    const int tracker = px(parts.tracker * parts.unit, nominal);
    const int descender = px(parts.descender * parts.unit, nominal);
    const int left = settings.quiet ? s.quiet_left * unit : 0;
    const int top = settings.quiet ? px(s.quiet_vertical, nominal) : 0;
    const int total = ascender + tracker + descender;
    for (std::size_t k = 0; k < symbol.bars.size(); ++k) {
        const render::PostalBar bar = symbol.bars[k];
        const int y0 = top + (bar.ascender ? 0 : ascender);
        const int y1 = top + (bar.descender ? total : total - descender);
        out.boxes.push_back(Box{left + 2 * static_cast<int>(k) * unit, y0, unit, y1 - y0});
    }
    out.width = 2 * left + (2 * static_cast<int>(symbol.bars.size()) - 1) * unit;
    out.height = 2 * top + total;
}

// Dark runs of each row as boxes; UPC/EAN bars reach below the row (long bars) or start under
// the add-on digits, as the font draws them.
void lay_rows(const render::Symbol& symbol, int left, int top, int unit, int x_px,
              int single_height, Layout& out, int& bottom) {
    int y = top;
    for (const render::Row& row : symbol.rows) {
        const int h = single_height > 0 ? single_height : px(row.height, unit);
        render::ForEachBar(row, symbol.reach,
                           [&](std::size_t m, std::size_t end, render::BarReach reach) {
                               int y0 = y;
                               int y1 = y + h;
                               if (reach == render::BarReach::long_)
                                   y1 += px(render::kLongBars, x_px);
                               if (reach == render::BarReach::add_on) {
                                   y0 += px(render::kDigitRoom, x_px);
                                   y1 += px(render::kLongBars, x_px);
                               }
                               out.boxes.push_back(Box{left + static_cast<int>(m) * unit, y0,
                                                       static_cast<int>(end - m) * unit, y1 - y0});
                           });
        y += h;
    }
    bottom = y;
}

enum class Fit { fits, too_large, nothing };

Fit lay_once(const Symbology& s, const render::Symbol& symbol, std::string_view readable,
             const Settings& settings, int unit, Layout& out) {
    out.boxes.clear();
    out.text.clear();
    out.module = unit;
    if (symbol.postal()) {
        if (symbol.bars.empty()) return Fit::nothing;
        lay_postal(s, symbol, settings, unit, out);
        return out.width > kMaxSide || out.height > kMaxSide ? Fit::too_large : Fit::fits;
    }
    int first = 0;
    int last = 0;
    if (!dark_extent(symbol, first, last)) return Fit::nothing;
    const double mw = symbol.module_width;
    // Pixels of one X: two units where the Universal font counts half modules.
    const int x_px = static_cast<int>(std::lround(unit / mw));
    const bool retail = !symbol.reach.empty();
    const bool add_on = retail && std::find(symbol.reach.begin(), symbol.reach.end(),
                                            render::BarReach::add_on) != symbol.reach.end();
    const int width_units = symbol.width();
    int quiet_left = 0;
    int quiet_right = 0;
    if (settings.quiet) {
        // The symbol's own light modules (the UPC/EAN digits printed outside the bars) count.
        quiet_left = std::max(0, static_cast<int>(std::lround(s.quiet_left / mw)) - first);
        const int right = add_on ? 5 : s.quiet_right;
        quiet_right =
            std::max(0, static_cast<int>(std::lround(right / mw)) - (width_units - 1 - last));
    }
    const int left = quiet_left * unit;
    const long width = static_cast<long>(quiet_left + width_units + quiet_right) * unit;
    if (width > kMaxSide) return Fit::too_large;
    out.width = static_cast<int>(width);

    // A height the user sets replaces the height of a one-row symbol the standard leaves free.
    int single_height = 0;
    if (settings.height_mm > 0 && !s.fixed_height && symbol.rows.size() == 1) {
        single_height =
            std::clamp(static_cast<int>(std::lround(settings.height_mm * settings.dpi / 25.4)), 1,
                       kMaxSide / 2);
    }
    const int top = settings.quiet ? s.quiet_vertical * x_px : 0;
    int bottom = top;
    lay_rows(symbol, left, top, unit, x_px, single_height, out, bottom);

    const double digit_scale = kDigitHeight * x_px / DigitTop();
    int height = bottom + (retail ? px(render::kLongBars, x_px) : 0);
    if (retail && settings.text && !symbol.labels.empty()) {
        // The digits as the UPC/EAN font prints them: centred in their 7 modules, under the
        // bars, or above the add-on's bars.
        for (const render::Label& l : symbol.labels) {
            const std::string_view digit(&l.digit, 1);
            const double centre = left + (l.x + l.width / 2) * unit;
            const double baseline = l.above ? top + (kTextGap + kDigitHeight) * x_px - x_px / 2.0
                                            : bottom + (kTextGap + kDigitHeight) * x_px;
            out.text.push_back(TextRun{
                digit, centre - Advance(static_cast<unsigned char>(l.digit)) * digit_scale / 2,
                baseline, digit_scale});
        }
        height = bottom + px(render::kDigitRoom, x_px);
    } else if (settings.text && !readable.empty()) {
        // The line centred under the bars, smaller where it would be wider than they are.
        const double bars = static_cast<double>(last - first + 1) * unit;
        const long advance = TextWidth(readable);
        double scale = digit_scale;
        if (advance > 0 && advance * scale > bars) scale = bars / advance;
        const double baseline = bottom + kTextGap * x_px + DigitTop() * scale;
        out.text.push_back(
            TextRun{readable, left + first * unit + (bars - advance * scale) / 2, baseline, scale});
        height = static_cast<int>(std::ceil(baseline + kDescent * x_px * scale / digit_scale));
    }
    height += top;
    if (height > kMaxSide) return Fit::too_large;
    out.height = height;
    return Fit::fits;
}

}  // namespace

bool Lay(const Symbology& s, const render::Symbol& symbol, std::string_view readable,
         const Settings& settings, Layout& layout) {
    layout.dpi = settings.dpi;
    const double module_mm = settings.module_mm > 0 ? settings.module_mm : s.x_mm;
    // Every bar a whole number of pixels: the module (or half module) rounded, at least one.
    int unit = std::max(
        1, static_cast<int>(std::lround(module_mm * symbol.module_width * settings.dpi / 25.4)));
    // Too large a picture is drawn with a smaller module, down to one pixel.
    for (;;) {
        const Fit fit = lay_once(s, symbol, readable, settings, unit, layout);
        if (fit == Fit::fits) return true;
        if (fit == Fit::nothing || unit == 1) return false;
        unit = std::max(1, unit / 2);
    }
}

}  // namespace orbx::picture
