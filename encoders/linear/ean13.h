// EAN-13 in the UPC/EAN text font, with an optional 2- or 5-digit add-on.
#pragma once

namespace orbx {

// Writes the EAN-13 symbol of the digits of `data`: 12 digits (a 13th is a check digit and is
// recomputed) and an add-on chosen by the digit count; other counts give the all-zero number.
// Returns 0, or 1 for null or empty data and for a result that does not fit `capacity`.
int Orbelantrix_EAN13(char* data, char* out, long capacity);

}  // namespace orbx
