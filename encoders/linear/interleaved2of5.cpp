#include "encoders/linear/interleaved2of5.h"

#include <array>
#include <string>
#include <string_view>

#include "common/check_digits.h"
#include "common/output.h"
#include "common/status.h"
#include "common/utilities.h"

namespace orbx {

namespace {

// Font character of each digit pair 00 to 99: 33 ("!") to 126 ("~") for 00 to 93, then 197 to
// 202 for 94 to 99, which keeps clear of the bytes 127 to 196.
constexpr std::array<unsigned char, 100> kPairChars = [] {
    std::array<unsigned char, 100> chars{};
    for (int n = 0; n < 100; ++n)
        chars[n] = static_cast<unsigned char>(n <= 93 ? n + 33 : n + 103);
    return chars;
}();
static_assert(kPairChars.size() == 100 && kPairChars[93] == 126 && kPairChars[94] == 197);

constexpr unsigned char kStart = 203;
constexpr unsigned char kStop = 204;

std::string keep_digits(std::string_view data, std::size_t extra) {
    std::string digits;
    digits.reserve(data.size() + extra);
    for (char c : data)
        if (isNumeric(static_cast<unsigned char>(c))) digits += c;
    return digits;
}

// Wraps the digit pairs in start and stop; an odd count reads as if a "0" stood in front.
int encode_pairs(std::string_view digits, char* out, long capacity) {
    std::string symbol;
    symbol.reserve(digits.size() / 2 + 3);
    symbol += static_cast<char>(kStart);
    std::size_t i = 0;
    if (digits.size() % 2 == 1) symbol += static_cast<char>(kPairChars[digits[i++] - '0']);
    for (; i < digits.size(); i += 2)
        symbol += static_cast<char>(kPairChars[(digits[i] - '0') * 10 + (digits[i + 1] - '0')]);
    symbol += static_cast<char>(kStop);
    return CopyResult(out, capacity, symbol) ? kStatusOk : kStatusRefused;
}

}  // namespace

int Orbelantrix_Interleaved2of5(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    return encode_pairs(keep_digits(data, 0), out, capacity);
}

int Orbelantrix_Interleaved2of5Mod10(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    std::string digits = keep_digits(data, 1);
    // The padding "0" is only implied by encode_pairs, so it never enters the check digit.
    digits += FindMod10Digit(std::string_view(digits));
    return encode_pairs(digits, out, capacity);
}

}  // namespace orbx
