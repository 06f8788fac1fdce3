// UPC-A in the UPC/EAN text font, with an optional 2- or 5-digit add-on.
#pragma once

#include <cstddef>
#include <string_view>

namespace orbx {

// Writes from `p` the full UPC-A symbol of the 12 digits of `number` (check digit included):
// printed number-system digit, guard, long-bar first digit, five left digits, centre guard, five
// right digits, long-bar check digit, `right_guard`, printed check digit, kUpcaSymbolChars
// characters in all; returns the end. UPC-E numbers that cannot be compressed are written the
// same way.
inline constexpr std::size_t kUpcaSymbolChars = 17;
char* WriteUpcaSymbol(char* p, std::string_view number, char right_guard);

// Writes the UPC-A symbol of the digits of `data`: 11 digits (a 12th is a check digit and is
// recomputed) and an add-on chosen by the digit count; other counts give the all-zero number.
// Returns 0, or 1 for null or empty data and for a result that does not fit `capacity`.
int Orbelantrix_UPCa(char* data, char* out, long capacity);

}  // namespace orbx
