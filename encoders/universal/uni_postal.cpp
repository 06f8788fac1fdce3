#include "encoders/universal/uni_postal.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "common/output.h"
#include "encoders/universal/universal_font.h"

namespace orbx {

namespace {

// USPS Postnet bar heights by digit ("1" tall, "0" short): two tall bars of five.
// Planet draws the same digits with every height inverted.
constexpr std::array<std::string_view, 10> kPostnetHeights = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100",
};

constexpr bool two_tall_each() {
    for (std::string_view h : kPostnetHeights) {
        if (h.size() != 5 ||
            (h[0] - '0') + (h[1] - '0') + (h[2] - '0') + (h[3] - '0') + (h[4] - '0') != 2) {
            return false;
        }
    }
    return true;
}
static_assert(two_tall_each());

// Bars 1 and 2, bars 3 and 4, then bar 5 alone; a fourth byte so that a digit is one 4-byte
// store (the next digit or the frame overwrites it).
using DigitLetters = std::array<char, 4>;

constexpr char kFrameBar = PostalSingleLetter(true);

constexpr std::array<DigitLetters, 10> postal_letters(bool inverted) {
    std::array<DigitLetters, 10> table{};
    for (std::size_t d = 0; d < 10; ++d) {
        const auto tall = [&](std::size_t k) { return (kPostnetHeights[d][k] == '1') != inverted; };
        table[d] = {PostalPairLetter(tall(0), tall(1)), PostalPairLetter(tall(2), tall(3)),
                    PostalSingleLetter(tall(4)), kFrameBar};
    }
    return table;
}

constexpr std::array<DigitLetters, 10> kPostnetLetters = postal_letters(false);
constexpr std::array<DigitLetters, 10> kPlanetLetters = postal_letters(true);
static_assert(kPostnetLetters[0] == DigitLetters{'m', 'j', 'o', kFrameBar});
static_assert(kPostnetLetters[5] == DigitLetters{'k', 'k', 'o', kFrameBar});
static_assert(kPlanetLetters[0] == DigitLetters{'j', 'm', 'n', kFrameBar});
static_assert(kPlanetLetters[9] == DigitLetters{'k', 'k', 'n', kFrameBar});

// The longest symbol: frame, three letters for each of 512 digits and the check digit, frame.
constexpr std::size_t kLongest = 3 * (kUniMaxData + 1) + 2;

// Writes the symbol from `result` (room for kLongest characters); returns its end, or nullptr,
// with nothing written, for Planet without a digit. Reads the data up to its first 512
// characters.
template <bool Planet>
char* write_symbol(const char* data, long check, char* result) {
    const std::array<DigitLetters, 10>& letters = Planet ? kPlanetLetters : kPostnetLetters;
    char* p = result + 1;
    unsigned sum = 0;
    // The end of the data is looked for only among the characters that are not digits.
    const char* const last = data + kUniMaxData;
    for (const char* c = data; c != last; ++c) {
        const unsigned digit = static_cast<unsigned char>(*c) - static_cast<unsigned>('0');
        if (digit <= 9) {
            std::memcpy(p, letters[digit].data(), sizeof(DigitLetters));
            p += 3;
            sum += digit;
        } else if (*c == '\0') {
            break;
        }
    }
    // Planet has nothing to show without a digit; Postnet still draws its frame.
    if (Planet && p == result + 1) return nullptr;
    if (check != 0) {
        const unsigned rest = sum % 10;
        std::memcpy(p, letters[rest == 0 ? 0 : 10 - rest].data(), sizeof(DigitLetters));
        p += 3;
    }
    result[0] = kFrameBar;
    *p++ = kFrameBar;
    return p;
}

// A buffer too small for every symbol: built per thread, kept from call to call, and handed
// over if it fits. Kept out of line, apart from the common case, which then needs fewer
// registers.
template <bool Planet>
[[gnu::noinline]] int encode_elsewhere(const char* data, long check, char* out, long capacity) {
    thread_local std::string work;
    char* const result = WorkArea(work, kLongest);
    const char* end = write_symbol<Planet>(data, check, result);
    if (end == nullptr) return kStatusEmptyData;
    return HandOver(out, capacity, result, end);
}

template <bool Planet>
int encode(const char* data, long check, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    // Any symbol fits, with its terminating zero: written in place.
    if (out == nullptr || capacity <= static_cast<long>(kLongest)) {
        return encode_elsewhere<Planet>(data, check, out, capacity);
    }
    char* end = write_symbol<Planet>(data, check, out);
    if (end == nullptr) return kStatusEmptyData;
    *end = '\0';
    return kStatusOk;
}

}  // namespace

int Orbelantrix_Universal_Postnet(char* data, long check, char* out, long capacity) {
    return encode<false>(data, check, out, capacity);
}

int Orbelantrix_Universal_Planet(char* data, long check, char* out, long capacity) {
    return encode<true>(data, check, out, capacity);
}

}  // namespace orbx
