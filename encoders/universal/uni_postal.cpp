#include "encoders/universal/uni_postal.h"

#include <array>
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

using DigitLetters = std::array<char, 3>;

// Bars 1 and 2, bars 3 and 4, then bar 5 alone.
constexpr std::array<DigitLetters, 10> postal_letters(bool inverted) {
    std::array<DigitLetters, 10> table{};
    for (std::size_t d = 0; d < 10; ++d) {
        const auto tall = [&](std::size_t k) { return (kPostnetHeights[d][k] == '1') != inverted; };
        table[d] = {PostalPairLetter(tall(0), tall(1)), PostalPairLetter(tall(2), tall(3)),
                    PostalSingleLetter(tall(4))};
    }
    return table;
}

constexpr std::array<DigitLetters, 10> kPostnetLetters = postal_letters(false);
constexpr std::array<DigitLetters, 10> kPlanetLetters = postal_letters(true);
static_assert(kPostnetLetters[0] == DigitLetters{'m', 'j', 'o'});
static_assert(kPostnetLetters[5] == DigitLetters{'k', 'k', 'o'});
static_assert(kPlanetLetters[0] == DigitLetters{'j', 'm', 'n'});
static_assert(kPlanetLetters[9] == DigitLetters{'k', 'k', 'n'});

constexpr char kFrameBar = PostalSingleLetter(true);

int encode(char* data, long check, bool planet, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    const std::array<DigitLetters, 10>& letters = planet ? kPlanetLetters : kPostnetLetters;
    // Frame, three letters per digit and for the check digit, frame. Per thread, kept from call
    // to call: no allocation once a thread has built a symbol this long.
    thread_local std::string work;
    char* const result = WorkArea(work, 3 * (d.size() + 1) + 2);
    char* p = result;
    *p++ = kFrameBar;
    const auto put = [&p](const DigitLetters& l) {
        p[0] = l[0];
        p[1] = l[1];
        p[2] = l[2];
        p += 3;
    };
    int sum = 0;
    for (char c : d) {
        if (c < '0' || c > '9') continue;
        put(letters[static_cast<std::size_t>(c - '0')]);
        sum += c - '0';
    }
    // Planet has nothing to show without a digit; Postnet still draws its frame.
    if (planet && p == result + 1) return kStatusEmptyData;
    if (check != 0) put(letters[static_cast<std::size_t>((10 - sum % 10) % 10)]);
    *p++ = kFrameBar;
    return HandOver(out, capacity, result, p);
}

}  // namespace

int Orbelantrix_Universal_Postnet(char* data, long check, char* out, long capacity) {
    return encode(data, check, false, out, capacity);
}

int Orbelantrix_Universal_Planet(char* data, long check, char* out, long capacity) {
    return encode(data, check, true, out, capacity);
}

}  // namespace orbx
