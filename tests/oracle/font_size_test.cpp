// The fonts at the sizes people print: every barcode function's results set by FreeType at
// whole point sizes on a printer's resolution, as a text engine sets them (the character size
// at that dpi, glyph after glyph at fractional positions). Where a size gives a whole number of
// dots a module, every module must be that many whole pixels wide, and the setting must read
// with zxing-cpp as the same symbol drawn exactly at that scale reads.
#include <ZXing/BarcodeFormat.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

#include "encoders/linear/code93.h"
#include "fonts/families.h"
#include "oracle/oracle.h"
#include "render/raster.h"
#include "support/host_call.h"

namespace orbx::oracle {
namespace {

using render::Font;

constexpr int Format(ZXing::BarcodeFormat f) {
    return static_cast<int>(f);
}
constexpr int kCode128 = Format(ZXing::BarcodeFormat::Code128);
constexpr int kCode39 = Format(ZXing::BarcodeFormat::Code39);
constexpr int kCode93 = Format(ZXing::BarcodeFormat::Code93);
constexpr int kCodabar = Format(ZXing::BarcodeFormat::Codabar);
constexpr int kItf = Format(ZXing::BarcodeFormat::ITF);
constexpr int kRetail = Format(ZXing::BarcodeFormat::EAN13) | Format(ZXing::BarcodeFormat::EAN8) |
                        Format(ZXing::BarcodeFormat::UPCA) | Format(ZXing::BarcodeFormat::UPCE);
constexpr int kDataBar = Format(ZXing::BarcodeFormat::DataBar);
constexpr int kExpanded = Format(ZXing::BarcodeFormat::DataBarExpanded);
constexpr int kQrCode = Format(ZXing::BarcodeFormat::QRCode);
constexpr int kDataMatrix = Format(ZXing::BarcodeFormat::DataMatrix);
constexpr int kPdf417 = Format(ZXing::BarcodeFormat::PDF417);

// One result to set at every size. zxing-cpp 1.4 reads no MSI, postal code or DataBar Limited
// (format 0): those are checked module by module only.
struct Sample {
    std::string_view symbology;  // the counts are kept per symbology
    std::string_view function;   // empty: the Code 93 encoder, which no function calls
    std::string parameter;
    int format;
    bool pure = false;  // stacked DataBar: the image holds one computer-drawn symbol
    bool add_on = false;
};

// The gallery's example of every barcode function, the guide's job examples, and the stacked
// and narrow/wide forms at their other row counts and ratios.
const std::vector<Sample> kSamples = {
    /* 0 */ {"Code 128", "Orbx_Code128", "AB12345678", kCode128},
    /* 1 */ {"Code 128", "Orbx_Code128", "~2020112345678901231", kCode128},
    /* 2 */ {"Code 128", "Orbx_Code128", "INV-2013-0042", kCode128},
    /* 3 */ {"Code 128", "Orbx_Code128a", "ABC", kCode128},
    /* 4 */ {"Code 128", "Orbx_Code128b", "Hello", kCode128},
    /* 5 */ {"Code 128", "Orbx_Code128c", "12345", kCode128},
    /* 6 */ {"Interleaved 2 of 5", "Orbx_I2of5", "12345", kItf},
    /* 7 */ {"Interleaved 2 of 5", "Orbx_I2of5Mod10", "1540014128876", kItf},
    /* 8 */ {"Codabar", "Orbx_Codabar", "A123-45B", kCodabar},
    /* 9 */ {"Code 39", "Orbx_Code39", "PART-0042", kCode39},
    /* 10 */ {"Code 39", "Orbx_Code39Mod43", "code-39", kCode39},
    /* 11 */ {"Code 93", "", "TEST93", kCode93},
    /* 12 */ {"POSTNET", "Orbx_Postnet", "12345-6789", 0},
    /* 13 */ {"EAN/UPC", "Orbx_EAN8", "5512345", kRetail},
    /* 14 */ {"EAN/UPC", "Orbx_EAN13", "590123412345", kRetail},
    /* 15 */ {"EAN/UPC", "Orbx_EAN13", "97802013796252495", kRetail, false, true},
    /* 16 */ {"EAN/UPC", "Orbx_UPCa", "03600029145", kRetail},
    /* 17 */ {"EAN/UPC", "Orbx_UPCa", "0360002914512", kRetail, false, true},
    /* 18 */ {"EAN/UPC", "Orbx_UPCe", "0425261", kRetail},
    /* 19 */ {"MSI", "Orbx_MSI", "1234567", 0},
    /* 20 */ {"Universal Code 128", "Orbx_Uni_C128", "Code 128", kCode128},
    /* 21 */ {"Universal Code 128", "Orbx_Uni_C128A", "ABC", kCode128},
    /* 22 */ {"Universal Code 128", "Orbx_Uni_C128B", "abc", kCode128},
    /* 23 */ {"Universal Code 128", "Orbx_Uni_C128C", "12345", kCode128},
    /* 24 */ {"Universal Code 128", "Orbx_Uni_UCC128", "0112345678901231", kCode128},
    /* 25 */ {"Universal POSTNET, PLANET", "Orbx_Uni_Postnet", "12345", 0},
    /* 26 */ {"Universal POSTNET, PLANET", "Orbx_Uni_Planet", "12345", 0},
    /* 27 */ {"Universal Code 39", "Orbx_Uni_C39", "CODE-39|3|1", kCode39},
    /* 28 */ {"Universal Code 39", "Orbx_Uni_C39", "PART-0042", kCode39},
    /* 29 */ {"Universal Code 39", "Orbx_Uni_C39", "PART-0042|2.5", kCode39},
    /* 30 */ {"Universal Interleaved 2 of 5", "Orbx_Uni_I2of5", "1234567|2.5|1", kItf},
    /* 31 */ {"Universal Interleaved 2 of 5", "Orbx_Uni_I2of5", "12345678|3", kItf},
    /* 32 */ {"Universal MSI", "Orbx_Uni_MSI", "80523", 0},
    /* 33 */ {"Universal Codabar", "Orbx_Uni_Codabar", "40156|3|C|D", kCodabar},
    /* 34 */ {"Universal Codabar", "Orbx_Uni_Codabar", "123-45", kCodabar},
    /* 35 */ {"Intelligent Mail", "Orbx_Uni_OneCode", "0123456709498765432101234567891", 0},
    /* 36 */ {"Intelligent Mail", "Orbx_USPS_IntelligentMail", "01234567094987654321", 0},
    /* 37 */ {"DataBar Omnidirectional", "Orbx_DataBar", "00012345678905", kDataBar},
    /* 38 */ {"DataBar Limited", "Orbx_DataBarLimited", "15012345678907", 0},
    /* 39 */ {"DataBar Stacked", "Orbx_DataBarStacked", "00012345678905", kDataBar, true},
    /* 40 */
    {"DataBar Stacked", "Orbx_DataBarStackedOmniDirectional", "00012345678905", kDataBar, true},
    /* 41 */
    {"DataBar Expanded", "Orbx_DataBarExpanded", "(01)98898765432106(3202)012345(15)991231",
     kExpanded},
    /* 42 */
    {"DataBar Expanded", "Orbx_DataBarExpanded", "(01)98898765432106(3103)001750(15)261231",
     kExpanded},
    /* 43 */
    {"DataBar Expanded", "Orbx_DataBarExpanded", "(01)00012345678905(10)ABC123", kExpanded},
    /* 44 */
    {"DataBar Expanded Stacked", "Orbx_DataBarExpanded",
     "(01)98898765432106(3202)012345(15)991231|4", kExpanded, true},
    /* 45 */
    {"DataBar Expanded Stacked", "Orbx_DataBarExpanded", "(01)00012345678905(10)ABC123|2",
     kExpanded, true},
    /* 46 */
    {"DataBar Expanded Stacked", "Orbx_DataBarExpanded", "(01)95012345678903(3103)000123(10)XYZ|6",
     kExpanded, true},
    // The 2D font, which has the bar fonts' module.
    /* 47 */ {"QR Code", "Orbx_QRCode", "https://example.org/item?id=0042", kQrCode},
    /* 48 */ {"Data Matrix", "Orbx_DataMatrix", "(01)09501101530003 lot 42", kDataMatrix},
    /* 49 */ {"PDF417", "Orbx_PDF417", "PDF417 shipping label 0042", kPdf417},
};

// Random data for the functions, a few each (a fixed seed: every run sets the same results).
std::vector<Sample> RandomSamples() {
    constexpr int kEach = 8;
    constexpr std::string_view kPrintable =
        " !\"#$%&'()*+,-./"
        "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}";
    constexpr std::string_view kCode39Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
    constexpr std::string_view kCodabarChars = "0123456789-$:/.+";
    constexpr std::string_view kLot = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-./";
    constexpr std::array<std::string_view, 3> kRatios = {"2", "2.5", "3"};
    constexpr std::array<std::string_view, 4> kSegments = {"", "|2", "|4", "|6"};
    Random rnd(28);
    auto ratio = [&] {
        return "|" + std::string(kRatios[static_cast<std::size_t>(rnd.Int(0, 2))]);
    };
    std::vector<Sample> out;
    for (int k = 0; k < kEach; ++k) {
        out.push_back({"Code 128", "Orbx_Code128", rnd.String(kPrintable, 1, 24), kCode128});
        out.push_back({"Code 39", "Orbx_Code39", rnd.String(kCode39Chars, 1, 16), kCode39});
        out.push_back({"Code 93", "", rnd.String(kCode39Chars, 1, 16), kCode93});
        out.push_back({"Codabar", "Orbx_Codabar", rnd.String(kCodabarChars, 1, 16), kCodabar});
        out.push_back({"Interleaved 2 of 5", "Orbx_I2of5", rnd.Digits(rnd.Int(2, 16)), kItf});
        out.push_back({"EAN/UPC", "Orbx_EAN13", rnd.Digits(12), kRetail});
        out.push_back({"EAN/UPC", "Orbx_UPCa", rnd.Digits(11), kRetail});
        out.push_back({"EAN/UPC", "Orbx_EAN8", rnd.Digits(7), kRetail});
        out.push_back({"EAN/UPC", "Orbx_UPCe", "0" + rnd.Digits(6), kRetail});
        out.push_back({"MSI", "Orbx_MSI", rnd.Digits(rnd.Int(1, 12)), 0});
        out.push_back({"POSTNET", "Orbx_Postnet", rnd.Digits(rnd.Int(0, 1) ? 5 : 9), 0});
        out.push_back(
            {"Intelligent Mail", "Orbx_USPS_IntelligentMail",
             "0" + std::to_string(rnd.Int(0, 4)) + rnd.Digits(18) +
                 rnd.Digits(std::array{0, 5, 9, 11}[static_cast<std::size_t>(rnd.Int(0, 3))]),
             0});
        out.push_back({"Universal Code 128", "Orbx_Uni_C128", rnd.String(kLot, 1, 20), kCode128});
        out.push_back({"Universal Code 39", "Orbx_Uni_C39",
                       rnd.String(kCode39Chars, 1, 12) + ratio(), kCode39});
        out.push_back({"Universal Interleaved 2 of 5", "Orbx_Uni_I2of5",
                       rnd.Digits(rnd.Int(2, 14)) + ratio(), kItf});
        out.push_back({"Universal Codabar", "Orbx_Uni_Codabar",
                       rnd.String(kCodabarChars, 1, 12) + ratio(), kCodabar});
        out.push_back({"Universal MSI", "Orbx_Uni_MSI", rnd.Digits(rnd.Int(1, 10)) + ratio(), 0});
        out.push_back({"Universal POSTNET, PLANET",
                       rnd.Int(0, 1) ? "Orbx_Uni_Postnet" : "Orbx_Uni_Planet",
                       rnd.Digits(rnd.Int(0, 1) ? 5 : 11), 0});
        out.push_back({"DataBar Omnidirectional", "Orbx_DataBar", rnd.Digits(13), kDataBar});
        out.push_back({"DataBar Limited", "Orbx_DataBarLimited",
                       std::to_string(rnd.Int(0, 1)) + rnd.Digits(12), 0});
        out.push_back({"DataBar Stacked",
                       rnd.Int(0, 1) ? "Orbx_DataBarStacked" : "Orbx_DataBarStackedOmniDirectional",
                       rnd.Digits(13), kDataBar, true});
        // A GTIN, then a weight, a date and a lot (the variable-length lot last: no FNC1).
        const std::string body = rnd.Digits(13);
        std::string gs1 = "(01)" + body + Mod10(body);
        if (rnd.Int(0, 1)) gs1 += "(3103)" + rnd.Digits(6);
        if (rnd.Int(0, 1))
            gs1 += "(15)" + rnd.Digits(2) + "0" + std::to_string(rnd.Int(1, 9)) + "1" +
                   std::to_string(rnd.Int(0, 9));
        if (rnd.Int(0, 1)) gs1 += "(10)" + rnd.String(kLot, 1, 8);
        const std::string_view segments = kSegments[static_cast<std::size_t>(rnd.Int(0, 3))];
        out.push_back({segments.empty() ? "DataBar Expanded" : "DataBar Expanded Stacked",
                       "Orbx_DataBarExpanded", gs1 + std::string(segments), kExpanded,
                       !segments.empty()});
        if (k < 2) {
            out.push_back({"QR Code", "Orbx_QRCode", rnd.String(kPrintable, 1, 60), kQrCode});
            out.push_back(
                {"Data Matrix", "Orbx_DataMatrix", rnd.String(kPrintable, 1, 40), kDataMatrix});
            out.push_back({"PDF417", "Orbx_PDF417", rnd.String(kPrintable, 1, 80), kPdf417});
        }
    }
    return out;
}

// A sample's result as the host shows it, and the symbol its font draws.
struct Result {
    std::string call;
    std::u16string text;
    Font font = Font::code128;
    render::Symbol symbol;
    std::string error;
};

Result Evaluate(const Sample& s) {
    Result r;
    r.call = std::string(s.function.empty() ? "Orbelantrix_Code93" : s.function) + "( " +
             Show(s.parameter) + " )";
    std::string bytes;
    if (s.function.empty()) {
        std::string data = s.parameter;
        std::array<char, 256> out{};
        if (Orbelantrix_Code93(data.data(), out.data(), static_cast<long>(out.size())) != 0) {
            r.error = "the encoder refuses the data";
            return r;
        }
        bytes = out.data();
        r.text = test::Cp1252(bytes);
        r.font = Font::code93;
    } else {
        r.text = test::Call(s.function, test::Latin1(s.parameter));
        const auto b = render::FontBytes(r.text);
        const auto font = render::FontOf(s.function);
        if (!b || b->empty() || !font) {
            r.error = "no barcode text";
            return r;
        }
        bytes = *b;
        r.font = *font;
    }
    render::Rendering drawn = render::Render(r.font, bytes);
    if (!drawn.symbol) {
        r.error = "the font draws nothing: " + drawn.error;
        return r;
    }
    r.symbol = std::move(*drawn.symbol);
    return r;
}

fonts::Typesetter& SetterFor(const fonts::Family& family) {
    static std::map<std::string_view, std::unique_ptr<fonts::Typesetter>> setters;
    auto& setter = setters[family.file];
    if (!setter) {
        setter = std::make_unique<fonts::Typesetter>(
            std::string(ORBX_FONTS_DIR "/") + std::string(family.file) + ".ttf",
            family.units_per_module);
    }
    return *setter;
}

// Pixels a module at `points` on a `dpi` device: the point is 1/72 inch, the module its share
// of the em.
double ModulePixels(const fonts::Family& f, int points, int dpi) {
    return static_cast<double>(points) * dpi * f.units_per_module / (72.0 * fonts::kUnitsPerEm);
}

bool WholeDots(const fonts::Family& f, int points, int dpi) {
    return static_cast<long>(points) * dpi * f.units_per_module % (72L * fonts::kUnitsPerEm) == 0;
}

// A line across the setting, `y` pixels from the top, and the colour of each module along it.
struct Line {
    std::string name;
    double y;
    std::vector<bool> dark;
};

// The middle of every row, or of the three parts of the postal bars (each bar then a dark
// module and its gap a light one).
std::vector<Line> LinesOf(const render::Symbol& s, const fonts::Setting& set) {
    std::vector<Line> lines;
    if (s.postal()) {
        const render::PostalParts p = s.parts();
        const double unit = p.unit * set.module;
        const std::array<std::pair<const char*, double>, 3> parts = {{
            {"descenders", p.descender / 2.0},
            {"trackers", p.descender + p.tracker / 2.0},
            {"ascenders", p.descender + p.tracker + p.ascender / 2.0},
        }};
        for (std::size_t i = 0; i < parts.size(); ++i) {
            Line line{parts[i].first, set.baseline - parts[i].second * unit, {}};
            for (const render::PostalBar& b : s.bars) {
                line.dark.push_back(i == 0 ? b.descender : i == 1 || b.ascender);
                line.dark.push_back(false);
            }
            lines.push_back(std::move(line));
        }
        return lines;
    }
    double bottom = set.baseline;
    for (std::size_t r = s.rows.size(); r-- > 0;) {
        const render::Row& row = s.rows[r];
        const double height = row.height * s.module_width * set.module;
        Line line{"row " + std::to_string(r), bottom - height / 2, {}};
        bottom -= height;
        for (int m = 0; m < s.width(); ++m)
            line.dark.push_back(m < static_cast<int>(row.modules.size()) && row.modules[m] != 0);
        lines.push_back(std::move(line));
    }
    return lines;
}

// Where a setting's modules are not `unit` whole pixels each, or nothing: along every line,
// the runs of dark and light pixels (the light margin included) against the module runs times
// `unit`.
std::string RunDifference(const render::Symbol& s, const fonts::Setting& set, int unit) {
    const render::Bitmap& image = set.image;
    if (std::abs(set.x - std::round(set.x)) > 1e-9) return "the symbol starts inside a pixel";
    auto edge = [&](std::size_t module) {
        return std::lround(set.x) + static_cast<long>(module) * unit;
    };
    for (const Line& line : LinesOf(s, set)) {
        const long y = static_cast<long>(std::floor(line.y));
        if (y < 0 || y >= image.height) return line.name + ": outside the image";
        std::vector<long> want = {edge(0)};
        bool dark = false;
        for (std::size_t m = 0; m < line.dark.size(); ++m) {
            if (line.dark[m] != dark) want.push_back(0);
            want.back() += edge(m + 1) - edge(m);
            dark = line.dark[m];
        }
        if (dark) want.push_back(0);
        // The light after the symbol runs to the image's edge.
        want.back() += image.width - edge(line.dark.size());
        std::vector<long> got = {0};
        dark = false;
        for (long x = 0; x < image.width; ++x) {
            const bool d = image.pixels[static_cast<std::size_t>(y * image.width + x)] < 128;
            if (d != dark) got.push_back(0);
            ++got.back();
            dark = d;
        }
        if (dark) got.push_back(0);
        if (got.size() != want.size()) {
            return line.name + ": " + std::to_string(got.size() / 2) + " dark runs, " +
                   std::to_string(want.size() / 2) + " module runs";
        }
        for (std::size_t i = 0; i < got.size(); ++i) {
            if (got[i] == want[i]) continue;
            return line.name + ": run " + std::to_string(i) + " (" + (i % 2 ? "dark" : "light") +
                   ") is " + std::to_string(got[i]) + " pixels, " + std::to_string(want[i]) +
                   " at " + std::to_string(unit) + " a module";
        }
    }
    return {};
}

// The symbol drawn exactly at `pixels` a module (rounded for the half modules of the Universal
// letters of ratio 2.5), heights in proportion.
render::Bitmap Exact(const render::Symbol& s, int pixels) {
    const double unit = pixels * s.module_width;
    return render::Rasterize(s, std::max(1, static_cast<int>(std::lround(unit))), unit);
}

std::string Shown(const ReadBack& r) {
    return r.ok ? Show(r.text) : std::string("nothing");
}

const std::vector<Sample>& AllSamples() {
    static const std::vector<Sample> samples = [] {
        std::vector<Sample> out = kSamples;
        for (Sample& s : RandomSamples())
            out.push_back(std::move(s));
        return out;
    }();
    return samples;
}

// The samples' results, evaluated once for the whole test program.
const std::vector<Result>& AllResults() {
    static const std::vector<Result> results = [] {
        std::vector<Result> out;
        for (const Sample& s : AllSamples())
            out.push_back(Evaluate(s));
        return out;
    }();
    return results;
}

// One setting of a result, and how zxing-cpp reads it and the exact drawing.
struct Checked {
    std::string where;         // size and resolution, for messages
    std::string modules;       // how the modules differ from whole pixels, or empty
    bool whole_units = false;  // the modules were checked (whole pixels each)
    ReadBack got, want;        // zxing-cpp on the setting and on the exact drawing
    bool same() const { return got.ok == want.ok && got.text == want.text; }
};

// Sets the result at `points` on a `dpi` device, checks that its modules are `dots` whole
// pixels each (where `whole`; otherwise only that each module's middle has its colour), and
// reads it and the exact drawing at `dots` with zxing-cpp. The exact drawings are kept by dots
// a module in `exact`.
Checked Check(const Sample& sample, const Result& r, int points, int dpi, int dots, bool whole,
              std::map<int, ReadBack>& exact) {
    Checked c;
    c.where = std::to_string(points) + " pt at " + std::to_string(dpi) + " dpi (" +
              std::to_string(dots) + " dots a module)";
    const fonts::Setting set = SetterFor(fonts::FamilyOf(r.font)).SetAt(r.text, points, dpi);
    if (!set.error.empty()) {
        c.modules = set.error;
        return c;
    }
    // The Universal letters of ratio 2.5 are drawn in half modules: whole at even dots only.
    const double unit = dots * r.symbol.module_width;
    c.whole_units = whole && unit == std::floor(unit);
    c.modules = c.whole_units ? RunDifference(r.symbol, set, static_cast<int>(unit))
                              : FontDifference(r.symbol, set);
    if (sample.format == 0) return c;
    auto found = exact.find(dots);
    if (found == exact.end()) {
        const ReadBack want =
            ReadImage(Exact(r.symbol, dots), sample.format, sample.pure, sample.add_on);
        found = exact.emplace(dots, want).first;
    }
    c.want = found->second;
    c.got = ReadImage(set.image, sample.format, sample.pure, sample.add_on);
    return c;
}

// The size tables of the user's guide (docs/guide.md, The fonts, Size): a point size, a
// resolution, and the dots a module it gives there (at 203 dpi the nearest whole number).
struct TableSize {
    int points;
    int dpi;
    int dots;
};

// The bar fonts, 24 units a module.
const std::vector<TableSize> kBarTable = {
    /* 0 */ {20, 300, 2},    {20, 600, 4},   {25, 600, 5},   {30, 300, 3},   {30, 600, 6},
    /* 5 */ {35, 600, 7},    {40, 300, 4},   {40, 600, 8},   {44, 203, 3},   {45, 600, 9},
    /* 10 */ {50, 300, 5},   {50, 600, 10},  {55, 600, 11},  {59, 203, 4},   {60, 300, 6},
    /* 15 */ {60, 600, 12},  {65, 600, 13},  {70, 300, 7},   {70, 600, 14},  {74, 203, 5},
    /* 20 */ {75, 600, 15},  {80, 300, 8},   {80, 600, 16},  {89, 203, 6},   {90, 300, 9},
    /* 25 */ {90, 600, 18},  {100, 300, 10}, {100, 600, 20}, {103, 203, 7},  {110, 300, 11},
    /* 30 */ {110, 600, 22}, {118, 203, 8},  {120, 300, 12}, {120, 600, 24},
};

// The postal fonts, 120 units a module.
const std::vector<TableSize> kPostalTable = {
    /* 0 */ {13, 600, 13}, {14, 300, 7}, {14, 600, 14}, {15, 203, 5}, {15, 600, 15},
};

// The cells of the guide's table whose header holds `header`, row by row.
std::vector<std::vector<std::string>> GuideTable(std::string_view header) {
    std::ifstream guide(ORBX_GUIDE);
    std::vector<std::vector<std::string>> rows;
    bool inside = false;
    for (std::string line; std::getline(guide, line);) {
        if (line.rfind("|", 0) != 0) {
            inside = false;
            continue;
        }
        if (line.find(header) != std::string::npos) inside = true;
        if (!inside || line.find(" pt |") == std::string::npos) continue;
        std::vector<std::string> cells;
        std::istringstream in(line.substr(1));
        for (std::string cell; std::getline(in, cell, '|');)
            cells.push_back(cell.substr(1, cell.size() - 2));
        rows.push_back(std::move(cells));
    }
    return rows;
}

std::string Fixed(double v, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

// The whole dots in a table cell ("4", or "3 (2.98)" at 203 dpi), 0 for an empty one.
int Dots(const std::string& cell) {
    return cell.empty() ? 0 : std::stoi(cell);
}

// The guide's tables are the ones tested, and their numbers follow from the module: 1/3000 inch
// per point in the bar fonts, 1/600 in the postal fonts.
TEST(FontSizes, GuideTablesAreTheTestedSizes) {
    const auto bars = GuideTable("X for GS1 retail");
    ASSERT_EQ(bars.size(), 23u);
    std::vector<std::array<int, 3>> cells;
    for (const auto& row : bars) {
        SCOPED_TRACE(row[0]);
        ASSERT_EQ(row.size(), 12u);
        const int points = std::stoi(row[0]);
        const double x = points / 3000.0 * 25.4;  // mm
        EXPECT_EQ(row[1], Fixed(x, 3) + " mm");
        EXPECT_EQ(row[2], Fixed(points / 3.0, 1));
        for (int i = 0; i < 3; ++i) {
            if (const int dots = Dots(row[3 + static_cast<std::size_t>(i)]))
                cells.push_back(
                    {points, std::array{203, 300, 600}[static_cast<std::size_t>(i)], dots});
        }
        const std::array<double, 4> heights = {30, 40, 59, 33};
        for (std::size_t h = 0; h < heights.size(); ++h)
            EXPECT_EQ(row[6 + h], Fixed(heights[h] * x, 1) + " mm");
        EXPECT_EQ(row[10], x >= 0.264 && x <= 0.660 ? "yes" : "");
        EXPECT_EQ(row[11], x >= 0.495 && x <= 1.016 ? "yes" : "");
    }
    ASSERT_EQ(cells.size(), kBarTable.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i], (std::array{kBarTable[i].points, kBarTable[i].dpi, kBarTable[i].dots}))
            << "bar table cell " << i;
    }

    // The 2D font's table: the bar fonts' module, each whole-dot cell one the samples are set at.
    const auto matrix = GuideTable("QR Code 25 x 25");
    ASSERT_EQ(matrix.size(), 10u);
    for (const auto& row : matrix) {
        SCOPED_TRACE(row[0]);
        ASSERT_EQ(row.size(), 8u);
        const int points = std::stoi(row[0]);
        const double x = points / 3000.0 * 25.4;  // mm
        EXPECT_EQ(row[1], Fixed(x, 3) + " mm");
        EXPECT_EQ(row[2], Fixed(points / 3.0, 1));
        for (int i = 0; i < 2; ++i) {
            const int dpi = std::array{300, 600}[static_cast<std::size_t>(i)];
            const int dots = Dots(row[3 + static_cast<std::size_t>(i)]);
            EXPECT_EQ(dots, points * dpi % 3000 == 0 ? points * dpi / 3000 : 0);
            if (dots == 0) continue;
            EXPECT_NE(std::find_if(kBarTable.begin(), kBarTable.end(),
                                   [&](const TableSize& t) {
                                       return t.points == points && t.dpi == dpi && t.dots == dots;
                                   }),
                      kBarTable.end())
                << "a size the samples are not set at";
        }
        // 25 + 8 modules of QR Code, 16 + 2 of Data Matrix, a PDF417 row of 3.
        EXPECT_EQ(row[5], Fixed(33 * x, 1) + " mm");
        EXPECT_EQ(row[6], Fixed(18 * x, 1) + " mm");
        EXPECT_EQ(row[7], Fixed(3 * x, 2) + " mm");
    }

    const auto postal = GuideTable("Bar width");
    ASSERT_EQ(postal.size(), 3u);
    cells.clear();
    for (const auto& row : postal) {
        SCOPED_TRACE(row[0]);
        ASSERT_EQ(row.size(), 9u);
        const int points = std::stoi(row[0]);
        const double module = points / 600.0;  // inch
        EXPECT_EQ(row[1], Fixed(1 / (2 * module), 1) + " bars/inch");
        EXPECT_EQ(row[2], Fixed(module, 4) + " inch");
        for (int i = 0; i < 3; ++i) {
            if (const int dots = Dots(row[3 + static_cast<std::size_t>(i)]))
                cells.push_back(
                    {points, std::array{203, 300, 600}[static_cast<std::size_t>(i)], dots});
        }
        // POSTNET tall and short bars, Intelligent Mail full bars and trackers, in modules.
        EXPECT_EQ(row[6], Fixed(5.625 * module, 3) + " / " + Fixed(2.25 * module, 3) + " inch");
        EXPECT_EQ(row[7], Fixed(6.375 * module, 3) + " / " + Fixed(2.125 * module, 3) + " inch");
    }
    ASSERT_EQ(cells.size(), kPostalTable.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i],
                  (std::array{kPostalTable[i].points, kPostalTable[i].dpi, kPostalTable[i].dots}))
            << "postal table cell " << i;
    }
}

TEST(FontSizes, TableSizesDrawWholeDotModulesAndRead) {
    const std::vector<Sample>& samples = AllSamples();
    const std::vector<Result>& results = AllResults();
    int settings = 0;
    for (std::size_t i = 0; i < kSamples.size(); ++i) {
        const Sample& sample = samples[i];
        const Result& r = results[i];
        SCOPED_TRACE("sample " + std::to_string(i) + ": " + r.call);
        ASSERT_EQ(r.error, "");
        const fonts::Family& family = fonts::FamilyOf(r.font);
        const bool postal =
            family.file == "Orbelantrix-Postnet" || family.file == "Orbelantrix-IntelligentMail";
        std::map<int, ReadBack> exact;
        const std::vector<TableSize>& table = postal ? kPostalTable : kBarTable;
        for (std::size_t t = 0; t < table.size(); ++t) {
            const TableSize& size = table[t];
            SCOPED_TRACE("table row " + std::to_string(t));
            const double pixels = ModulePixels(family, size.points, size.dpi);
            if (size.dpi == 203) {
                EXPECT_NEAR(pixels, size.dots, 0.02 * size.dots);
            } else {
                EXPECT_TRUE(WholeDots(family, size.points, size.dpi));
                EXPECT_EQ(pixels, size.dots);
            }
            const Checked c =
                Check(sample, r, size.points, size.dpi, size.dots, size.dpi != 203, exact);
            ++settings;
            EXPECT_EQ(c.modules, "") << c.where;
            if (sample.format == 0) continue;
            EXPECT_TRUE(c.want.ok) << c.where << ": zxing-cpp does not read the exact drawing";
            EXPECT_TRUE(c.same()) << c.where << ": zxing-cpp reads " << Shown(c.got)
                                  << ", from the exact drawing " << Shown(c.want);
        }
    }
    std::cout << "[sizes] " << settings << " settings at the sizes of the guide's tables\n";
}

struct Count {
    int settings = 0;
    int whole = 0;  // modules checked as whole pixels
    int exact = 0;  // the exact drawing reads
    int read = 0;   // of those, the setting reads the same
};

TEST(FontSizes, WholeDotSizesDrawWholePixelModulesAndReadAsExactDrawings) {
    const std::vector<Sample>& samples = AllSamples();
    const std::vector<Result>& results = AllResults();
    // Per symbology: the whole-dot sizes from 2 to 8 dots at 300, 600 and 1200 dpi, and, with
    // ORBX_FONT_SWEEP_EVERY_SIZE set, every whole point size from 2 to 8 pixels a module at 300
    // and 600 dpi (whole-dot or not), counted only: a measurement of what other sizes give.
    const bool every_size = std::getenv("ORBX_FONT_SWEEP_EVERY_SIZE") != nullptr;
    std::map<std::string_view, std::array<Count, 2>> counts;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Sample& sample = samples[i];
        const Result& r = results[i];
        SCOPED_TRACE("sample " + std::to_string(i) + ": " + r.call);
        ASSERT_EQ(r.error, "");
        const fonts::Family& family = fonts::FamilyOf(r.font);
        std::map<int, ReadBack> exact;
        for (const int dpi : {300, 600, 1200}) {
            for (int points = 1; ModulePixels(family, points, dpi) <= 8.0; ++points) {
                const double pixels = ModulePixels(family, points, dpi);
                const bool whole = WholeDots(family, points, dpi);
                if (pixels < 2.0 || (!whole && (dpi == 1200 || !every_size))) continue;
                const int dots = static_cast<int>(std::lround(pixels));
                const Checked c = Check(sample, r, points, dpi, dots, whole, exact);
                if (whole) {
                    EXPECT_EQ(c.modules, "") << c.where;
                }
                for (int k = 0; k < 2; ++k) {
                    if (k == 0 ? !whole : dpi == 1200 || !every_size) continue;
                    Count& n = counts[sample.symbology][static_cast<std::size_t>(k)];
                    ++n.settings;
                    n.whole += c.whole_units;
                    n.exact += c.want.ok;
                    n.read += c.want.ok && c.same();
                }
                if (sample.format == 0) continue;
                if (whole) {
                    EXPECT_TRUE(c.same()) << c.where << ": zxing-cpp reads " << Shown(c.got)
                                          << ", from the exact drawing " << Shown(c.want);
                }
            }
        }
    }
    for (const auto& [symbology, c] : counts) {
        std::cout << "[sweep] " << symbology << ": whole-dot sizes, " << c[0].settings
                  << " settings, " << c[0].whole << " with whole-pixel modules, " << c[0].read
                  << " of " << c[0].exact << " read as the exact drawing";
        if (every_size) {
            std::cout << "; every point size at 300 and 600 dpi, " << c[1].settings << " settings, "
                      << c[1].read << " of " << c[1].exact << " read as the exact drawing";
        }
        std::cout << "\n";
    }
}

}  // namespace
}  // namespace orbx::oracle
