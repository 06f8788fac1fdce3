// UPC-A in the UPC/EAN text font, with an optional 2- or 5-digit add-on.
#pragma once

#include <string>
#include <string_view>

namespace orbx {

// Appends the full UPC-A symbol of the 12 digits of `number` (check digit included): printed
// number-system digit, guard, long-bar first digit, five left digits, centre guard, five right
// digits, long-bar check digit, `right_guard`, printed check digit. UPC-E numbers that cannot be
// compressed are written the same way.
void AppendUpcaSymbol(std::string& text, std::string_view number, char right_guard);

// Writes the UPC-A symbol of the digits of `data`: 11 digits (a 12th is a check digit and is
// recomputed) and an add-on chosen by the digit count; other counts give the all-zero number.
// Returns 0, or 1 for null or empty data and for a result that does not fit `capacity`.
int Orbelantrix_UPCa(char* data, char* out, long capacity);

}  // namespace orbx
