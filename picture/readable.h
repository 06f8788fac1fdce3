// The readable line of a narrow/wide symbol, read back from its bars: the characters it
// encodes, check characters included, without start and stop characters (Codabar prints its
// start and stop letters too).
#pragma once

#include <cstddef>

#include "picture/symbology.h"
#include "render/symbol.h"

namespace orbx::picture {

// Writes the line into `out` (room for `size` bytes, no terminator) and returns its length; 0
// when the bars are not a whole symbol of the symbology.
std::size_t ReadElements(const Symbology& symbology, const render::Symbol& symbol, char* out,
                         std::size_t size);

}  // namespace orbx::picture
