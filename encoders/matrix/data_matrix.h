// Data Matrix ECC 200 (ISO/IEC 16022): the 24 square sizes from 10 x 10 to 144 x 144 and the 6
// rectangular ones from 8 x 18 to 16 x 48, with the standard's look-ahead choice among its six
// encodations (ASCII, C40, Text, X12, EDIFACT and Base 256).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "encoders/matrix/module_matrix.h"

namespace orbx {

struct DataMatrixOptions {
    // square (the default): the smallest square size that holds the data; rectangle: the smallest
    // rectangular size that does (refused when none does); fixed: exactly `rows` x `columns`,
    // which must be an ECC 200 size (for example 16 x 48) that holds the data.
    enum class Shape { square, rectangle, fixed } shape = Shape::square;
    int rows = 0;
    int columns = 0;
    // The data is a GS1 element string in parentheses, "(01)09501101530003(10)AB": the symbol
    // starts with FNC1 and has FNC1 after each variable-length element that another follows.
    bool gs1 = false;
};

// The largest symbol, 144 x 144, holds 1558 data and 620 error correction codewords.
inline constexpr int kDataMatrixMaxCodewords = 2178;

// A symbol's codewords before they are placed: the data codewords (pads included), then the
// error correction codewords, interleaved as they are placed.
struct DataMatrixCodewords {
    int rows = 0;
    int columns = 0;
    int data = 0;
    int total = 0;
    std::array<std::uint8_t, kDataMatrixMaxCodewords> codewords{};
};

// The size and codewords the data is written in, or kStatusRefused (as Orbelantrix_DataMatrix).
int EncodeDataMatrixCodewords(std::string_view data, const DataMatrixOptions& options,
                              DataMatrixCodewords& out);

// `data` is the host's text as UTF-8. Text whose characters all lie in ISO 8859-1 is written as
// Latin-1 bytes; valid UTF-8 with a character beyond U+00FF as ECI 000026 and its UTF-8 bytes;
// bytes that are not UTF-8 as they are. kStatusOk with the symbol's modules (no quiet zone), or
// kStatusRefused for empty data, data the size cannot hold, options out of range, and in GS1
// mode anything that is not an element string of printable ASCII.
int Orbelantrix_DataMatrix(std::string_view data, const DataMatrixOptions& options,
                           ModuleMatrix& symbol);

}  // namespace orbx
