// USPS POSTNET in the text font: frame bars "(" and ")", one font character per digit and a
// check digit.
#pragma once

namespace orbx {

// Keeps the digits of `data` (dashes and spaces of a ZIP+4 disappear; no digit count is
// enforced) and appends the check digit that brings the digit sum to a multiple of 10. Returns
// 0 with "(" + digits + check + ")" in `out`, or 1 for null or empty data and for a symbol
// longer than `out` (`capacity` bytes) holds.
int Orbelantrix_Postnet(char* data, char* out, long capacity);

}  // namespace orbx
