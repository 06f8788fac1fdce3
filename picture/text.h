// The readable line's letters: OCR-B outlines (generated from the font by outlines.py), as
// closed polygons in font units, y up.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace orbx::picture {

// Height of the digits' tops in font units (1000 to the em).
int DigitTop();

// Advance of a character, 0 for one that OCR-B lacks (it is left out).
int Advance(unsigned char c);

// Width of a text in font units.
long TextWidth(std::string_view text);

struct Contour {
    std::span<const std::int16_t> points;  // x, y pairs
};

// Calls `each(contour)` for every contour of the glyph of `c`.
template <typename F>
void ForEachContour(unsigned char c, F&& each);

}  // namespace orbx::picture

#include "picture/text_impl.h"
