// A symbol laid out in pixels: the dark rectangles of its bars, and the runs of text of its
// readable line, at the module and height the settings give, every bar a whole number of pixels.
// The raster (PNG), the PDF and the SVG writers all draw this one layout.
#pragma once

#include <string_view>
#include <vector>

#include "picture/settings.h"
#include "picture/symbology.h"
#include "render/symbol.h"

namespace orbx::picture {

// A dark rectangle, in pixels from the picture's top left.
struct Box {
    int x, y, w, h;
};

// A run of OCR-B text: its pen starts at `left`, on `baseline` (pixels from the top), at `scale`
// pixels per font unit.
struct TextRun {
    std::string_view text;
    double left, baseline, scale;
};

struct Layout {
    int width = 0;  // pixels
    int height = 0;
    int dpi = kDefaultDpi;
    int module = 0;  // pixels per module (per half module in the Universal font's ratio 2.5)
    std::vector<Box> boxes;
    std::vector<TextRun> text;
};

// Lays `symbol` out as `settings` say, into `layout` (whose vectors are reused). False when the
// symbol has no dark module, or would not fit kMaxSide pixels a side even at one pixel a module.
bool Lay(const Symbology& symbology, const render::Symbol& symbol, std::string_view readable,
         const Settings& settings, Layout& layout);

}  // namespace orbx::picture
