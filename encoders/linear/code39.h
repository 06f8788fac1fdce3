// Code 39 in the text font: one font character per symbol character, "*" as start and stop.
#pragma once

namespace orbx {

// Code 39 without a check character. Every data character is kept (the font draws what it can),
// a space becomes "=" and "a" to "z" are upper-cased. Returns 0 with "*" + text + "*" in `out`,
// or 1 for null or empty data and for a symbol longer than `out` (`capacity` bytes) holds.
int Orbelantrix_Code39(char* data, char* out, long capacity);

// Code 39 with the Modulo 43 check character. After upper-casing, characters outside the 43
// Code 39 characters are dropped; the check character is the sum of the kept values mod 43, with
// the space value 38 drawn as "=". Statuses as `Orbelantrix_Code39`.
int Orbelantrix_Code39Mod43(char* data, char* out, long capacity);

}  // namespace orbx
