#include "encoders/linear/ean13.h"

#include <array>
#include <string>
#include <string_view>

#include "common/check_digits.h"
#include "common/output.h"
#include "common/status.h"
#include "encoders/linear/upc_ean_addon.h"
#include "encoders/linear/upc_ean_digits.h"

namespace orbx {

namespace {

// Number used when the data holds an unusable count of digits.
constexpr std::string_view kDefaultNumber = "0000000000000";

}  // namespace

int Orbelantrix_EAN13(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const RetailDigits filtered = FilterRetailDigits(data);
    std::string_view digits = filtered.view();
    std::size_t n = filtered.count;
    if (n < 12 || n == 16 || n > 18) {
        digits = kDefaultNumber;
        n = digits.size();
    }
    // Digit 13 is the data's own check digit when 13, 15 or 18 digits are given; it is dropped.
    const std::string_view addon = AddOnDigits(digits, 12);

    std::array<char, 13> number{};
    digits.copy(number.data(), 12);
    number[12] = FindMod10Digit(digits.substr(0, 12));

    // The first digit is not drawn: it is carried by the parity of the left half.
    const std::string_view parity = kEan13Parity[static_cast<std::size_t>(number[0] - '0')];
    // Printed digit, guard, six digits, centre guard, six digits, guard; a space before an
    // add-on.
    char text[17 + kAddOnMaxChars];
    char* p = text;
    *p++ = HumanReadableChar(number[0]);
    *p++ = kRetailGuard;
    for (std::size_t i = 1; i <= 6; ++i)
        *p++ = RetailDigitChar(parity[i - 1], number[i]);
    *p++ = kRetailCentreGuard;
    for (std::size_t i = 7; i <= 12; ++i)
        *p++ = RetailDigitChar('C', number[i]);
    *p++ = kRetailGuard;
    if (!addon.empty()) *p++ = ' ';
    p = WriteAddOn(p, addon);
    return HandOver(out, capacity, text, p);
}

}  // namespace orbx
