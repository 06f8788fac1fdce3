// Font text set in an Orbelantrix font by FreeType, as a text engine sets a field: glyph after
// glyph at their advances, each carriage return starting a line one line height lower.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "render/raster.h"

namespace orbx::fonts {

struct Setting {
    render::Bitmap image;  // 0 dark, 255 light
    double x = 0;          // where the first line starts, pixels from the left
    double baseline = 0;   // baseline of the last line, pixels from the top
    double module = 0;     // pixels per module
    std::string error;     // why nothing was set (the image is then empty)
};

class Typesetter {
  public:
    // Opens a font file; `units_per_module` is the font's module in font units.
    Typesetter(const std::string& path, int units_per_module);
    ~Typesetter();
    Typesetter(const Typesetter&) = delete;
    Typesetter& operator=(const Typesetter&) = delete;

    // Sets text as the host shows it (a function's result) at the size that makes a module
    // `pixels_per_module` wide, with `margin` modules of light on every side.
    // One call at a time: the face keeps the size and the transform of the last one.
    Setting Set(std::u16string_view text, double pixels_per_module, int margin = 10);

    // Sets text at a whole point size on a device of `dpi` dots per inch, as a text engine
    // sizes a font for a printer: FreeType's character size at that resolution, so that a
    // module is points × dpi / 72 × units per module / units per em pixels (to FreeType's
    // 1/64 pixel).
    Setting SetAt(std::u16string_view text, int points, int dpi, int margin = 10);

    const std::string& error() const { return error_; }  // why the font did not open

  private:
    struct Face;
    // Sets text at the face's current size.
    Setting Lay(std::u16string_view text, int margin);
    std::unique_ptr<Face> face_;
    int units_per_module_;
    std::string error_;
};

}  // namespace orbx::fonts
