// UPC-E in the UPC/EAN text font, with an optional 2- or 5-digit add-on.
#pragma once

#include <array>
#include <string_view>

namespace orbx {

// Expands a UPC-E number of 6 digits (number system 0 implied), 7 digits (number system first)
// or 8 digits (check digit last, ignored) to the 11-digit UPC-A number without check digit,
// in place. `digits` is zero-terminated in a buffer of at least 12 bytes; a text of any other
// length is left unchanged.
void UPCe7to11(char* digits);

// The six-digit UPC-E body of a 12-digit UPC-A number (check digit last), by the zero-suppression
// rules; false when the number cannot be compressed.
bool CompressUpce(std::string_view number, std::array<char, 6>& body);

// Writes the UPC-E symbol of the digits among the first 20 characters of `data`: 6 to 8 digits
// are a UPC-E number, 11 or more a UPC-A number (a 12th digit is a check digit and recomputed)
// with an add-on chosen by the count. A number that does not compress is written as a full
// UPC-A symbol. An unusable digit count gives the empty text with status 0. Returns 0, or 1 for
// null or empty data and for a result that does not fit `capacity`.
int Orbelantrix_UPCe(char* data, char* out, long capacity);

}  // namespace orbx
