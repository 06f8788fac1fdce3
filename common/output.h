// Handing an encoder's result to the caller's buffer.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "common/status.h"

namespace orbx {

// Copies `text` into the caller's zero-filled buffer `out` of `capacity` bytes, keeping at least
// one zero byte after it so the result stays terminated. A result that does not fit is not cut
// (a cut symbol would scan as different data or not at all): nothing is written and false is
// returned.
inline bool CopyResult(char* out, long capacity, std::string_view text) {
    if (out == nullptr || capacity <= 0 || text.size() >= static_cast<std::size_t>(capacity)) {
        return false;
    }
    std::memcpy(out, text.data(), text.size());
    out[text.size()] = '\0';
    return true;
}

// Hands `text` over as CopyResult does and gives the encoder's status for it: kStatusOk when it
// fit, kStatusRefused when it did not and nothing was written.
inline int HandOver(char* out, long capacity, std::string_view text) {
    return CopyResult(out, capacity, text) ? kStatusOk : kStatusRefused;
}

// The same for the text built from `begin` up to `end`.
inline int HandOver(char* out, long capacity, const char* begin, const char* end) {
    return HandOver(out, capacity, std::string_view(begin, static_cast<std::size_t>(end - begin)));
}

// At least `size` bytes to build a result in, from `buffer`, which only ever grows. An encoder
// keeps its buffer per thread (a function-local thread_local), so once a thread has built a
// result this long, building one allocates nothing, and the characters are written straight
// into place rather than appended one by one.
inline char* WorkArea(std::string& buffer, std::size_t size) {
    if (buffer.size() < size) buffer.resize(size);
    return buffer.data();
}

}  // namespace orbx
