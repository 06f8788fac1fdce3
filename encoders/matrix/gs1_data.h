// GS1 element strings for the matrix symbols, written as the user writes them for DataBar
// Expanded: each application identifier in parentheses before its data, for example
// "(01)09501101530003(17)140704(10)AB-123".
#pragma once

#include <string_view>

namespace orbx {

// Stands in the data for the FNC1 that ends an element of variable length (GS, as a reader
// transmits it); each symbology writes it as its own FNC1.
inline constexpr char kGs1Separator = '\x1D';

// The element string's data as a symbol carries it: every AI's digits followed by its data, and
// kGs1Separator after every element that another follows, unless its AI is one of GS1's
// predefined lengths. Writes at most `capacity` bytes to `out` and returns their count, or -1
// when the text is not an element string (it must start with "(", each AI must be 2 to 4 digits
// and be followed by 1 to 90 characters of data without "(" or ")") or does not fit.
int Gs1ElementData(std::string_view text, char* out, int capacity);

}  // namespace orbx
