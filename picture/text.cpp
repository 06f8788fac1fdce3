#include "picture/text.h"

namespace orbx::picture {

namespace detail {

const ocrb::Glyph* GlyphOf(unsigned char c) {
    // The table is in code order: a binary search.
    std::size_t lo = 0;
    std::size_t hi = ocrb::kGlyphs.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (ocrb::kGlyphs[mid].code == c) return &ocrb::kGlyphs[mid];
        if (ocrb::kGlyphs[mid].code < c) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return nullptr;
}

}  // namespace detail

int DigitTop() {
    return ocrb::kDigitTop;
}

int Advance(unsigned char c) {
    const ocrb::Glyph* glyph = detail::GlyphOf(c);
    return glyph == nullptr ? 0 : glyph->advance;
}

long TextWidth(std::string_view text) {
    long width = 0;
    for (char c : text)
        width += Advance(static_cast<unsigned char>(c));
    return width;
}

}  // namespace orbx::picture
