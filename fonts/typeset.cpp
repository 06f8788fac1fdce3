#include "fonts/typeset.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>
#include <vector>

namespace orbx::fonts {

struct Typesetter::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    // A glyph as FreeType draws it at one size and one fraction of a pixel: drawn once, since
    // a symbol repeats its few glyphs.
    struct Drawn {
        int left = 0, top = 0;  // of the bitmap, from the pen's whole pixel
        unsigned width = 0, rows = 0;
        std::vector<unsigned char> coverage;
    };
    std::map<std::tuple<FT_Fixed, FT_Fixed, FT_UInt, FT_Pos, FT_Pos>, Drawn> drawn;
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

Setting Typesetter::Set(std::u16string_view text, double pixels_per_module, int margin) {
    Setting out;
    if (!face_->face) {
        out.error = error_;
        return out;
    }
    FT_Face face = face_->face;
    const double ppem = pixels_per_module * face->units_per_EM / units_per_module_;
    const FT_F26Dot6 size_64 = std::lround(ppem * 64);
    if (FT_Set_Char_Size(face, 0, size_64, 72, 72) != 0) {
        out.error = "FreeType refuses the size";
        return out;
    }
    return Lay(text, margin);
}

Setting Typesetter::SetAt(std::u16string_view text, int points, int dpi, int margin) {
    Setting out;
    if (!face_->face) {
        out.error = error_;
        return out;
    }
    if (FT_Set_Char_Size(face_->face, 0, static_cast<FT_F26Dot6>(points) * 64,
                         static_cast<FT_UInt>(dpi), static_cast<FT_UInt>(dpi)) != 0) {
        out.error = "FreeType refuses the size";
        return out;
    }
    return Lay(text, margin);
}

Setting Typesetter::Lay(std::u16string_view text, int margin) {
    Setting out;
    FT_Face face = face_->face;
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
    FT_Long widest = 0;
    FT_Long x = 0;
    int line = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            // A new line; a line feed right after the carriage return is part of the break.
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            ++line;
            x = 0;
            continue;
        }
        const FT_UInt glyph = FT_Get_Char_Index(face, text[i]);
        if (glyph == 0) {
            char code[8];
            std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(text[i]));
            out.error = std::string("the font has no glyph for U+") + code;
            return out;
        }
        FT_Fixed advance = 0;
        FT_Get_Advance(face, glyph, FT_LOAD_NO_SCALE, &advance);
        placed.push_back({glyph, x, line});
        x += advance;
        widest = std::max(widest, x);
    }

    // Pixel positions in 64ths: the left margin and the top of the first line.
    const FT_Long margin_64 = std::lround(margin * out.module * 64);
    const FT_Long line_64 = FT_MulFix(face->height, y_scale);
    const FT_Long ascent_64 = FT_MulFix(face->ascender, y_scale);
    const FT_Long line_count = line + 1;
    const FT_Long width_64 = 2 * margin_64 + FT_MulFix(widest, x_scale);
    const FT_Long height_64 = 2 * margin_64 + line_count * line_64;
    render::Bitmap& image = out.image;
    image.width = static_cast<int>((width_64 + 63) / 64);
    image.height = static_cast<int>((height_64 + 63) / 64);
    // Light everywhere; each glyph takes its coverage off.
    image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 255);
    out.x = margin_64 / 64.0;
    out.baseline = (margin_64 + ascent_64 + (line_count - 1) * line_64) / 64.0;

    for (const Placed& p : placed) {
        const FT_Long pen_x = margin_64 + FT_MulFix(p.x, x_scale);
        const FT_Long pen_y = margin_64 + ascent_64 + p.line * line_64;
        // The fraction of a pixel goes into the outline, the whole pixels into the blit.
        const FT_Vector delta{pen_x & 63, -(pen_y & 63)};
        const auto key = std::make_tuple(x_scale, y_scale, p.glyph, delta.x, delta.y);
        auto found = face_->drawn.find(key);
        if (found == face_->drawn.end()) {
            FT_Vector shift = delta;
            FT_Set_Transform(face, nullptr, &shift);
            if (FT_Load_Glyph(face, p.glyph, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
                FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
                FT_Set_Transform(face, nullptr, nullptr);
                out.error = "FreeType cannot draw glyph " + std::to_string(p.glyph);
                out.image = {};
                return out;
            }
            FT_Set_Transform(face, nullptr, nullptr);
            const FT_GlyphSlot slot = face->glyph;
            const FT_Bitmap& bitmap = slot->bitmap;
            Face::Drawn d{slot->bitmap_left, slot->bitmap_top, bitmap.width, bitmap.rows, {}};
            for (unsigned r = 0; r < bitmap.rows; ++r) {
                const unsigned char* row = bitmap.buffer + static_cast<long>(r) * bitmap.pitch;
                d.coverage.insert(d.coverage.end(), row, row + bitmap.width);
            }
            found = face_->drawn.emplace(key, std::move(d)).first;
        }
        const Face::Drawn& d = found->second;
        const long left = pen_x / 64 + d.left;
        const long top = pen_y / 64 - d.top;
        // Rows and columns of the glyph's bitmap that fall on the image.
        const long r0 = std::max(0L, -top);
        const long r1 = std::min<long>(d.rows, image.height - top);
        const long c0 = std::max(0L, -left);
        const long c1 = std::min<long>(d.width, image.width - left);
        for (long r = r0; r < r1; ++r) {
            const long out_row = (top + r) * image.width + left;
            const long in_row = r * d.width;
            for (long c = c0; c < c1; ++c) {
                // Coverage adds up where two glyphs' edges meet in one pixel.
                std::uint8_t& pixel = image.pixels[out_row + c];
                pixel = static_cast<std::uint8_t>(std::max(0, pixel - d.coverage[in_row + c]));
            }
        }
    }
    return out;
}

}  // namespace orbx::fonts
