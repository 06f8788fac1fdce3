// The 2D font, which draws the text of QR Code, Data Matrix and PDF417: every character a block
// of 2 modules across and 3 down, a line of characters three module rows, the lines separated by
// carriage returns. The blocks are the ones encoders/matrix/matrix_text.h writes.
#include "encoders/matrix/matrix_text.h"
#include "render/fonts.h"

namespace orbx::render::detail {

bool MatrixBlocks(std::string_view text, Symbol& s, std::string* error) {
    std::size_t start = 0;
    std::size_t rows = 0;
    while (start <= text.size()) {
        const std::string_view line = NextLine(text, start);
        const auto offset = static_cast<std::size_t>(line.data() - text.data());
        // The three rows first: adding one may move the others.
        for (int r = 0; r < kBlockRows; ++r)
            RowAt(s, rows + static_cast<std::size_t>(r), 1);
        for (std::size_t i = 0; i < line.size(); ++i) {
            const int value = static_cast<unsigned char>(line[i]) - kFirstBlock;
            if (value < 0 || value >= kBlockCount) return Fail(error, "2D", text, offset + i);
            for (int r = 0; r < kBlockRows; ++r) {
                Row& row = s.rows[rows + static_cast<std::size_t>(r)];
                for (int c = 0; c < kBlockColumns; ++c)
                    row.modules.push_back((value >> (kBlockColumns * r + c)) & 1);
            }
        }
        rows += kBlockRows;
    }
    KeepRows(s, rows);
    return true;
}

}  // namespace orbx::render::detail
