#include "fonts/families.h"

#include <cassert>

namespace orbx::fonts {

using render::Font;

// Each module size puts the font's line (its tallest glyph and its digits) within one em.
std::span<const Family> Families() {
    static const std::vector<Family> families = {
        {"Orbelantrix-Code128", "Orbelantrix Code 128", {Font::code128}, 32},
        {"Orbelantrix-Code39", "Orbelantrix Code 39", {Font::code39}, 24},
        {"Orbelantrix-Code93", "Orbelantrix Code 93", {Font::code93}, 32},
        {"Orbelantrix-Codabar", "Orbelantrix Codabar", {Font::codabar}, 24},
        {"Orbelantrix-I2of5", "Orbelantrix Interleaved 2 of 5", {Font::i2of5}, 24},
        {"Orbelantrix-MSI", "Orbelantrix MSI", {Font::msi}, 24},
        {"Orbelantrix-UPCEAN", "Orbelantrix UPC EAN", {Font::upc_ean}, 16},
        {"Orbelantrix-Postnet", "Orbelantrix Postnet", {Font::postnet}, 96},
        {"Orbelantrix-Universal", "Orbelantrix Universal", {Font::universal}, 32},
        {"Orbelantrix-DataBar",
         "Orbelantrix DataBar",
         {Font::databar, Font::databar_stacked, Font::databar_rows},
         26},
        {"Orbelantrix-IntelligentMail",
         "Orbelantrix Intelligent Mail",
         {Font::intelligent_mail},
         64},
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
