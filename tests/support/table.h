// Running the test tables: each row through the code under test, its index in the trace.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace orbx::test {

// A row of data and the text it must give.
struct TextRow {
    std::string data;
    std::string expected;
};

// A row of data, the tilde option it is encoded with, and the text it must give.
struct TildeRow {
    std::string data;
    long tilde;
    std::string expected;
};

// Each row's `compute(row)` must equal the row's `expected`.
template <typename Rows, typename Compute>
void expect_each(const Rows& rows, Compute&& compute) {
    std::size_t i = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(i++);
        EXPECT_EQ(compute(row), row.expected);
    }
}

}  // namespace orbx::test
