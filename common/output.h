// Handing an encoder's result to the caller's buffer.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

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

}  // namespace orbx
