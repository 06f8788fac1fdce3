// Reed-Solomon error correction codewords, as QR Code (ISO/IEC 18004), Data Matrix ECC 200
// (ISO/IEC 16022) and PDF417 (ISO/IEC 15438) compute them: the remainder of the data polynomial,
// times x^k, divided by the generator polynomial of degree k.
#pragma once

#include <cstdint>

#include "encoders/matrix/galois.h"

namespace orbx {

// The largest error correction block of any of the three: PDF417 level 8, 512 codewords.
inline constexpr int kLargestEccBlock = 512;

// The coefficients of the generator polynomial (x - 2^first)(x - 2^(first+1))...(x - 2^(first+k-1))
// in GF(2^8), highest power first without its leading 1: k values into `generator`. QR Code's
// roots start at 2^0, Data Matrix's at 2^1. k of 1 to 255.
void BinaryGenerator(const BinaryField& field, int k, int first, std::uint8_t* generator);

// The k error correction codewords of `data` (its `length` codewords) for a generator of
// BinaryGenerator, highest power first, into `ecc`.
void BinaryRemainder(const BinaryField& field, const std::uint8_t* data, int length,
                     const std::uint8_t* generator, int k, std::uint8_t* ecc);

// PDF417: the generator (x - 3)(x - 3^2)...(x - 3^k) over GF(929), highest power first without
// its leading 1, k of 2 to 512.
void Pdf417Generator(int k, std::uint16_t* generator);

// PDF417's k error correction codewords of `data`: the complements (929 - r) of the remainder's
// coefficients, highest power first, so that every codeword polynomial has the roots 3 to 3^k.
void Pdf417Remainder(const std::uint16_t* data, int length, const std::uint16_t* generator, int k,
                     std::uint16_t* ecc);

}  // namespace orbx
