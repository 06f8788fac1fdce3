// Symbols as SVG pictures.
#pragma once

#include <string>

#include "render/symbol.h"

namespace orbx::render {

// An SVG document of the symbol with its quiet zones, one user unit per X, shown `pixels_per_x`
// pixels per X; UPC/EAN symbols get their digits.
std::string Svg(const Symbol& symbol, double pixels_per_x = 2.0);

}  // namespace orbx::render
