#include "fonts/typeset.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/render.h"

namespace orbx::fonts {

struct Typesetter::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Face() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

Typesetter::Typesetter(const std::string& path, int units_per_module)
    : face_(std::make_unique<Face>()), units_per_module_(units_per_module) {
    if (FT_Init_FreeType(&face_->library) != 0) {
        error_ = "FreeType does not start";
    } else if (FT_New_Face(face_->library, path.c_str(), 0, &face_->face) != 0) {
        face_->face = nullptr;
        error_ = "FreeType cannot open " + path;
    }
}

Typesetter::~Typesetter() = default;

Setting Typesetter::Set(std::string_view bytes, double pixels_per_module, int margin) {
    Setting out;
    if (!face_->face) {
        out.error = error_;
        return out;
    }
    FT_Face face = face_->face;
    const double ppem = pixels_per_module * face->units_per_EM / units_per_module_;
    if (FT_Set_Char_Size(face, 0, std::lround(ppem * 64), 72, 72) != 0) {
        out.error = "FreeType refuses the size";
        return out;
    }
    const FT_Fixed x_scale = face->size->metrics.x_scale;
    const FT_Fixed y_scale = face->size->metrics.y_scale;
    // The module as FreeType scales it (the size is whole 64ths of a pixel per em).
    out.module = static_cast<double>(FT_MulFix(units_per_module_ * 1024, x_scale)) / 64 / 1024;

    // Glyphs and the pen position of each, in font units, line by line.
    struct Placed {
        FT_UInt glyph;
        FT_Long x;
        int line;
    };
    std::vector<Placed> placed;
    const std::vector<std::string_view> lines = render::Lines(bytes);
    FT_Long widest = 0;
    for (std::size_t l = 0; l < lines.size(); ++l) {
        FT_Long x = 0;
        for (char c : lines[l]) {
            const auto b = static_cast<unsigned char>(c);
            const FT_UInt glyph = FT_Get_Char_Index(face, render::HostCharacter(b));
            if (glyph == 0) {
                out.error = "the font has no glyph for character " + std::to_string(b);
                return out;
            }
            FT_Fixed advance = 0;
            FT_Get_Advance(face, glyph, FT_LOAD_NO_SCALE, &advance);
            placed.push_back({glyph, x, static_cast<int>(l)});
            x += advance;
        }
        widest = std::max(widest, x);
    }

    // Pixel positions in 64ths: the left margin and the top of the first line.
    const FT_Long margin_64 = std::lround(margin * out.module * 64);
    const FT_Long line_64 = FT_MulFix(face->height, y_scale);
    const FT_Long ascent_64 = FT_MulFix(face->ascender, y_scale);
    const auto line_count = static_cast<FT_Long>(lines.size());
    const FT_Long width_64 = 2 * margin_64 + FT_MulFix(widest, x_scale);
    const FT_Long height_64 = 2 * margin_64 + line_count * line_64;
    render::Bitmap& image = out.image;
    image.width = static_cast<int>((width_64 + 63) / 64);
    image.height = static_cast<int>((height_64 + 63) / 64);
    std::vector<int> coverage(static_cast<std::size_t>(image.width) * image.height, 0);
    out.x = margin_64 / 64.0;
    out.baseline = (margin_64 + ascent_64 + (line_count - 1) * line_64) / 64.0;

    for (const Placed& p : placed) {
        const FT_Long pen_x = margin_64 + FT_MulFix(p.x, x_scale);
        const FT_Long pen_y = margin_64 + ascent_64 + p.line * line_64;
        // The fraction of a pixel goes into the outline, the whole pixels into the blit.
        FT_Vector delta{pen_x & 63, -(pen_y & 63)};
        FT_Set_Transform(face, nullptr, &delta);
        if (FT_Load_Glyph(face, p.glyph, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
            FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
            out.error = "FreeType cannot draw glyph " + std::to_string(p.glyph);
            out.image = {};
            return out;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const long left = pen_x / 64 + slot->bitmap_left;
        const long top = pen_y / 64 - slot->bitmap_top;
        for (unsigned r = 0; r < bitmap.rows; ++r) {
            const long y = top + r;
            if (y < 0 || y >= image.height) continue;
            for (unsigned c = 0; c < bitmap.width; ++c) {
                const long x = left + c;
                if (x < 0 || x >= image.width) continue;
                // Coverage adds up where two glyphs' edges meet in one pixel.
                coverage[y * image.width + x] += bitmap.buffer[r * bitmap.pitch + c];
            }
        }
    }
    FT_Set_Transform(face, nullptr, nullptr);
    image.pixels.resize(coverage.size());
    for (std::size_t i = 0; i < coverage.size(); ++i)
        image.pixels[i] = static_cast<std::uint8_t>(255 - std::min(coverage[i], 255));
    return out;
}

}  // namespace orbx::fonts
