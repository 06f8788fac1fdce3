#include "fonts/families.h"

#include <cassert>

namespace orbx::fonts {

using render::Font;

// Module sizes chosen so that whole point sizes give whole printer dots (a point is 1/72 inch):
// the bar fonts and the 2D font have 24 units of the 1000-unit em, a module of size / 3000 inch,
// so size / 10 dots at 300 dpi, size / 5 at 600 and size × 2 / 5 at 1200: every 10 pt is whole
// dots at all three, every 5 pt at 600 and 1200. The postal fonts, whose module is half the bar
// pitch, have 120 units: a module of size / 600 inch, size dots at 600 dpi, and 14 pt a pitch of
// 21.4 bars an inch.
std::span<const Family> Families() {
    static const std::vector<Family> families = {
        {"Orbelantrix-Code128", "Orbelantrix Code 128", {Font::code128}, 24},
        {"Orbelantrix-Code39", "Orbelantrix Code 39", {Font::code39}, 24},
        {"Orbelantrix-Code93", "Orbelantrix Code 93", {Font::code93}, 24},
        {"Orbelantrix-Codabar", "Orbelantrix Codabar", {Font::codabar}, 24},
        {"Orbelantrix-I2of5", "Orbelantrix Interleaved 2 of 5", {Font::i2of5}, 24},
        {"Orbelantrix-MSI", "Orbelantrix MSI", {Font::msi}, 24},
        {"Orbelantrix-UPCEAN", "Orbelantrix UPC EAN", {Font::upc_ean}, 24},
        {"Orbelantrix-Postnet", "Orbelantrix Postnet", {Font::postnet}, 120},
        {"Orbelantrix-Universal", "Orbelantrix Universal", {Font::universal}, 24},
        {"Orbelantrix-DataBar",
         "Orbelantrix DataBar",
         {Font::databar, Font::databar_stacked, Font::databar_rows},
         24},
        {"Orbelantrix-IntelligentMail",
         "Orbelantrix Intelligent Mail",
         {Font::intelligent_mail},
         120},
        // The 2D font's blocks are 2 modules wide and 3 tall: an advance of 48 units and a line
        // of 72, which is all of its ascent and no descent or gap, so that lines meet.
        {"Orbelantrix-2D", "Orbelantrix 2D", {Font::matrix}, 24},
    };
    return families;
}

const Family& FamilyOf(Font font) {
    for (const Family& f : Families()) {
        for (Font m : f.meanings) {
            if (m == font) return f;
        }
    }
    assert(false && "every meaning has its font file");
    return Families().front();
}

}  // namespace orbx::fonts
