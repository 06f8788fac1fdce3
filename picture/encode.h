// The writers: a raster as a PNG file, a layout as a one-page PDF file, both into reused byte
// vectors. zlib does the deflating, with one compressor per thread, reset for every picture.
#pragma once

#include <vector>

#include "picture/layout.h"
#include "picture/raster.h"

namespace orbx::picture {

// A PNG file (ISO/IEC 15948): one bit a pixel, grey, its resolution in pHYs. Filters the rows
// in place first (each row after the first as "up", so that the rows of a bar repeat as zeros).
// False when zlib fails.
bool WritePng(Raster& raster, int dpi, std::vector<unsigned char>& png);

// A PDF file (ISO 32000-1) of one page the size of the picture: the bars as filled rectangles,
// the readable line as OCR-B outlines. `work` holds the page's content before it is deflated.
bool WritePdf(const Layout& layout, std::vector<unsigned char>& work,
              std::vector<unsigned char>& pdf);

// An SVG document of the layout: one user unit a pixel, the bars as rectangles and the readable
// line as OCR-B outlines, as the PDF draws them.
void WriteSvg(const Layout& layout, std::vector<unsigned char>& svg);

// zlib's compression of `size` bytes appended to `out`; false when zlib fails.
bool AppendDeflated(const unsigned char* in, std::size_t size, std::vector<unsigned char>& out);

}  // namespace orbx::picture
