// USPS Postnet and Planet in the postal letters of the Universal font.
#pragma once

namespace orbx {

// A tall frame bar, five bars per digit of the data (non-digits are dropped), the Mod 10 check
// digit when `check` is nonzero and a closing frame bar. Return 0 with the symbol in `out`,
// 1100 for null data, 1000 for empty data (and, for Planet, for data without any digit), 1 when
// the symbol would not fit in `out`.
int Orbelantrix_Universal_Postnet(char* data, long check, char* out, long capacity);
int Orbelantrix_Universal_Planet(char* data, long check, char* out, long capacity);

}  // namespace orbx
