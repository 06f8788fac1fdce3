// Code 128 in the text font in one fixed code set, and the human-readable line printed under a
// Code 128 symbol.
#pragma once

namespace orbx {

// Start A or Start B, then every data byte as a font character as it stands (nothing filtered,
// no set change), the check character and the stop. Returns 0, or 1 for null or empty data and
// for a symbol that does not fit `capacity` bytes of `out` with its terminating zero.
int Orbelantrix_Code128a(char* data, char* out, long capacity);
int Orbelantrix_Code128b(char* data, char* out, long capacity);

// Start C and the digits of the data in pairs (a "0" in front of an odd count); every other
// character is dropped. Data without digits gives start, check and stop. Statuses as above.
int Orbelantrix_Code128c(char* data, char* out, long capacity);

// The text to print under a Code 128 symbol: tilde escapes resolved when `tilde` is nonzero,
// application identifiers after FNC1 (or after the AI-length markers 212 to 217) put in
// parentheses, control characters as spaces, other bytes above 126 left out. Statuses as above.
int Orbelantrix_Code128HumanReadable(char* data, long tilde, char* out, long capacity);

}  // namespace orbx
