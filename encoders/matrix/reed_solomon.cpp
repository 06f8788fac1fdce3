#include "encoders/matrix/reed_solomon.h"

namespace orbx {

// Multiplies the monic polynomial by (x - root) once per root; in GF(2^8) minus is plus.
void BinaryGenerator(const BinaryField& field, int k, int first, std::uint8_t* generator) {
    // g[0] is the leading 1's neighbour; g[i] the coefficient of x^(k-1-i) once all k roots are in.
    for (int i = 0; i < k; ++i)
        generator[i] = 0;
    for (int n = 0; n < k; ++n) {
        const std::uint8_t root = Power(field, first + n);
        // The polynomial so far has degree n: 1, g[0] .. g[n-1].
        for (int i = n; i > 0; --i) {
            generator[i] =
                static_cast<std::uint8_t>(generator[i] ^ Multiply(field, generator[i - 1], root));
        }
        generator[0] = static_cast<std::uint8_t>(generator[0] ^ root);
    }
}

// Polynomial long division, one data codeword at a time (a linear feedback shift register),
// multiplying through logarithms: the generator's once, each step's factor once. The register
// is local, so that the compiler knows the field's tables are not written through it.
void BinaryRemainder(const BinaryField& field, const std::uint8_t* data, int length,
                     const std::uint8_t* generator, int k, std::uint8_t* ecc) {
    std::uint8_t log_g[256];
    std::uint8_t reg[256];
    bool zero = false;
    for (int i = 0; i < k; ++i) {
        reg[i] = 0;
        zero = zero || generator[i] == 0;
        log_g[i] = field.log[generator[i]];
    }
    for (int d = 0; d < length; ++d) {
        const std::uint8_t factor = static_cast<std::uint8_t>(data[d] ^ reg[0]);
        if (factor == 0 || zero) {
            for (int i = 0; i + 1 < k; ++i)
                reg[i] =
                    static_cast<std::uint8_t>(reg[i + 1] ^ Multiply(field, factor, generator[i]));
            reg[k - 1] = Multiply(field, factor, generator[k - 1]);
            continue;
        }
        const std::uint8_t* exp = &field.exp[field.log[factor]];
        for (int i = 0; i + 1 < k; ++i)
            reg[i] = static_cast<std::uint8_t>(reg[i + 1] ^ exp[log_g[i]]);
        reg[k - 1] = exp[log_g[k - 1]];
    }
    for (int i = 0; i < k; ++i)
        ecc[i] = reg[i];
}

void Pdf417Generator(int k, std::uint16_t* generator) {
    for (int i = 0; i < k; ++i)
        generator[i] = 0;
    unsigned root = 1;
    for (int n = 0; n < k; ++n) {
        root = root * 3 % kPdf417Prime;
        const unsigned minus_root = kPdf417Prime - root;
        for (int i = n; i > 0; --i) {
            generator[i] = static_cast<std::uint16_t>(
                (generator[i] + Multiply929(generator[i - 1], minus_root)) % kPdf417Prime);
        }
        generator[0] = static_cast<std::uint16_t>((generator[0] + minus_root) % kPdf417Prime);
    }
}

void Pdf417Remainder(const std::uint16_t* data, int length, const std::uint16_t* generator, int k,
                     std::uint16_t* ecc) {
    // The register's cells are reduced only where a codeword is taken from them: subtracting a
    // product from this multiple of 929 keeps every step positive, and a cell takes at most k
    // steps (512 x 929^2 < 2^32) before it leaves the register.
    constexpr unsigned kBias = kPdf417Prime * kPdf417Prime;
    static_assert(std::uint64_t{kLargestEccBlock} * kBias <= 0xFFFFFFFFu);
    unsigned cells[kLargestEccBlock];
    for (int i = 0; i < k; ++i)
        cells[i] = 0;
    for (int d = 0; d < length; ++d) {
        const unsigned factor = (data[d] + cells[0]) % kPdf417Prime;
        for (int i = 0; i + 1 < k; ++i)
            cells[i] = cells[i + 1] + kBias - factor * generator[i];
        cells[k - 1] = kBias - factor * generator[k - 1];
    }
    for (int i = 0; i < k; ++i)
        ecc[i] =
            static_cast<std::uint16_t>((kPdf417Prime - cells[i] % kPdf417Prime) % kPdf417Prime);
}

}  // namespace orbx
