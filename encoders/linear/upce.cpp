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
    std::array<char, 7> upce{};
    if (len == 6) {
        upce[0] = '0';
        std::memcpy(upce.data() + 1, digits, 6);
    } else {
        std::memcpy(upce.data(), digits, 7);
    }
    const std::string_view pattern = kExpansion[expansion_index(upce[6])];
    for (std::size_t i = 0; i < pattern.size(); ++i)
        into[i] = pattern[i] == '-' ? '0' : upce[static_cast<std::size_t>(pattern[i] - '0')];
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
    char digits[kScannedChars + 1];
    std::size_t n = 0;
    for (std::size_t i = 0; i < kScannedChars && data[i] != '\0'; ++i) {
        digits[n] = data[i];
        n += isNumeric(static_cast<unsigned char>(data[i])) ? 1 : 0;
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
    std::string_view addon;
    if (n == 13) addon = all.substr(11, 2);
    if (n == 14) addon = all.substr(12, 2);
    if (n == 16) addon = all.substr(11, 5);
    if (n == 17) addon = all.substr(12, 5);

    std::array<char, 12> number{};
    all.copy(number.data(), 11);
    number[11] = FindMod10Digit(all.substr(0, 11));
    const std::string_view full(number.data(), number.size());

    char text[kUpcaSymbolChars + kAddOnMaxChars];
    char* p = text;
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
    return HandOver(out, capacity, text, p);
}

}  // namespace orbx
