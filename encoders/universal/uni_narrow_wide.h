// Narrow/wide symbologies in the Universal font: Code 39, Interleaved 2 of 5, Codabar and MSI.
#pragma once

namespace orbx {

// Each takes the wide-to-narrow ratio of the font letters: exactly 3 or 2.5 select those
// ratios, any other value is drawn at ratio 2. All return 0 with the symbol in `out`, 1100 for
// null data, 1000 for empty data, 1 when the symbol would not fit in `out`.

// Code 39 of the upper-cased data's Code 39 characters (others are dropped), with the Mod 43
// check character when `check` is nonzero.
int Orbelantrix_Universal_C39(char* data, double ratio, long check, char* out, long capacity);

// Interleaved 2 of 5 of the data's digits, with the Mod 10 check digit when `check` is nonzero;
// a "0" is put in front of an odd count.
int Orbelantrix_Universal_I2of5(char* data, double ratio, long check, char* out, long capacity);

// Codabar between the start and stop characters "A" to "D" (anything else gives "A"); data
// characters without a Codabar value are dropped.
int Orbelantrix_Universal_Codabar(char* data, double ratio, char* start, char* stop, char* out,
                                  long capacity);

// MSI of the data's digits, with the MSI Mod 10 check digit when `check` is nonzero. Data
// without any digit also returns 1000.
int Orbelantrix_Universal_MSI(char* data, double ratio, long check, char* out, long capacity);

}  // namespace orbx
