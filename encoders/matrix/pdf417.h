// PDF417 (ISO/IEC 15438): rows of codewords between start and stop patterns, each row framed by
// its row indicators, the data compacted as text, bytes or digits and protected by Reed-Solomon
// error correction over GF(929).
#pragma once

#include <cstdint>
#include <string_view>

#include "encoders/matrix/module_matrix.h"

namespace orbx {

struct Pdf417Options {
    // Error correction level 0 to 8 (2 to 512 codewords); -1 takes the level ISO/IEC 15438
    // recommends for the number of data codewords, lowered only where the data would not fit
    // the largest symbol otherwise.
    int ecc = -1;
    // Data columns 1 to 30; 0 takes the fewest columns that make the symbol at least twice as
    // wide as it is tall (rows drawn 3 modules high), within 3 to 90 rows.
    int columns = 0;
};

// The most codewords a symbol holds (data, length descriptor, padding and error correction):
// the longest Reed-Solomon codeword of GF(929).
inline constexpr int kPdf417MaxCodewords = 928;

// The data codewords for `data` (UTF-8, or any bytes) as the symbol carries them, without the
// symbol length descriptor: an ECI 000026 first where the text needs UTF-8, then text, byte and
// numeric compaction. Returns their count, or -1 when there would be more than `capacity`.
int Pdf417DataCodewords(std::string_view data, std::uint16_t* out, int capacity);

// ISO/IEC 15438's recommended minimum error correction level for `data_codewords` data
// codewords (the length descriptor not counted): 2 up to 40, 3 up to 160, 4 up to 320, 5 above.
int Pdf417RecommendedLevel(int data_codewords);

// Entry point: kStatusOk with the symbol's modules in `symbol` (one module row per symbol row,
// row_height 3, no quiet zone), or kStatusRefused for empty data, options out of range, or data
// that does not fit (in 928 codewords, or in 90 rows of the columns asked for).
int Orbelantrix_PDF417(std::string_view data, const Pdf417Options& options, ModuleMatrix& symbol);

}  // namespace orbx
