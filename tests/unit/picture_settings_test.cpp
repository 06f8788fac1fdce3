// The pictures' settings text: defaults, every setting, spellings, and values that fall back.
// And the layout's rules: whole-pixel modules, the standard quiet zones, the caps.
#include <gtest/gtest.h>

#include <string>

#include "picture/layout.h"
#include "picture/settings.h"
#include "picture/symbology.h"
#include "render/render.h"

namespace orbx::picture {
namespace {

struct SettingsRow {
    std::string text;
    Format format;
    int dpi;
    double module_mm;
    double height_mm;
    bool text_on;
    bool quiet;
};

TEST(PictureSettings, ReadsEveryNameAndFallsBackToTheDefault) {
    const std::vector<SettingsRow> rows = {
        /* 0 */ {"", Format::png, 300, 0, 0, true, true},
        /* 1 */ {"format=pdf", Format::pdf, 300, 0, 0, true, true},
        /* 2 */ {"dpi=600; module=0.33mm", Format::png, 600, 0.33, 0, true, true},
        /* 3 */ {" FORMAT = PDF ; Text = Off ;quiet=no", Format::pdf, 300, 0, 0, false, false},
        /* 4 */ {"module=13mil", Format::png, 300, 13 * 0.0254, 0, true, true},
        /* 5 */ {"module=0.5", Format::png, 300, 0.5, 0, true, true},  // bare: mm
        /* 6 */ {"height=0.5in", Format::png, 300, 0, 12.7, true, true},
        /* 7 */ {"height=15 mm; text=1; quiet=yes", Format::png, 300, 0, 15, true, true},
        /* 8 */ {"dpi=50", Format::png, 300, 0, 0, true, true},      // below 72
        /* 9 */ {"dpi=9600", Format::png, 300, 0, 0, true, true},    // above 2400
        /* 10 */ {"dpi=300.5", Format::png, 300, 0, 0, true, true},  // not whole
        /* 11 */ {"dpi=abc; module=-1mm; height=big", Format::png, 300, 0, 0, true, true},
        /* 12 */ {"module=30mm", Format::png, 300, 0, 0, true, true},    // above 25.4 mm
        /* 13 */ {"height=2000mm", Format::png, 300, 0, 0, true, true},  // above 1 m
        /* 14 */ {"format=gif; colour=red; text=maybe", Format::png, 300, 0, 0, true, true},
        /* 15 */ {"dpi=1234567890123", Format::png, 300, 0, 0, true, true},  // too many digits
        /* 16 */ {";;=;dpi;=600;dpi=200", Format::png, 200, 0, 0, true, true},
        /* 17 */ {"dpi=600;dpi=", Format::png, 600, 0, 0, true, true},  // last readable wins
        /* 18 */ {"module=.25mm", Format::png, 300, 0.25, 0, true, true},
        /* 19 */ {"module=0mm; height=0", Format::png, 300, 0, 0, true, true},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i) + ": " + rows[i].text);
        const Settings s = ParseSettings(rows[i].text);
        EXPECT_EQ(s.format, rows[i].format);
        EXPECT_EQ(s.dpi, rows[i].dpi);
        EXPECT_NEAR(s.module_mm, rows[i].module_mm, 1e-9);
        EXPECT_NEAR(s.height_mm, rows[i].height_mm, 1e-9);
        EXPECT_EQ(s.text, rows[i].text_on);
        EXPECT_EQ(s.quiet, rows[i].quiet);
    }
}

render::Symbol Symbol(render::Font font, std::string_view text) {
    render::Rendering r = render::Render(font, text);
    EXPECT_TRUE(r.symbol) << r.error;
    return r.symbol ? *r.symbol : render::Symbol{};
}

struct LayoutRow {
    std::string function;
    std::string font_text;
    std::string settings;
    int module;  // pixels per module
    int width;   // pixels
};

// Widths in modules: the symbol's own modules and the quiet zones it still needs.
TEST(PictureLayout, WholePixelModulesAndTheStandardsQuietZones) {
    const std::string ean13 = "u(9AB23E*LMNOPR(";  // ISO/IEC 15420 example 590123412345(7)
    const std::string code128 =
        "\xCC"
        "ABC!\xCE";  // Code 128 "ABC": 35 + 13 stop = 68 modules
    const std::vector<LayoutRow> rows = {
        // 0.33 mm at 300 dpi is 3.9 pixels: 4. 68 modules and 10 X each side.
        /* 0 */ {"Code128", code128, "", 4, (68 + 20) * 4},
        /* 1 */ {"Code128", code128, "dpi=600", 8, (68 + 20) * 8},
        /* 2 */ {"Code128", code128, "quiet=off", 4, 68 * 4},
        /* 3 */ {"Code128", code128, "module=0.1mm; dpi=72", 1, 88},  // never below a pixel
        // EAN-13: 7 light modules of the first digit's room, 95 modules, then 7 X: the 11 X
        // before it take 4 more.
        /* 4 */ {"EAN13", ean13, "", 4, (4 + 7 + 95 + 7) * 4},
        /* 5 */ {"EAN13", ean13, "quiet=off", 4, (7 + 95) * 4},
        // 25.4 mm modules at 2400 dpi would be 2400 pixels: halved until 88 modules fit.
        /* 6 */ {"Code128", code128, "module=25.4mm; dpi=2400", 75, 88 * 75},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i) + ": " + rows[i].function + " " + rows[i].settings);
        const Symbology* s = FindSymbology(rows[i].function);
        ASSERT_NE(s, nullptr);
        Layout layout;
        ASSERT_TRUE(Lay(*s, Symbol(s->font, rows[i].font_text), "", ParseSettings(rows[i].settings),
                        layout));
        EXPECT_EQ(layout.module, rows[i].module);
        EXPECT_EQ(layout.width, rows[i].width);
        EXPECT_LE(layout.height, kMaxSide);
        for (const Box& b : layout.boxes) {
            EXPECT_EQ(b.w % layout.module, 0);
            EXPECT_GE(b.x, 0);
            EXPECT_LE(b.x + b.w, layout.width);
        }
    }
}

TEST(PictureLayout, NamesAreTheSymbolFunctionsInAnyCase) {
    EXPECT_EQ(Symbologies().size(), 36u);  // the 33 symbol functions and the 2D symbols
    EXPECT_NE(FindSymbology("code128"), nullptr);
    EXPECT_NE(FindSymbology("USPS_INTELLIGENTMAIL"), nullptr);
    EXPECT_EQ(FindSymbology("Orbx_Code128"), nullptr);
    EXPECT_EQ(FindSymbology("Code128HR"), nullptr);  // a readable line, not a symbol
    EXPECT_EQ(FindSymbology("Uni_C128HR"), nullptr);
    EXPECT_EQ(FindSymbology("PluginVersion"), nullptr);
    EXPECT_EQ(FindSymbology(""), nullptr);
}

TEST(PictureLayout, ASymbolTooWideForTheLargestPictureHasNone) {
    // 910 Code 128 characters of 11 modules: over 10,000 modules.
    std::string text = "\xCC";
    text.append(910, 'A');
    text += "\xCE";
    Layout layout;
    EXPECT_FALSE(Lay(*FindSymbology("Code128"), Symbol(render::Font::code128, text), "", Settings{},
                     layout));
}

}  // namespace
}  // namespace orbx::picture
