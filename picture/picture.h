// Pictures of symbols, for container fields: the module rows that a function's font text draws
// (render/), laid out at the settings' resolution, module and height, with the readable line,
// and written as PNG or PDF. Knows nothing of the host; the buffers are per thread, reused from
// picture to picture, so that a picture allocates nothing once they have grown to its size.
#pragma once

#include <span>
#include <string_view>

#include "picture/settings.h"
#include "picture/symbology.h"
#include "render/symbol.h"

namespace orbx::picture {

struct Picture {
    int width = 0;  // pixels of the PNG (for a PDF its preview, the same size)
    int height = 0;
    std::span<const unsigned char> png;
    std::span<const unsigned char> pdf;  // empty for the PNG format
};

// Draws `symbol` of `symbology` with `readable` as its readable line (where the symbology
// prints one and the settings keep it). The bytes stay valid until the thread's next picture.
// False when there is nothing to draw or it would not fit kMaxSide pixels a side.
bool Draw(const Symbology& symbology, const render::Symbol& symbol, std::string_view readable,
          const Settings& settings, Picture& picture);

}  // namespace orbx::picture
