// EAN-8 in the UPC/EAN text font.
#pragma once

namespace orbx {

// Writes the EAN-8 symbol of the first 7 digits of `data` (an 8th digit, the check digit, and
// anything after it are dropped); fewer than 7 digits give the number 0005000. Returns 0, or 1
// for null or empty data and for a result that does not fit `capacity`.
int Orbelantrix_EAN8(char* data, char* out, long capacity);

}  // namespace orbx
