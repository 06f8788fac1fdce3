#include "oracle/oracle.h"

#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>
#include <ZXing/TextUtfEncoding.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>

#include "fonts/families.h"

#include "render/raster.h"
#include "support/host_call.h"

namespace orbx::oracle {

Ours Encode(std::string_view function, std::string_view parameter) {
    Ours ours;
    ours.call = std::string(function) + "( " + Show(parameter) + " )";
    ours.text = test::Call(function, test::Latin1(parameter));
    const auto bytes = render::FontBytes(ours.text);
    if (!bytes) {
        ours.error = "result outside Windows-1252";
        return ours;
    }
    ours.bytes = *bytes;
    if (ours.bytes.empty()) {
        ours.error = "empty result";
        return ours;
    }
    const auto font = render::FontOf(function);
    if (!font) {
        ours.error = "no barcode font";
        return ours;
    }
    render::Rendering drawn = render::Render(*font, ours.bytes);
    ours.symbol = std::move(drawn.symbol);
    ours.error = std::move(drawn.error);
    if (ours.symbol) SetInFont(ours, *font);
    return ours;
}

void SetInFont(Ours& ours, render::Font font) {
    // One typesetter per font file for the whole test program.
    static std::map<std::string_view, std::unique_ptr<fonts::Typesetter>> setters;
    const fonts::Family& family = fonts::FamilyOf(font);
    auto& setter = setters[family.file];
    if (!setter) {
        setter = std::make_unique<fonts::Typesetter>(
            std::string(ORBX_FONTS_DIR "/") + std::string(family.file) + ".ttf",
            family.units_per_module);
    }
    ours.settings.clear();
    for (const FontSize& size : kFontSizes) {
        fonts::Setting set = setter->Set(ours.text, size.pixels_per_module);
        const std::string difference =
            set.error.empty() ? FontDifference(*ours.symbol, set) : set.error;
        if (!difference.empty()) {
            ADD_FAILURE() << ours.call << " = " << Show(ours.bytes) << ", set in " << family.file
                          << ".ttf at " << size.pixels_per_module
                          << " pixels per module: " << difference;
        }
        ours.settings.push_back(std::move(set));
    }
}

std::string FontDifference(const render::Symbol& symbol, const fonts::Setting& set) {
    auto dark = [&](double x, double y) {
        const auto px = static_cast<int>(std::floor(x));
        const auto py = static_cast<int>(std::floor(y));
        const render::Bitmap& b = set.image;
        return px >= 0 && py >= 0 && px < b.width && py < b.height &&
               b.pixels[static_cast<std::size_t>(py) * b.width + px] < 128;
    };
    auto name = [](bool d) { return d ? "dark" : "light"; };
    if (symbol.postal()) {
        // Each bar sampled in the middle of its descender, tracker and ascender, and the gap
        // after it in the middle of the tracker; the parts stand on the baseline.
        const render::PostalParts p = symbol.parts();
        const double unit = p.unit * set.module;
        const double descender = set.baseline - p.descender * unit / 2;
        const double tracker = set.baseline - (p.descender + p.tracker / 2.0) * unit;
        const double ascender = set.baseline - (p.descender + p.tracker + p.ascender / 2.0) * unit;
        for (std::size_t k = 0; k <= symbol.bars.size(); ++k) {
            const double x = set.x + (2.0 * static_cast<double>(k) + 0.5) * set.module;
            const bool bar = k < symbol.bars.size();
            const std::array<std::pair<const char*, bool>, 4> parts = {{
                {"descender", bar && symbol.bars[k].descender},
                {"tracker", bar},
                {"ascender", bar && symbol.bars[k].ascender},
                {"gap after it", false},
            }};
            const std::array<bool, 4> drawn = {dark(x, descender), dark(x, tracker),
                                               dark(x, ascender), dark(x + set.module, tracker)};
            for (std::size_t i = 0; i < parts.size(); ++i) {
                if (drawn[i] == parts[i].second) continue;
                return "bar " + std::to_string(k) + ", " + parts[i].first + ": the font draws " +
                       name(drawn[i]) + ", the renderer " + name(parts[i].second);
            }
        }
        return {};
    }
    // Rows stand on the last line's baseline, the last row lowest; each row sampled across
    // its middle, with two modules of margin on each side.
    const double mw = symbol.module_width;
    double bottom = set.baseline;
    for (std::size_t r = symbol.rows.size(); r-- > 0;) {
        const render::Row& row = symbol.rows[r];
        const double height = row.height * mw * set.module;
        const double y = bottom - height / 2;
        bottom -= height;
        for (int m = -2; m < symbol.width() + 2; ++m) {
            const bool want =
                m >= 0 && m < static_cast<int>(row.modules.size()) && row.modules[m] != 0;
            const bool drawn = dark(set.x + (m + 0.5) * mw * set.module, y);
            if (drawn == want) continue;
            return "row " + std::to_string(r) + ", module " + std::to_string(m) +
                   ": the font draws " + name(drawn) + ", the renderer " + name(want);
        }
    }
    return {};
}

ZintSymbol Zint(int symbology, std::string_view data,
                const std::function<void(zint_symbol*)>& setup) {
    ZintSymbol out;
    zint_symbol* s = ZBarcode_Create();
    s->symbology = symbology;
    if (setup) setup(s);
    const int status = ZBarcode_Encode(s, reinterpret_cast<const unsigned char*>(data.data()),
                                       static_cast<int>(data.size()));
    out.ok = status < ZINT_ERROR;
    out.error = s->errtxt;
    if (out.ok) {
        for (int r = 0; r < s->rows; ++r) {
            std::vector<std::uint8_t> row(static_cast<std::size_t>(s->width));
            for (int c = 0; c < s->width; ++c) {
                row[static_cast<std::size_t>(c)] = (s->encoded_data[r][c >> 3] >> (c & 7)) & 1;
            }
            out.rows.push_back(std::move(row));
        }
        out.text = reinterpret_cast<const char*>(s->text);
    }
    ZBarcode_Delete(s);
    return out;
}

Modules Crop(const Modules& rows) {
    std::size_t first = SIZE_MAX;
    std::size_t last = 0;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (!row[c]) continue;
            first = std::min(first, c);
            last = std::max(last, c);
        }
    }
    if (first == SIZE_MAX) return Modules(rows.size());
    Modules out;
    for (const auto& row : rows) {
        std::vector<std::uint8_t> cut(last - first + 1, 0);
        for (std::size_t c = first; c <= last && c < row.size(); ++c)
            cut[c - first] = row[c];
        out.push_back(std::move(cut));
    }
    return out;
}

Modules RowsOf(const render::Symbol& symbol) {
    Modules rows;
    for (const auto& r : symbol.rows)
        rows.push_back(r.modules);
    return rows;
}

std::vector<int> Runs(const std::vector<std::uint8_t>& row) {
    std::vector<int> runs;
    std::size_t i = 0;
    while (i < row.size() && !row[i])
        ++i;
    while (i < row.size()) {
        std::size_t j = i;
        while (j < row.size() && row[j] == row[i])
            ++j;
        runs.push_back(static_cast<int>(j - i));
        i = j;
    }
    return runs;
}

std::string NarrowWide(const std::vector<std::uint8_t>& row) {
    const std::vector<int> runs = Runs(row);
    if (runs.empty()) return {};
    const int narrow = *std::min_element(runs.begin(), runs.end());
    std::string nw;
    for (int r : runs)
        nw += r > narrow ? 'w' : 'n';
    return nw;
}

std::string Difference(const Modules& ours, const Modules& theirs) {
    if (ours.size() != theirs.size()) {
        return "rows: ours " + std::to_string(ours.size()) + ", zint " +
               std::to_string(theirs.size());
    }
    for (std::size_t r = 0; r < ours.size(); ++r) {
        if (ours[r] == theirs[r]) continue;
        auto text = [](const std::vector<std::uint8_t>& row) {
            std::string s;
            for (auto m : row)
                s += m ? '1' : '0';
            return s;
        };
        std::size_t c = 0;
        while (c < ours[r].size() && c < theirs[r].size() && ours[r][c] == theirs[r][c])
            ++c;
        return "row " + std::to_string(r) + " differs from module " + std::to_string(c) +
               "\n  ours " + text(ours[r]) + "\n  zint " + text(theirs[r]);
    }
    return {};
}

std::string PostalBars(const render::Symbol& ours) {
    std::string bars;
    for (const auto& b : ours.bars)
        bars += b.ascender ? (b.descender ? 'F' : 'A') : (b.descender ? 'D' : 'T');
    return bars;
}

std::string PostalBars(const ZintSymbol& zint) {
    std::string bars;
    if (zint.rows.empty()) return bars;
    const auto& all = zint.rows[1];  // every bar has its middle part here
    for (std::size_t c = 0; c < all.size(); ++c) {
        if (!all[c]) continue;
        const bool ascender = zint.rows[0][c];
        const bool descender = zint.rows.size() == 2 ? true : zint.rows[2][c] != 0;
        bars += ascender ? (descender ? 'F' : 'A') : (descender ? 'D' : 'T');
    }
    return bars;
}

namespace {

ReadBack ReadImage(const render::Bitmap& image, int formats, bool pure, bool add_on) {
    ZXing::DecodeHints hints;
    hints.setFormats(static_cast<ZXing::BarcodeFormat>(formats));
    hints.setIsPure(pure);
    hints.setTryHarder(true);
    if (add_on) hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Require);
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height,
                                ZXing::ImageFormat::Lum);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    ReadBack out;
    out.ok = result.isValid();
    if (!out.ok) return out;
    const ZXing::ByteArray& bytes = result.bytes();
    out.text.assign(bytes.begin(), bytes.end());
    out.symbology = result.symbologyIdentifier();
    out.format = ZXing::ToString(result.format());
    return out;
}

}  // namespace

ReadBack ReadBitmap(const render::Bitmap& image, int formats, bool pure, bool add_on) {
    return ReadImage(image, formats, pure, add_on);
}

ReadBack Read(const render::Symbol& symbol, int formats, bool pure, bool add_on) {
    return ReadImage(render::Rasterize(symbol, 2, 2.0), formats, pure, add_on);
}

ReadBack Read(const Ours& ours, int formats, bool pure, bool add_on) {
    const ReadBack back = Read(*ours.symbol, formats, pure, add_on);
    auto shown = [](const ReadBack& r) { return r.ok ? Show(r.text) : std::string("nothing"); };
    for (std::size_t i = 0; i < ours.settings.size(); ++i) {
        if (!kFontSizes[i].read) continue;
        const ReadBack font = ReadImage(ours.settings[i].image, formats, pure, add_on);
        if (font.ok == back.ok && font.text == back.text) continue;
        ADD_FAILURE() << ours.call << " set in its font at " << kFontSizes[i].pixels_per_module
                      << " pixels per module: zxing-cpp reads " << shown(font)
                      << ", from the renderer's symbol " << shown(back);
    }
    return back;
}

Tally::Tally(std::string function, std::vector<Known> known)
    : function_(std::move(function)), known_(std::move(known)), seen_(known_.size(), false) {}

void Tally::Check(const std::string& input, const std::string& difference) {
    ++compared_;
    for (std::size_t k = 0; k < known_.size(); ++k) {
        if (known_[k].input != input) continue;
        seen_[k] = true;
        EXPECT_FALSE(difference.empty())
            << function_ << "(" << Show(input) << "): listed as a known disagreement ("
            << known_[k].reason << ") but now agrees with the oracle";
        return;
    }
    if (!difference.empty()) {
        ++failures_;
        ADD_FAILURE() << function_ << "(" << Show(input) << "): " << difference;
    }
}

void Tally::Finish() {
    for (std::size_t k = 0; k < known_.size(); ++k) {
        EXPECT_TRUE(seen_[k]) << function_
                              << ": known disagreement not compared: " << Show(known_[k].input);
    }
    std::cout << "[oracle] " << function_ << ": " << compared_ << " inputs compared, " << failures_
              << " unexpected disagreements, " << known_.size() << " known disagreements\n";
}

std::string Show(std::string_view bytes) {
    std::string s;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 32 && b < 127) {
            s += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            s += hex;
        }
    }
    return s;
}

char Mod10(std::string_view digits) {
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = 4 - weight;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace orbx::oracle
