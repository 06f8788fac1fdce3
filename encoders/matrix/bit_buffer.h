// A fixed buffer that bits are appended to, most significant bit first, as QR Code's and Data
// Matrix's data streams are written. Appending past the end sets `overflow` and writes nothing,
// so that data too long for the largest symbol is refused, never written past the buffer.
#pragma once

#include <array>
#include <cstdint>

namespace orbx {

// QR Code version 40 at level L holds 2956 data codewords, the most of any of the symbols.
inline constexpr int kBitBufferBytes = 3072;

struct BitBuffer {
    std::array<std::uint8_t, kBitBufferBytes> bytes{};
    int bits = 0;
    bool overflow = false;
};

inline void ClearBits(BitBuffer& b) {
    for (int i = 0; i < (b.bits + 7) / 8; ++i)
        b.bytes[static_cast<std::size_t>(i)] = 0;
    b.bits = 0;
    b.overflow = false;
}

// Appends the low `count` bits of `value` (count 0 to 32), highest first.
inline void AppendBits(BitBuffer& b, std::uint32_t value, int count) {
    if (b.overflow || count > kBitBufferBytes * 8 - b.bits) {
        b.overflow = true;
        return;
    }
    for (int i = count - 1; i >= 0; --i) {
        if ((value >> i) & 1u) {
            b.bytes[static_cast<std::size_t>(b.bits / 8)] |=
                static_cast<std::uint8_t>(0x80u >> (b.bits % 8));
        }
        ++b.bits;
    }
}

// Bit `at` of the stream, counted from the first appended.
inline bool BitAt(const BitBuffer& b, int at) {
    return (b.bytes[static_cast<std::size_t>(at / 8)] >> (7 - at % 8)) & 1u;
}

}  // namespace orbx
