// The 2- and 5-digit add-on symbols written after a UPC or EAN symbol.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orbx {

// Appends the add-on for `digits` (2 or 5 digits; nothing for any other count): "+", then each
// digit in add-on set A or B by its parity pattern, with "!" between digits.
void AppendAddOn(std::string& text, std::string_view digits);

// The longest add-on text: "+", five digits and four "!".
inline constexpr std::size_t kAddOnMaxChars = 10;

// The same written from `p` (room for kAddOnMaxChars); returns the end.
char* WriteAddOn(char* p, std::string_view digits);

}  // namespace orbx
