#include "encoders/linear/upce.h"

#include <array>
#include <cstring>
#include <string>

#include "common/check_digits.h"
#include "common/output.h"
#include "common/status.h"
#include "common/utilities.h"
#include "encoders/linear/upc_ean_addon.h"
#include "encoders/linear/upc_ean_digits.h"
#include "encoders/linear/upca.h"

namespace orbx {

namespace {

// Only this many leading characters of the data are searched for digits.
constexpr std::size_t kScannedChars = 20;

// UPC-E to UPC-A zero expansion by the last body digit d6 (0-2, 3, 4, 5-9): each position of
// the 11-digit number takes the digit at that index of n d1 d2 d3 d4 d5 d6, or a zero ("-").
constexpr std::array<std::string_view, 4> kExpansion = {"0126----345", "0123-----45", "01234-----5",
                                                        "012345----6"};
static_assert(kExpansion[0].size() == 11 && kExpansion[3].size() == 11);

// The same patterns as source places for each position: 0 to 6 the digits n d1 ... d6, 7 the
// zero that follows them.
constexpr std::size_t kZeroPlace = 7;
constexpr auto kExpansionPlaces = [] {
    std::array<std::array<unsigned char, 11>, kExpansion.size()> places{};
    for (std::size_t e = 0; e < kExpansion.size(); ++e)
        for (std::size_t i = 0; i < 11; ++i)
            places[e][i] = static_cast<unsigned char>(
                kExpansion[e][i] == '-' ? kZeroPlace : kExpansion[e][i] - '0');
    return places;
}();
static_assert(kExpansionPlaces[1][3] == 3 && kExpansionPlaces[1][4] == kZeroPlace);

std::size_t expansion_index(char d6) {
    return d6 <= '2' ? 0 : d6 == '3' ? 1 : d6 == '4' ? 2 : 3;
}

bool all_zero(std::string_view number, std::size_t first, std::size_t last) {
    for (std::size_t p = first; p <= last; ++p) {
        if (number[p - 1] != '0') return false;
    }
    return true;
}

}  // namespace

namespace {

// UPCe7to11 of the `len` (6 to 8) digits at `digits`, written to `into` (11 digits).
void expand_upce(const char* digits, std::size_t len, char* into) {
    // n d1 d2 d3 d4 d5 d6, number system 0 when only the six body digits are given; an eighth
    // digit, the check digit, is left behind.
    std::array<char, kZeroPlace + 1> upce{};
    if (len == 6) {
        upce[0] = '0';
        std::memcpy(upce.data() + 1, digits, 6);
    } else {
        std::memcpy(upce.data(), digits, 7);
    }
    upce[kZeroPlace] = '0';
    const auto& places = kExpansionPlaces[expansion_index(upce[6])];
    for (std::size_t i = 0; i < places.size(); ++i)
        into[i] = upce[places[i]];
}

}  // namespace

void UPCe7to11(char* digits) {
    const std::size_t len = std::strlen(digits);
    if (len < 6 || len > 8) return;
    char expanded[kExpansion[0].size()];
    expand_upce(digits, len, expanded);
    std::memcpy(digits, expanded, sizeof expanded);
    digits[sizeof expanded] = '\0';
}

bool CompressUpce(std::string_view number, std::array<char, 6>& body) {
    // p(1) to p(12): the digits by position, p(1) the number system, p(12) the check digit.
    const auto p = [number](std::size_t i) { return number[i - 1]; };
    if (p(11) >= '5' && p(6) != '0' && all_zero(number, 7, 10)) {
        body = {p(2), p(3), p(4), p(5), p(6), p(11)};
    } else if (all_zero(number, 6, 10) && p(5) != '0') {
        body = {p(2), p(3), p(4), p(5), p(11), '4'};
    } else if (all_zero(number, 5, 8) && p(4) <= '2') {
        body = {p(2), p(3), p(9), p(10), p(11), p(4)};
    } else if (!all_zero(number, 5, 9) || p(4) < '3') {
        return false;
    } else {
        body = {p(2), p(3), p(4), p(10), p(11), '3'};
    }
    return true;
}

int Orbelantrix_UPCe(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    // The digits among the first 20 characters, each stored and kept when it is one.
    // (The end of the data is looked for only among the characters that are not digits.)
    char digits[kScannedChars + 1];
    std::size_t n = 0;
    for (std::size_t i = 0; i < kScannedChars; ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        digits[n] = static_cast<char>(c);
        if (isNumeric(c)) {
            ++n;
        } else if (c == '\0') {
            break;
        }
    }
    char expanded[kExpansion[0].size()];
    const char* number_digits = digits;
    if (n >= 6 && n <= 8) {
        expand_upce(digits, n, expanded);
        number_digits = expanded;
        n = sizeof expanded;
    }
    if (n < 11 || n == 15 || n > 18) return HandOver(out, capacity, "");

    const std::string_view all(number_digits, n);
    const std::string_view addon = AddOnDigits(all, 11);

    std::array<char, 12> number{};
    all.copy(number.data(), 11);
    number[11] = FindMod10Digit(all.substr(0, 11));
    const std::string_view full(number.data(), number.size());

    // Written in place when the longest symbol fits the caller's buffer with its zero.
    constexpr std::size_t kLongest = kUpcaSymbolChars + kAddOnMaxChars;
    const bool in_place = out != nullptr && capacity > static_cast<long>(kLongest);
    char text[kLongest];
    char* const symbol = in_place ? out : text;
    char* p = symbol;
    std::array<char, 6> body{};
    if (CompressUpce(full, body)) {
        const std::size_t check = static_cast<std::size_t>(number[11] - '0');
        const std::string_view parity =
            number[0] == '1' ? kUpceParitySystem1[check] : kUpceParitySystem0[check];
        *p++ = number[0] == '0' ? 'U' : 'V';
        *p++ = kRetailGuard;
        for (std::size_t i = 0; i < body.size(); ++i)
            *p++ = RetailDigitChar(parity[i], body[i]);
        *p++ = kUpceRightGuard;
        *p++ = HumanReadableChar(number[11]);
    } else {
        // Not compressible: a full UPC-A symbol, which needs the normal right guard to scan.
        p = WriteUpcaSymbol(p, full, kRetailGuard);
    }
    p = WriteAddOn(p, addon);
    if (in_place) {
        *p = '\0';
        return kStatusOk;
    }
    return HandOver(out, capacity, symbol, p);
}

}  // namespace orbx
