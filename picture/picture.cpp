#include "picture/picture.h"

#include <vector>

#include "picture/encode.h"
#include "picture/layout.h"
#include "picture/raster.h"

namespace orbx::picture {

namespace {

struct Work {
    Layout layout;
    Raster raster;
    std::vector<unsigned char> png;
    std::vector<unsigned char> content;
    std::vector<unsigned char> pdf;
};

Work& work() {
    thread_local Work w;
    return w;
}

}  // namespace

bool Draw(const Symbology& symbology, const render::Symbol& symbol, std::string_view readable,
          const Settings& settings, Picture& picture) {
    Work& w = work();
    picture = Picture{};
    if (!Lay(symbology, symbol, readable, settings, w.layout)) return false;
    Rasterize(w.layout, w.raster);
    if (!WritePng(w.raster, settings.dpi, w.png)) return false;
    picture.width = w.layout.width;
    picture.height = w.layout.height;
    picture.png = w.png;
    if (settings.format == Format::pdf) {
        if (!WritePdf(w.layout, w.content, w.pdf)) return false;
        picture.pdf = w.pdf;
    }
    return true;
}

}  // namespace orbx::picture
