// Arithmetic in the finite fields that the matrix symbols compute their error correction in:
// GF(2^8) with a symbology's own primitive polynomial (QR Code x^8+x^4+x^3+x^2+1, 0x11D;
// Data Matrix x^8+x^5+x^3+x^2+1, 0x12D), and the prime field GF(929) of PDF417.
#pragma once

#include <array>
#include <cstdint>

namespace orbx {

// Powers and logarithms of the generator 2 in GF(2^8). `exp` runs over two periods so that a
// product needs no reduction of the summed logarithms.
struct BinaryField {
    std::array<std::uint8_t, 512> exp{};
    std::array<std::uint8_t, 256> log{};
};

constexpr BinaryField MakeBinaryField(unsigned polynomial) {
    BinaryField f;
    unsigned x = 1;
    for (int i = 0; i < 255; ++i) {
        f.exp[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(x);
        f.exp[static_cast<std::size_t>(i + 255)] = static_cast<std::uint8_t>(x);
        f.log[x] = static_cast<std::uint8_t>(i);
        x <<= 1;
        if (x & 0x100) x ^= polynomial;
    }
    f.exp[510] = f.exp[0];
    f.exp[511] = f.exp[1];
    return f;
}

inline constexpr BinaryField kQrField = MakeBinaryField(0x11D);
inline constexpr BinaryField kDataMatrixField = MakeBinaryField(0x12D);

// Each field's generator runs through all 255 non-zero elements exactly once.
static_assert(kQrField.exp[255] == 1 && kQrField.log[kQrField.exp[254]] == 254);
static_assert(kDataMatrixField.exp[255] == 1 && kDataMatrixField.log[0x2D] == 8);

constexpr std::uint8_t Multiply(const BinaryField& f, std::uint8_t a, std::uint8_t b) {
    if (a == 0 || b == 0) return 0;
    return f.exp[static_cast<std::size_t>(f.log[a]) + f.log[b]];
}

// 2^n in the field, for any n >= 0.
constexpr std::uint8_t Power(const BinaryField& f, int n) {
    return f.exp[static_cast<std::size_t>(n % 255)];
}

// GF(929): PDF417's codeword values 0 to 928, with 3 as the generator of its error correction.
inline constexpr unsigned kPdf417Prime = 929;

constexpr std::uint16_t Multiply929(unsigned a, unsigned b) {
    return static_cast<std::uint16_t>(a * b % kPdf417Prime);
}

}  // namespace orbx
