// Runs an encoder the way the adapters do: on a zero-filled buffer of exactly `capacity` bytes.
// `encoder` is an encoder of the (data, out, capacity) shape, or a callable that calls one with
// its options.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace orbx::test {

using TextEncoder = int (*)(char* data, char* out, long capacity);

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

}  // namespace orbx::test
