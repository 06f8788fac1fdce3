#include "encoders/matrix/matrix_text.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace orbx {

namespace {

// The 64 modules of row y from column x (x a multiple of 64) as the bits of one word, module x
// the lowest, light past the row's end: a row need not start on a word of the matrix.
std::uint64_t row_word(const ModuleMatrix& m, int y, int x) {
    const auto at = static_cast<std::size_t>(y) * static_cast<std::size_t>(m.width) +
                    static_cast<std::size_t>(x);
    const std::size_t word = at / 64;
    const unsigned bit = at % 64;
    std::uint64_t v = m.bits[word] >> bit;
    if (bit != 0 && word + 1 < m.bits.size()) v |= m.bits[word + 1] << (64 - bit);
    const int left = m.width - x;
    return left < 64 ? v & ((std::uint64_t{1} << left) - 1) : v;
}

// Each 2-bit pair of a byte moved into a byte of its own: 4 modules of a row to the bits of
// row r of 4 blocks, once shifted left by 2 r.
constexpr std::array<std::uint32_t, 256> make_spread() {
    std::array<std::uint32_t, 256> t{};
    for (unsigned b = 0; b < 256; ++b)
        for (unsigned k = 0; k < 4; ++k)
            t[b] |= ((b >> (2 * k)) & 3u) << (8 * k);
    return t;
}
constexpr std::array<std::uint32_t, 256> kSpread = make_spread();
static_assert(kSpread[0xFF] == 0x03030303 && kSpread[0x1B] == 0x00010203);

constexpr std::uint32_t kFirstFour = 0x01010101u * static_cast<unsigned char>(kFirstBlock);

// Four blocks' characters, first in the lowest byte, from the next 8 modules of each of the
// three rows; `same` when the three are one row drawn 3 modules tall (PDF417).
std::uint32_t four_blocks(const std::uint64_t* w, bool same) {
    // A block of one row three times over has that row's pair in all three places: x 21.
    if (same) return kSpread[w[0] & 0xFF] * 0x15u + kFirstFour;
    return (kSpread[w[0] & 0xFF] | kSpread[w[1] & 0xFF] << 2 | kSpread[w[2] & 0xFF] << 4) +
           kFirstFour;
}

// The four characters at `out`, in the order of their columns, whatever the byte order.
void put_four(std::uint32_t four, char* out) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &four, 4);
    } else {
        for (int k = 0; k < 4; ++k)
            out[k] = static_cast<char>(four >> (8 * k));
    }
}

}  // namespace

int MatrixText(const ModuleMatrix& m, char* out, int capacity) {
    if (m.width <= 0 || m.height <= 0 || m.row_height <= 0) return -1;
    const int length = MatrixTextLength(m.width, m.height, m.row_height);
    if (length > capacity) return -1;
    static_assert(kBlockColumns == 2 && kBlockRows == 3, "blocks of 2 x 3 modules");
    const int drawn_rows = m.height * m.row_height;
    const int lines = (drawn_rows + kBlockRows - 1) / kBlockRows;
    int at = 0;
    for (int line = 0; line < lines; ++line) {
        if (line > 0) out[at++] = '\r';
        // The matrix row each of the line's three drawn rows shows, or -1 below the grid.
        int rows[kBlockRows];
        for (int r = 0; r < kBlockRows; ++r) {
            const int drawn = line * kBlockRows + r;
            rows[r] = drawn < drawn_rows ? drawn / m.row_height : -1;
        }
        const bool same = rows[0] == rows[1] && rows[1] == rows[2];
        // 64 modules of each row at a time, 32 blocks.
        for (int x0 = 0; x0 < m.width; x0 += 64) {
            std::uint64_t w[kBlockRows];
            for (int r = 0; r < kBlockRows; ++r)
                w[r] = rows[r] >= 0 ? row_word(m, rows[r], x0) : 0;
            const int end = m.width - x0 < 64 ? m.width : x0 + 64;
            int x = x0;
            for (; x + 8 <= end; x += 8) {
                put_four(four_blocks(w, same), out + at);
                at += 4;
                w[0] >>= 8;
                w[1] >>= 8;
                w[2] >>= 8;
            }
            for (; x < end; x += kBlockColumns) {
                const unsigned value =
                    static_cast<unsigned>((w[0] & 3) | (w[1] & 3) << 2 | (w[2] & 3) << 4);
                w[0] >>= 2;
                w[1] >>= 2;
                w[2] >>= 2;
                out[at++] = BlockCharacter(static_cast<int>(value));
            }
        }
    }
    return at;
}

}  // namespace orbx
