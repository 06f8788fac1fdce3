// Writes the geometry of every glyph of every Orbelantrix font as JSON, from the renderer's
// character meanings: the input of the font generator (build_fonts.py). Lengths are in modules
// (X), y upwards from the baseline.
//
//   orbx_glyphs OUTPUT.json
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fonts/families.h"
#include "render/render.h"

namespace {

using orbx::render::BarReach;
using orbx::render::Symbol;

struct Box {
    double x0, y0, x1, y1;
    auto operator<=>(const Box&) const = default;
};

struct Digit {
    char digit;
    Box box;
    auto operator<=>(const Digit&) const = default;
};

struct Glyph {
    double advance = 0;
    std::vector<Box> bars;
    std::vector<Digit> digits;
    bool operator==(const Glyph&) const = default;
};

// Joins bars that continue one another from row to row, so that no seam lies inside a bar.
void Join(std::vector<Box>& bars) {
    std::sort(bars.begin(), bars.end());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        for (std::size_t j = i + 1; j < bars.size();) {
            const Box& b = bars[j];
            if (b.x0 == bars[i].x0 && b.x1 == bars[i].x1 && b.y0 == bars[i].y1) {
                bars[i].y1 = b.y1;
                bars.erase(bars.begin() + static_cast<std::ptrdiff_t>(j));
            } else {
                ++j;
            }
        }
    }
}

Glyph PostalGlyph(const Symbol& s) {
    Glyph g;
    const auto p = s.parts();
    const double u = p.unit;
    for (std::size_t k = 0; k < s.bars.size(); ++k) {
        const double x = 2.0 * static_cast<double>(k);
        const double bottom = s.bars[k].descender ? 0 : p.descender * u;
        const double top = s.bars[k].ascender ? (p.descender + p.tracker + p.ascender) * u
                                              : (p.descender + p.tracker) * u;
        g.bars.push_back({x, bottom, x + 1, top});
    }
    // Every bar is followed by its gap, so that the bars of the next character keep the pitch.
    g.advance = 2.0 * static_cast<double>(s.bars.size());
    return g;
}

// The rows stand on the baseline, the last row lowest.
Glyph RowsGlyph(const Symbol& s) {
    Glyph g;
    const double mw = s.module_width;
    const bool retail = !s.reach.empty();
    double y = 0;
    double top = 0;
    for (auto row = s.rows.rbegin(); row != s.rows.rend(); ++row) {
        const double h = row->height * mw;
        const auto& m = row->modules;
        for (std::size_t i = 0; i < m.size();) {
            if (!m[i]) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < m.size() && m[end] && (!retail || s.reach[end] == s.reach[i]))
                ++end;
            Box b{static_cast<double>(i) * mw, y, static_cast<double>(end) * mw, y + h};
            if (retail && s.reach[i] != BarReach::normal) b.y0 -= orbx::render::kLongBars;
            if (retail && s.reach[i] == BarReach::add_on) b.y1 -= orbx::render::kDigitRoom;
            g.bars.push_back(b);
            i = end;
        }
        y += h;
        top = y;
    }
    for (const auto& l : s.labels) {
        const double x0 = l.x * mw;
        const double x1 = (l.x + l.width) * mw;
        const Box box = l.above ? Box{x0, top - orbx::render::kDigitRoom, x1, top}
                                : Box{x0, -orbx::render::kDigitRoom, x1, 0};
        g.digits.push_back({l.digit, box});
    }
    g.advance = s.width() * mw;
    Join(g.bars);
    return g;
}

std::string Number(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "[" << Number(b.x0) << "," << Number(b.y0) << "," << Number(b.x1) << ","
               << Number(b.y1) << "]";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: orbx_glyphs OUTPUT.json\n";
        return 2;
    }
    std::ostringstream out;
    out << "{\"units_per_em\":" << orbx::fonts::kUnitsPerEm << ",\"fonts\":[\n";
    bool first_family = true;
    for (const auto& family : orbx::fonts::Families()) {
        std::map<int, Glyph> glyphs;
        for (const auto meaning : family.meanings) {
            for (int byte = 0; byte < 256; ++byte) {
                const auto drawn = orbx::render::Glyph(meaning, static_cast<unsigned char>(byte));
                if (!drawn.symbol || drawn.symbol->width() == 0) continue;
                const Glyph g =
                    drawn.symbol->postal() ? PostalGlyph(*drawn.symbol) : RowsGlyph(*drawn.symbol);
                const auto [it, added] = glyphs.emplace(byte, g);
                if (!added && !(it->second == g)) {
                    std::cerr << "orbx_glyphs: " << family.file << ": character " << byte
                              << " draws differently in two of its meanings\n";
                    return 1;
                }
            }
        }
        double ascent = 0;
        double descent = 0;
        for (const auto& [byte, g] : glyphs) {
            for (const Box& b : g.bars) {
                ascent = std::max(ascent, b.y1);
                descent = std::max(descent, -b.y0);
            }
            for (const Digit& d : g.digits) {
                ascent = std::max(ascent, d.box.y1);
                descent = std::max(descent, -d.box.y0);
            }
        }
        out << (first_family ? "" : ",\n") << "{\"file\":\"" << family.file << "\",\"name\":\""
            << family.name << "\",\"units_per_module\":" << family.units_per_module
            << ",\"ascent\":" << Number(ascent) << ",\"descent\":" << Number(descent)
            << ",\"glyphs\":[";
        first_family = false;
        bool first_glyph = true;
        for (const auto& [byte, g] : glyphs) {
            out << (first_glyph ? "" : ",") << "\n {\"byte\":" << byte << ",\"unicode\":"
                << static_cast<int>(orbx::render::HostCharacter(static_cast<unsigned char>(byte)))
                << ",\"advance\":" << Number(g.advance) << ",\"bars\":[";
            first_glyph = false;
            for (std::size_t i = 0; i < g.bars.size(); ++i)
                out << (i ? "," : "") << g.bars[i];
            out << "],\"digits\":[";
            for (std::size_t i = 0; i < g.digits.size(); ++i) {
                out << (i ? "," : "") << "{\"digit\":\"" << g.digits[i].digit
                    << "\",\"box\":" << g.digits[i].box << "}";
            }
            out << "]}";
        }
        out << "]}";
    }
    out << "\n]}\n";
    std::ofstream file(argv[1], std::ios::binary);
    file << out.str();
    if (!file) {
        std::cerr << "orbx_glyphs: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
