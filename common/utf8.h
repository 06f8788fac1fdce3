// UTF-16 text as UTF-8 (RFC 3629): a surrogate pair becomes its code point, a lone surrogate
// U+FFFD (it has no UTF-8 form). Used for the 2D symbols' data and by the host's own side.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orbx {

// At most 3 bytes a unit: the 4 bytes of a pair's code point stand for its two units.
inline constexpr std::size_t kUtf8BytesPerUnit = 3;

// One code point as UTF-8 at `out`, which has room for 4 bytes; returns the bytes written.
inline std::size_t PutUtf8(std::uint32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

// The `count` units at `units` as UTF-8 at `out`, which has room for kUtf8BytesPerUnit * count
// bytes; returns the bytes written.
template <typename Unit>
std::size_t Utf16ToUtf8(const Unit* units, std::size_t count, char* out) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        at += PutUtf8(c, out + at);
    }
    return at;
}

}  // namespace orbx
