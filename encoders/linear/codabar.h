// Codabar in the text font: every Codabar character is drawn by the font character of the same
// code; start "A" and stop "B", no check character.
#pragma once

namespace orbx {

// Keeps the digits and "$", "+", "-", "/", ".", ":" of `data` (letters, the start/stop letters
// included, are dropped). Returns 0 with "A" + kept + "B" in `out`, or 1 for null or empty data
// and for a symbol longer than `out` (`capacity` bytes) holds.
int Orbelantrix_Codabar(char* data, char* out, long capacity);

}  // namespace orbx
