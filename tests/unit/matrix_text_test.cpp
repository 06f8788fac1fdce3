#include "encoders/matrix/matrix_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orbx {
namespace {

struct Row {
    std::vector<std::string> grid;  // '#' dark, '.' light, top row first
    int row_height;
    std::string text;
};

std::unique_ptr<ModuleMatrix> matrix_of(const Row& row) {
    auto m = std::make_unique<ModuleMatrix>();
    const int height = static_cast<int>(row.grid.size());
    const int width = static_cast<int>(row.grid[0].size());
    EXPECT_TRUE(ResetMatrix(*m, width, height));
    m->row_height = row.row_height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetModule(*m, x, y,
                      row.grid[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#');
    return m;
}

TEST(MatrixText, Blocks) {
    const Row rows[] = {
        {{"..", "..", ".."}, 1, "0"},                 // 0: all light
        {{"##", "##", "##"}, 1, "o"},                 // 1: all dark, 63
        {{"#.", "..", ".."}, 1, "1"},                 // 2: top left is 1
        {{".#", "..", ".."}, 1, "2"},                 // 3: top right is 2
        {{"..", "..", ".#"}, 1, "P"},                 // 4: bottom right is 32
        {{"#"}, 1, "1"},                              // 5: one module, the rest light
        {{"#.#", ".#.", "#.#", "###"}, 1, "IA\r31"},  // 6: 25 and 17, then 3 and 1
        {{"#.", ".#"}, 3, "E\rZ"},  // 7: rows 3 tall: 1+4+16 = 21, then 2+8+32 = 42
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const auto m = matrix_of(rows[i]);
        char out[64];
        const int n = MatrixText(*m, out, sizeof out);
        ASSERT_GE(n, 0);
        EXPECT_EQ(std::string(out, static_cast<std::size_t>(n)), rows[i].text);
        EXPECT_EQ(n, MatrixTextLength(m->width, m->height, m->row_height));
    }
}

TEST(MatrixText, RefusesWhatDoesNotFit) {
    const auto m = matrix_of({{"#.#", ".#.", "#.#", "###"}, 1, ""});
    char out[8] = {};
    EXPECT_EQ(MatrixText(*m, out, 4), -1);
    EXPECT_EQ(MatrixText(*m, out, 5), 5);
    ModuleMatrix empty;
    EXPECT_EQ(MatrixText(empty, out, 8), -1);
    // The largest grids: QR Code version 40 and PDF417 at 90 rows of 30 columns.
    EXPECT_EQ(MatrixTextLength(177, 177, 1), 59 * 89 + 58);
    EXPECT_EQ(MatrixTextLength(579, 90, 3), 90 * 290 + 89);
}

}  // namespace
}  // namespace orbx
