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

// The digits of the data (and their Mod 10 check digit) as pairs between start and stop; an odd
// count reads as if a "0" stood in front.
int encode_pairs(std::string_view data, bool with_check, char* out, long capacity) {
    // The digits, then the symbol: per thread, kept from call to call, so no allocation once
    // they have held a symbol this long.
    thread_local std::string digit_work;
    char* const digits = WorkArea(digit_work, data.size() + 1);
    std::size_t count = 0;
    for (char c : data)
        if (isNumeric(static_cast<unsigned char>(c))) digits[count++] = c;
    // The padding "0" is only implied below, so it never enters the check digit.
    if (with_check) {
        const char check = FindMod10Digit(std::string_view(digits, count));
        digits[count++] = check;
    }

    thread_local std::string symbol_work;
    char* const symbol = WorkArea(symbol_work, count / 2 + 3);
    char* p = symbol;
    *p++ = static_cast<char>(kStart);
    std::size_t i = 0;
    if (count % 2 == 1) *p++ = static_cast<char>(kPairChars[digits[i++] - '0']);
    for (; i < count; i += 2)
        *p++ = static_cast<char>(kPairChars[(digits[i] - '0') * 10 + (digits[i + 1] - '0')]);
    *p++ = static_cast<char>(kStop);
    return HandOver(out, capacity, symbol, p);
}

}  // namespace

int Orbelantrix_Interleaved2of5(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    return encode_pairs(data, false, out, capacity);
}

int Orbelantrix_Interleaved2of5Mod10(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    return encode_pairs(data, true, out, capacity);
}

}  // namespace orbx
