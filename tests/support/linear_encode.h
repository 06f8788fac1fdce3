// Runs an encoder the way the adapters do: on a zero-filled buffer of exactly `capacity` bytes.
// `encoder` is an encoder of the (data, out, capacity) shape, or a callable that calls one with
// its options.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "support/table.h"

namespace orbx::test {

using TextEncoder = int (*)(char* data, char* out, long capacity);

// An encoder with its options bound, for tables whose rows call different encoders.
using BoundEncoder = std::function<int(char* data, char* out, long capacity)>;

struct Encoded {
    int status;
    std::string text;  // the buffer up to its first zero byte
    bool untouched;    // the buffer is still all zeros
    std::string data;  // the data string as the encoder left it
};

template <typename Encoder = TextEncoder>
Encoded run_encoder(Encoder&& encoder, const std::string& data, long capacity = 2048) {
    std::vector<char> out(static_cast<std::size_t>(capacity), '\0');
    std::string in = data;
    const int status = encoder(in.data(), out.data(), capacity);
    const bool untouched = std::all_of(out.begin(), out.end(), [](char c) { return c == '\0'; });
    const auto end = std::find(out.begin(), out.end(), '\0');
    return {status, std::string(out.begin(), end), untouched, in};
}

// Runs each row of a table through `encode(row)`, which gives a result with a status and a
// text: every row must give status 0 and exactly its `expected` text.
template <typename Rows, typename Encode>
void expect_rows(const Rows& rows, Encode&& encode) {
    std::size_t i = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(i++);
        const auto r = encode(row);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.text, row.expected);
    }
}

// The same for rows whose `data` goes to one encoder as it stands.
template <typename Rows, typename Encoder = TextEncoder>
void expect_encoder_rows(Encoder&& encoder, const Rows& rows, long capacity = 2048) {
    expect_rows(rows, [&](const auto& row) { return run_encoder(encoder, row.data, capacity); });
}

// Data the encoder must refuse with status 1, leaving the buffer untouched.
template <typename Encoder = TextEncoder>
void expect_refused(Encoder&& encoder, const std::string& data, long capacity = 2048) {
    const Encoded r = run_encoder(encoder, data, capacity);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.untouched);
}

// Empty data is refused with the buffer untouched, and a null data pointer is refused.
inline void expect_empty_and_null_refused(TextEncoder encoder, long capacity = 2048) {
    expect_refused(encoder, "", capacity);
    char out[8] = {};
    EXPECT_EQ(encoder(nullptr, out, sizeof out), 1);
    EXPECT_EQ(out[0], '\0');
}

}  // namespace orbx::test
