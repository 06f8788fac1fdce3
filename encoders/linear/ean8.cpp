#include "encoders/linear/ean8.h"

#include <array>
#include <string>
#include <string_view>

#include "common/check_digits.h"
#include "common/output.h"
#include "common/status.h"
#include "encoders/linear/upc_ean_digits.h"

namespace orbx {

namespace {

// Number used when the data holds fewer than seven digits.
constexpr std::string_view kDefaultNumber = "0005000";

}  // namespace

int Orbelantrix_EAN8(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const RetailDigits filtered = FilterRetailDigits(data);
    const std::string_view digits =
        filtered.count < 7 ? kDefaultNumber : filtered.view().substr(0, 7);

    std::array<char, 8> number{};
    digits.copy(number.data(), 7);
    number[7] = FindMod10Digit(digits);

    std::string text;
    text.reserve(12);
    text += kRetailGuard;
    for (std::size_t i = 0; i < 4; ++i)
        text += RetailDigitChar('A', number[i]);
    text += kRetailCentreGuard;
    for (std::size_t i = 4; i < 8; ++i)
        text += RetailDigitChar('C', number[i]);
    text += kRetailGuard;
    return HandOver(out, capacity, text);
}

}  // namespace orbx
