// The readable line of a narrow/wide symbol, read back from its bars: the characters it
// encodes, check characters included, without start and stop characters (Codabar prints its
// start and stop letters too).
#pragma once

#include <cstddef>
#include <string_view>

#include "picture/symbology.h"
#include "render/symbol.h"

namespace orbx::picture {

// Writes the line into `out` (room for `size` bytes, no terminator) and returns its length; 0
// when the bars are not a whole symbol of the symbology.
std::size_t ReadElements(const Symbology& symbology, const render::Symbol& symbol, char* out,
                         std::size_t size);

// The readable line a symbology prints under `symbol`, written into `out` (room for `size`
// bytes, at least 2048), without spaces at its ends: for Code 128 the line Orbx_Code128HR (or
// for the Universal functions Orbx_Uni_C128HR) gives for the same `data`, the data string its
// encoder was given, with `tilde` its tilde flag; the digits of a set C symbol; the characters
// of a narrow/wide symbol (ReadElements); nothing for the others (UPC/EAN print their digits
// with the bars).
std::string_view ReadableLine(const Symbology& symbology, const char* data, long tilde,
                              const render::Symbol& symbol, char* out, std::size_t size);

}  // namespace orbx::picture
