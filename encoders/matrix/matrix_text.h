// A module grid as text for the Orbelantrix 2D font. Each character draws a block of 2 modules
// across and 3 down; a line of characters draws 3 module rows, and the lines are separated by a
// carriage return (the host's paragraph break). Set in the font with single line spacing (its
// line height is exactly one block), the lines meet and draw the grid without gaps.
#pragma once

#include "encoders/matrix/module_matrix.h"

namespace orbx {

inline constexpr int kBlockColumns = 2;
inline constexpr int kBlockRows = 3;
// The 64 blocks are the characters '0' (all light) to 'o' (all dark): the block's value is
// the sum of 2^(2 * row + column) over its dark modules, row 0 at the top, column 0 at the left.
inline constexpr char kFirstBlock = '0';
inline constexpr int kBlockCount = 1 << (kBlockColumns * kBlockRows);

// The characters of the block whose value is `value`.
constexpr char BlockCharacter(int value) {
    return static_cast<char>(kFirstBlock + value);
}

// The text that draws `m` (each row drawn `m.row_height` modules tall; modules below the last
// row, where the height is not a whole number of blocks, are light). Writes at most `capacity`
// bytes and returns their count, or -1 (and nothing of use) when the text does not fit or the
// grid is empty.
int MatrixText(const ModuleMatrix& m, char* out, int capacity);

// The bytes MatrixText writes for a grid of `width` x `height` modules drawn `row_height` tall.
constexpr int MatrixTextLength(int width, int height, int row_height) {
    const int lines = (height * row_height + kBlockRows - 1) / kBlockRows;
    return lines * ((width + kBlockColumns - 1) / kBlockColumns) + (lines - 1);
}

}  // namespace orbx
