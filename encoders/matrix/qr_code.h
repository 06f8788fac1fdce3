// QR Code Model 2 (ISO/IEC 18004): versions 1 to 40 at error correction level L, M, Q or H, the
// data in numeric, alphanumeric and byte mode segments chosen for the fewest bits, UTF-8 behind
// ECI 000026 where the data is not all ASCII, and GS1 element strings behind FNC1 in first
// position.
#pragma once

#include <cstdint>
#include <string_view>

#include "encoders/matrix/module_matrix.h"

namespace orbx {

struct QrCodeOptions {
    // Error correction level: 'L' (7 %), 'M' (15 %), 'Q' (25 %) or 'H' (30 %), as capitals.
    char ecc = 'M';
    // 1 to 40; 0 for the smallest version that holds the data at that level.
    int version = 0;
    // The data is a GS1 element string in parentheses, "(01)09501101530003(10)AB".
    bool gs1 = false;
    // -1: the mask with the lowest penalty score (ISO/IEC 18004 7.8.3); 0 to 7: that mask.
    int mask = -1;
};

// The symbol's modules (no quiet zone) into `symbol`: kStatusOk, or kStatusRefused for empty
// data, data that no version (or not the version asked for) holds at the level, GS1 data that
// is not an element string of printable ASCII, or options out of range.
int Orbelantrix_QRCode(std::string_view data, const QrCodeOptions& options, ModuleMatrix& symbol);

// The largest symbol's codewords, data and error correction together (version 40).
inline constexpr int kQrMaxCodewords = 3706;

// What Orbelantrix_QRCode puts in the symbol before it places it: the version, the mask, and
// the final codeword sequence (data and error correction codewords, interleaved), `data_count`
// of them data codewords before interleaving. For checking against the standard's worked
// examples.
struct QrCodewords {
    int version = 0;
    int mask = 0;
    int data_count = 0;
    int total = 0;
    std::uint8_t data[kQrMaxCodewords] = {};  // the data codewords in block order
    std::uint8_t final[kQrMaxCodewords] = {};
};

// As Orbelantrix_QRCode, and the codewords into `out`.
int Orbelantrix_QRCode(std::string_view data, const QrCodeOptions& options, ModuleMatrix& symbol,
                       QrCodewords* out);

}  // namespace orbx
