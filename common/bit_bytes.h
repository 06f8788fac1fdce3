// Eight bits of a mask as eight bytes of a word, for building eight font characters at once by
// byte-wise arithmetic (DataBar module columns, Intelligent Mail bars).
#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace orbx {

namespace detail {

constexpr std::array<std::uint64_t, 256> make_bit_bytes() {
    std::array<std::uint64_t, 256> bytes{};
    for (unsigned v = 0; v < 256; ++v) {
        for (unsigned k = 0; k < 8; ++k) {
            // Byte k in memory order.
            const unsigned byte = std::endian::native == std::endian::little ? k : 7 - k;
            bytes[v] |= static_cast<std::uint64_t>((v >> k) & 1U) << (8 * byte);
        }
    }
    return bytes;
}

inline constexpr auto kBitBytes = make_bit_bytes();

}  // namespace detail

// A byte with every byte 1.
inline constexpr std::uint64_t kByteOnes = 0x0101010101010101ULL;

// Bits `first` to `first` + 7 of `bits` as a word whose byte k in memory is 1 where bit
// `first` + k is set, 0 elsewhere.
constexpr std::uint64_t BitBytes(std::uint64_t bits, unsigned first) {
    return detail::kBitBytes[(bits >> first) & 0xFFU];
}

}  // namespace orbx
