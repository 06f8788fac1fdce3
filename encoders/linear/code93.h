// Code 93 in the text font: one font character per symbol character, "(" as start and ")" as
// stop, the shift characters as "!", "#", "&" and "@".
#pragma once

namespace orbx {

// Code 93 with its two check characters C and K. Upper-cases `data` in place, drops characters
// outside the 47 Code 93 characters and draws a data space as "=" (a check value of 38 shows as
// the space itself). Returns 0 with "(" + text + C + K + ")" in `out`, or 1 for null or empty
// data and for a symbol longer than `out` (`capacity` bytes) holds.
int Orbelantrix_Code93(char* data, char* out, long capacity);

}  // namespace orbx
