// GS1 DataBar Limited in the DataBar font: two Limited data characters around a check character,
// between the guards, 46 widths.
#pragma once

#include <string>
#include <string_view>

namespace orbx {

// Element widths of the check character for a checksum 0 to 88 (14 widths over 18 modules);
// empty for any other number.
std::string GetDatabarLimitedCheckSumPattern(int checksum);

// Checksum 0 to 88 of the left and right characters' 14 widths each, in natural order.
int CalculateDatabarLimitedCheckSum(std::string_view left, std::string_view right);

// The 46 element widths of the symbol for 13 digits, guards included. Empty for a value of
// 4054468172041 or more, which the symbol cannot carry.
std::string GetDatabarLimitedBarWidths(std::string_view digits);

// Entry point: 0 with the font text in `out` (`capacity` bytes), or 1 for null or empty data,
// for a value the symbol cannot carry and for a result that does not fit, with nothing written.
// The ...64 form forwards unchanged.
int Orbelantrix_DataBar_DataBarLimited(char* data, char* out, long capacity);
int Orbelantrix_DataBar_DataBarLimited64(char* data, char* out, long capacity);

}  // namespace orbx
