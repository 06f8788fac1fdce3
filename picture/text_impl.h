// The template part of text.h: reads the generated tables.
#pragma once

#include "ocrb_outlines.h"

namespace orbx::picture {

namespace detail {
const ocrb::Glyph* GlyphOf(unsigned char c);
}

template <typename F>
void ForEachContour(unsigned char c, F&& each) {
    const ocrb::Glyph* glyph = detail::GlyphOf(c);
    if (glyph == nullptr) return;
    for (std::size_t k = glyph->first_contour; k < glyph->first_contour + glyph->contours; ++k) {
        const std::size_t begin = k == 0 ? 0 : ocrb::kContourEnds[k - 1];
        const std::size_t end = ocrb::kContourEnds[k];
        each(Contour{
            std::span<const std::int16_t>(ocrb::kPoints).subspan(2 * begin, 2 * (end - begin))});
    }
}

}  // namespace orbx::picture
