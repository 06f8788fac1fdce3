// Check digits shared by several symbologies.
#pragma once

#include <string>
#include <string_view>

namespace orbx {

// Mod 10 check digit with the UPC/EAN weighting: weight 3 for the last character, then 1, 3, ...
// towards the first. A digit counts its value, any other character 0. Returns "0" to "9"; the
// empty text gives "0".
char FindMod10Digit(const char* text);
char FindMod10Digit(const std::string& text);
char FindMod10Digit(std::string_view text);

// MSI Mod 10 check digit over a text of digits (other characters count as 0): the odd-position
// digits from the right are doubled and their digit sums added to the even-position digits.
// Computed digit by digit, so it holds for any length. Returns a one-character text in a
// per-thread buffer that stays valid until the next call of the same function on that thread.
const char* CalcMSICheckDigit(const char* digits);
// The Universal font's entry to the same computation, with a buffer of its own.
const char* uCalcMSICheckDigit(const char* digits);
// The MSI check digit as a character "0" to "9".
char MSICheckDigit(std::string_view digits);

}  // namespace orbx
