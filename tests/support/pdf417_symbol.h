// A PDF417 symbol read back to its codewords through the codeword table: what the tests check
// the structure of the symbol with (start and stop patterns, row indicators, length descriptor,
// error correction) apart from any reader.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "encoders/matrix/module_matrix.h"
#include "encoders/matrix/pdf417_patterns.h"

namespace orbx::test {

// The matrix's rows as "1" (dark) and "0" (light) modules.
inline std::vector<std::string> matrix_rows(const ModuleMatrix& m) {
    std::vector<std::string> rows;
    for (int y = 0; y < m.height; ++y) {
        std::string row;
        for (int x = 0; x < m.width; ++x)
            row += IsDark(m, x, y) ? '1' : '0';
        rows.push_back(row);
    }
    return rows;
}

// Each row's 17-module patterns between the start and stop patterns as codeword values (-1 where
// a pattern is not in the row's cluster), row indicators included; empty rows where the symbol is
// not 17 c + 69 modules wide or a start or stop pattern is wrong.
inline std::vector<std::vector<int>> read_codewords(const std::vector<std::string>& rows) {
    // The inverse of the codeword table: cluster, then 16 modules after the first bar.
    static const auto inverse = [] {
        std::vector<std::array<int, 1 << 16>> t(3);
        for (std::size_t c = 0; c < 3; ++c) {
            t[c].fill(-1);
            for (int v = 0; v < kPdf417Values; ++v)
                t[c][Pdf417Modules(kPdf417Widths[c][static_cast<std::size_t>(v)]) & 0xFFFF] = v;
        }
        return t;
    }();
    std::vector<std::vector<int>> out;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const std::string& row = rows[y];
        if (row.size() < 86 || (row.size() - 69) % 17 != 0 ||
            row.compare(0, 17, "11111111010101000") != 0 ||
            row.compare(row.size() - 18, 18, "111111101000101001") != 0) {
            return {};
        }
        std::vector<int> values;
        for (std::size_t x = 17; x + 18 < row.size(); x += 17) {
            const unsigned p = static_cast<unsigned>(std::stoul(row.substr(x, 17), nullptr, 2));
            values.push_back(p >> 16 == 1 ? inverse[y % 3][p & 0xFFFF] : -1);
        }
        out.push_back(values);
    }
    return out;
}

}  // namespace orbx::test
