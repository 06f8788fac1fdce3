#include "encoders/matrix/matrix_text.h"

namespace orbx {

int MatrixText(const ModuleMatrix& m, char* out, int capacity) {
    if (m.width <= 0 || m.height <= 0 || m.row_height <= 0) return -1;
    const int length = MatrixTextLength(m.width, m.height, m.row_height);
    if (length > capacity) return -1;
    const int drawn_rows = m.height * m.row_height;
    const int lines = (drawn_rows + kBlockRows - 1) / kBlockRows;
    int at = 0;
    for (int line = 0; line < lines; ++line) {
        if (line > 0) out[at++] = '\r';
        for (int x = 0; x < m.width; x += kBlockColumns) {
            int value = 0;
            for (int r = 0; r < kBlockRows; ++r) {
                const int drawn = line * kBlockRows + r;
                if (drawn >= drawn_rows) break;
                const int y = drawn / m.row_height;
                for (int c = 0; c < kBlockColumns; ++c) {
                    if (IsDark(m, x + c, y)) value |= 1 << (kBlockColumns * r + c);
                }
            }
            out[at++] = BlockCharacter(value);
        }
    }
    return at;
}

}  // namespace orbx
