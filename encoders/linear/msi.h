// MSI (Modified Plessey) in the text font: one font character per digit, "(" as start and ")"
// as stop, one Mod 10 check digit.
#pragma once

namespace orbx {

// Keeps the digits of `data` and appends the MSI check digit of `CalcMSICheckDigit`. Returns 0
// with "(" + digits + check + ")" in `out`, or 1 for null or empty data and for a symbol longer
// than `out` (`capacity` bytes) holds.
int Orbelantrix_MSI(char* data, char* out, long capacity);

}  // namespace orbx
