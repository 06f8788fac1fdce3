#include "encoders/matrix/bit_buffer.h"
#include "encoders/matrix/module_matrix.h"
#include "encoders/matrix/reed_solomon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace orbx {
namespace {

// The value at x of a codeword polynomial, highest power first, in GF(2^8).
std::uint8_t evaluate(const BinaryField& f, const std::vector<std::uint8_t>& c, std::uint8_t x) {
    std::uint8_t y = 0;
    for (std::uint8_t v : c)
        y = static_cast<std::uint8_t>(Multiply(f, y, x) ^ v);
    return y;
}

unsigned evaluate929(const std::vector<std::uint16_t>& c, unsigned x) {
    unsigned y = 0;
    for (std::uint16_t v : c)
        y = (y * x + v) % kPdf417Prime;
    return y;
}

struct BinaryRow {
    const BinaryField* field;
    int first;  // the generator's first root, 2^first
    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> ecc;
};

std::vector<std::uint8_t> binary_ecc(const BinaryRow& row) {
    const int k = static_cast<int>(row.ecc.size());
    std::vector<std::uint8_t> g(static_cast<std::size_t>(k)), ecc(static_cast<std::size_t>(k));
    BinaryGenerator(*row.field, k, row.first, g.data());
    BinaryRemainder(*row.field, row.data.data(), static_cast<int>(row.data.size()), g.data(), k,
                    ecc.data());
    return ecc;
}

TEST(ReedSolomon, WorkedExamples) {
    const BinaryRow rows[] = {
        // 0: ISO/IEC 18004 Annex I, "01234567" as version 1-M: 16 data and 10 EC codewords
        {&kQrField,
         0,
         {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC,
          0x11},
         {0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55}},
        // 1: ISO/IEC 16022's example, "123456" in a 10 x 10 symbol: 3 data and 5 EC codewords
        {&kDataMatrixField, 1, {142, 164, 186}, {114, 25, 5, 88, 102}},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(binary_ecc(rows[i]), rows[i].ecc);
    }
}

// Whatever the data, the codeword (data then ECC) has the generator's roots as its zeros.
TEST(ReedSolomon, CodewordsHaveTheGeneratorsRoots) {
    std::uint32_t seed = 12345;
    for (int trial = 0; trial < 200; ++trial) {
        SCOPED_TRACE(trial);
        seed = seed * 1103515245u + 12345u;
        const int k = 1 + static_cast<int>(seed >> 8) % 68;
        const int length = 1 + static_cast<int>(seed >> 16) % 200;
        const bool qr = trial % 2 == 0;
        BinaryRow row{qr ? &kQrField : &kDataMatrixField,
                      qr ? 0 : 1,
                      {},
                      std::vector<std::uint8_t>(static_cast<std::size_t>(k))};
        for (int i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            row.data.push_back(static_cast<std::uint8_t>(seed >> 16));
        }
        std::vector<std::uint8_t> codeword = row.data;
        for (std::uint8_t e : binary_ecc(row))
            codeword.push_back(e);
        for (int r = 0; r < k; ++r)
            EXPECT_EQ(evaluate(*row.field, codeword, Power(*row.field, row.first + r)), 0) << r;
    }
}

TEST(ReedSolomon, Pdf417CodewordsHaveTheRootsThreeToThreeToTheK) {
    // 0: ISO/IEC 15438's example symbol data at error correction level 1
    const std::vector<std::uint16_t> example = {5, 453, 178, 121, 239};
    std::uint16_t g[kLargestEccBlock];
    std::uint16_t ecc[kLargestEccBlock];
    Pdf417Generator(4, g);
    Pdf417Remainder(example.data(), 5, g, 4, ecc);
    EXPECT_EQ(std::vector<std::uint16_t>(ecc, ecc + 4),
              (std::vector<std::uint16_t>{452, 327, 657, 619}));

    std::uint32_t seed = 99;
    for (int level = 0; level <= 8; ++level) {
        SCOPED_TRACE(level);
        const int k = 2 << level;
        std::vector<std::uint16_t> codeword;
        for (int i = 0; i < 900 - k && i < 300; ++i) {
            seed = seed * 1103515245u + 12345u;
            codeword.push_back(static_cast<std::uint16_t>((seed >> 16) % 900));
        }
        Pdf417Generator(k, g);
        Pdf417Remainder(codeword.data(), static_cast<int>(codeword.size()), g, k, ecc);
        codeword.insert(codeword.end(), ecc, ecc + k);
        unsigned root = 1;
        for (int r = 1; r <= k; ++r) {
            root = root * 3 % kPdf417Prime;
            ASSERT_EQ(evaluate929(codeword, root), 0u) << r;
        }
    }
}

TEST(MatrixPieces, BoundedWrites) {
    BitBuffer b;
    AppendBits(b, 0b1011, 4);
    AppendBits(b, 0xFF, 8);
    EXPECT_EQ(b.bits, 12);
    EXPECT_EQ(b.bytes[0], 0xBF);
    EXPECT_EQ(b.bytes[1], 0xF0);
    for (int i = 0; i < kBitBufferBytes; ++i)
        AppendBits(b, 0xAA, 8);
    EXPECT_TRUE(b.overflow);
    EXPECT_LE(b.bits, kBitBufferBytes * 8);

    auto m = std::make_unique<ModuleMatrix>();
    EXPECT_TRUE(ResetMatrix(*m, 177, 177));
    EXPECT_FALSE(ResetMatrix(*m, 300, 300));
    EXPECT_EQ(m->width, 0);
    ASSERT_TRUE(ResetMatrix(*m, 583, 90));
    SetModule(*m, 582, 89, true);
    SetModule(*m, 583, 0, true);  // outside: not written
    EXPECT_TRUE(IsDark(*m, 582, 89));
    EXPECT_FALSE(IsDark(*m, 0, 1));
    EXPECT_FALSE(IsDark(*m, -1, 0));
}

}  // namespace
}  // namespace orbx
