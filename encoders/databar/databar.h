// GS1 DataBar Omnidirectional (also drawn as Truncated), Stacked and Stacked Omnidirectional in
// the DataBar fonts, with the input normaliser and the pieces the other DataBar encoders share.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orbx {

// Guard pattern at both ends of every DataBar row: a 1-module space and a 1-module bar.
inline constexpr std::string_view DataBar_START_STOP_PATTERN = "11";

// Font characters of a module column drawn in one row: light and dark.
inline constexpr char kDataBarLightModule = 'a';
inline constexpr char kDataBarDarkModule = 'w';

// Font characters of a column of a second line, by
// row module x 8 + separator above x 4 + middle row x 2 + separator below. The values 12 to 15
// do not arise: the separator above a row is light wherever that row is dark.
inline constexpr std::array<char, 12> kDataBarSecondLineColumns{'a', 'p', 'q', 'r', 's', 't',
                                                                'u', 'v', 'w', 'x', 'y', 'z'};

// Normalises the user's data for a DataBar type. "Databar", "DatabarStacked",
// "DatabarStackedOmnidirectional", "DatabarTruncated" and "DatabarLimited" give 13 digits (the
// GTIN without its check digit); any other type name gives the text reduced to the DataBar
// Expanded character set, at most 70 characters.
std::string VerifyUserData(std::string_view data, std::string_view typeName);

// The most characters VerifyUserData keeps for DataBar Expanded.
inline constexpr std::size_t kDataBarExpandedMaxChars = 70;

// What VerifyUserData gives DataBar Expanded for non-empty data, written to `kept` (room for
// kDataBarExpandedMaxChars); returns how many characters it wrote.
std::size_t DataBarExpandedData(std::string_view data, char* kept);

// The 13 digits that VerifyUserData gives the GTIN types, written to `digits[0]` to `digits[12]`.
void DataBarGtinDigits(std::string_view data, char* digits);

// Value of the leading digits of a normalised GTIN text (0 when it starts with no digit).
std::int64_t DataBarGtinValue(std::string_view digits);
// The same for the 13 digits that DataBarGtinDigits writes (all of them digits).
std::int64_t DataBarGtinDigitsValue(const char* digits);

// The 46 element widths of a DataBar Omnidirectional symbol for 13 digits, guards included,
// beginning with a space. `specialCaseStackedOmni` tells whether the right finder is the one
// whose separator the Stacked Omnidirectional form draws specially. Empty when the digits lie
// beyond what the symbol carries (more than 13 digits).
std::string GetDatabarBarWidths(std::string_view digits, bool& specialCaseStackedOmni);
std::string GetDatabarBarWidths(std::string_view digits);

// Checksum 0 to 78 of the four data characters; characters 2 and 3 are given reversed, as they
// stand in the symbol.
int CalculateDatabarCheckSum(std::string_view char1, std::string_view char2Reversed,
                             std::string_view char3Reversed, std::string_view char4);

// Assigns the left finder's widths to `left` and appends the right finder's widths, reversed, to
// `right`. Returns true when the right finder is the one (index 3) whose Stacked
// Omnidirectional separator has a single dark module.
bool CalculateCheckCharWidths(int checksum, std::string& left, std::string& right);

// Width text to font text: each space width 1 to 9 becomes "a" to "i", each bar width "1" to
// "9". The text begins with a space.
std::string FontEncode(std::string_view widths);
// The same written to `text` (room for widths.size() characters); returns how many it wrote.
std::size_t FontEncodeInto(std::string_view widths, char* text);

// Expands a width text into modules, 0 light and 1 dark, starting with the colour `paintBar`
// and flipping it after every element. Writes at most `modules.size()` modules and returns how
// many it wrote.
std::size_t ExpandModules(std::string_view widths, int& paintBar, std::span<std::uint8_t> modules);

// The two stacked renderings of the 46 Omnidirectional widths: 50 column characters for
// Stacked; for Stacked Omnidirectional 50 characters, a carriage return and 50 characters.
std::string DataBarStackedColumns(std::string_view widths);
std::string DataBarStackedOmniColumns(std::string_view widths, bool specialCaseStackedOmni);

// Entry points: 0 with the font text in `out` (`capacity` bytes), or 1 for null or empty data
// and for a result that does not fit, with nothing written. The ...64 forms forward unchanged.
int Orbelantrix_DataBar_DataBar(char* data, char* out, long capacity);
int Orbelantrix_DataBar_DataBar64(char* data, char* out, long capacity);
int Orbelantrix_DataBar_DataBarStacked(char* data, char* out, long capacity);
int Orbelantrix_DataBar_DataBarStacked64(char* data, char* out, long capacity);
int Orbelantrix_DataBar_DataBarStackedOmniDirectional(char* data, char* out, long capacity);
int Orbelantrix_DataBar_DataBarStackedOmniDirectional64(char* data, char* out, long capacity);

}  // namespace orbx
