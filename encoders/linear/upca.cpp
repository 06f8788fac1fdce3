#include "encoders/linear/upca.h"

#include <array>
#include <cstddef>

#include "common/check_digits.h"
#include "common/output.h"
#include "common/status.h"
#include "encoders/linear/upc_ean_addon.h"
#include "encoders/linear/upc_ean_digits.h"

namespace orbx {

namespace {

// Number used when the data holds an unusable count of digits.
constexpr std::string_view kDefaultNumber = "00000000000";

}  // namespace

char* WriteUpcaSymbol(char* p, std::string_view number, char right_guard) {
    *p++ = HumanReadableChar(number[0]);
    *p++ = kRetailGuard;
    *p++ = LongLeftChar(number[0]);
    for (std::size_t i = 1; i <= 5; ++i)
        *p++ = RetailDigitChar('A', number[i]);
    *p++ = kRetailCentreGuard;
    for (std::size_t i = 6; i <= 10; ++i)
        *p++ = RetailDigitChar('C', number[i]);
    *p++ = LongRightChar(number[11]);
    *p++ = right_guard;
    *p++ = HumanReadableChar(number[11]);
    return p;
}

int Orbelantrix_UPCa(char* data, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const RetailDigits filtered = FilterRetailDigits(data);
    const std::string_view all = filtered.view();

    // Digit 12 is the data's own check digit when 12, 14 or 17 digits are given; it is dropped.
    const std::size_t n = filtered.count;
    const bool usable = n == 11 || n == 12 || n == 13 || n == 14 || n == 16 || n == 17;
    const std::string_view digits = usable ? all : kDefaultNumber;
    const std::string_view addon = AddOnDigits(digits, 11);

    std::array<char, 12> number{};
    digits.copy(number.data(), 11);
    number[11] = FindMod10Digit(digits.substr(0, 11));

    char text[kUpcaSymbolChars + kAddOnMaxChars];
    char* p = WriteUpcaSymbol(text, std::string_view(number.data(), number.size()), kRetailGuard);
    p = WriteAddOn(p, addon);
    return HandOver(out, capacity, text, p);
}

}  // namespace orbx
