// The 2- and 5-digit add-on symbols written after a UPC or EAN symbol.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orbx {

// Appends the add-on for `digits` (2 or 5 digits; nothing for any other count): "+", then each
// digit in add-on set A or B by its parity pattern, with "!" between digits.
void AppendAddOn(std::string& text, std::string_view digits);

// The add-on digits of a retail number whose symbol carries `body` digits before its check
// digit: the last 2 or 5 digits when `digits` holds body + 2 or body + 5 of them, or body + 3
// or body + 6 with the number's own check digit standing before them (it is dropped). Nothing
// for any other count.
inline std::string_view AddOnDigits(std::string_view digits, std::size_t body) {
    if (digits.size() < body) return {};
    switch (digits.size() - body) {
        case 2:
        case 5:
            return digits.substr(body);
        case 3:
        case 6:
            return digits.substr(body + 1);
        default:
            return {};
    }
}

// The longest add-on text: "+", five digits and four "!".
inline constexpr std::size_t kAddOnMaxChars = 10;

// The same written from `p` (room for kAddOnMaxChars); returns the end.
char* WriteAddOn(char* p, std::string_view digits);

}  // namespace orbx
