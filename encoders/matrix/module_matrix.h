// The modules of a two-dimensional symbol: a grid of dark and light squares, row by row, without
// its quiet zone. QR Code, Data Matrix and PDF417 all write into it, and the font text and the
// pictures are both read from it. Fixed in size, so that no encoder allocates for its symbol.
#pragma once

#include <array>
#include <cstdint>

namespace orbx {

// Large enough for the largest symbol of each kind: QR Code version 40 (177 x 177), Data Matrix
// 144 x 144, and PDF417 at 90 rows of 30 data columns (579 modules across, one row each).
inline constexpr int kMatrixCapacity = 1 << 16;

struct ModuleMatrix {
    int width = 0;
    int height = 0;
    // How many modules tall each row is drawn: 1, but for PDF417, whose rows are stored once
    // and drawn 3 modules tall (a row height of 3 X).
    int row_height = 1;
    // Bit y * width + x is the module in column x of row y, 1 for dark.
    std::array<std::uint64_t, kMatrixCapacity / 64> bits{};
};

// Clears the matrix to `width` x `height` light modules; false (and an empty matrix) when that
// is more than the capacity or not a size at all.
inline bool ResetMatrix(ModuleMatrix& m, int width, int height) {
    m.width = 0;
    m.height = 0;
    m.row_height = 1;
    if (width <= 0 || height <= 0 || width > kMatrixCapacity / height) return false;
    const int words = (width * height + 63) / 64;
    for (int i = 0; i < words; ++i)
        m.bits[static_cast<std::size_t>(i)] = 0;
    m.width = width;
    m.height = height;
    return true;
}

inline bool InMatrix(const ModuleMatrix& m, int x, int y) {
    return x >= 0 && y >= 0 && x < m.width && y < m.height;
}

// Outside the matrix every module reads as light.
inline bool IsDark(const ModuleMatrix& m, int x, int y) {
    if (!InMatrix(m, x, y)) return false;
    const auto at = static_cast<std::size_t>(y * m.width + x);
    return (m.bits[at / 64] >> (at % 64)) & 1u;
}

// A module outside the matrix is not written.
inline void SetModule(ModuleMatrix& m, int x, int y, bool dark) {
    if (!InMatrix(m, x, y)) return;
    const auto at = static_cast<std::size_t>(y * m.width + x);
    const std::uint64_t bit = std::uint64_t{1} << (at % 64);
    if (dark) {
        m.bits[at / 64] |= bit;
    } else {
        m.bits[at / 64] &= ~bit;
    }
}

}  // namespace orbx
