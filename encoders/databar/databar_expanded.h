// GS1 DataBar Expanded and Expanded Stacked in the DataBar fonts: one font character per module
// column, rows of a stacked symbol separated by a carriage return.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orbx {

// What the encoder writes when the data needs fewer than 4 or more than 22 symbol characters.
inline constexpr std::string_view kDataBarExpandedOutOfRange = "Data out of range.";

// Segments per row: a value below 1 or above 22 becomes 22, an odd value is raised by one.
int NormaliseDataBarExpandedSegments(long segments);

// The finder patterns' widths of a symbol of `symbolChars` symbol characters (check character
// included), in symbol order; empty outside 4 to 22.
std::vector<std::string_view> GetDatabarExpandedFinderPatterns(int symbolChars);

// Check character value of the data characters' widths, as they stand in the symbol (the odd
// ones reversed).
int CalculateDatabarExpCheckSum(std::span<const std::string> dataCharacters);

// Element widths of the whole symbol without guards, beginning with a space (check character,
// first finder, first data character, ...), for normalised data and `segs` segments per row;
// "-1" when the data needs fewer than 4 or more than 22 symbol characters.
std::string GetDatabarExpandedBarWidths(std::string_view data, int segs);

// The font text of the widths: one row of "a"/"w", or when they do not fit in one row of `segs`
// segments, the stacked rows.
std::string DataBarExpandedRow(std::string_view widths);
std::string DataBarExpandedStackedRows(std::string_view widths, int segs);

// Entry point: 0 with the font text in `out` (`capacity` bytes); 1 with nothing written for null
// or empty data and for a result that does not fit; 1 with "Data out of range." written when the
// data does not fit in the symbol. The ...64 form forwards unchanged.
int Orbelantrix_DataBar_DataBarExpanded(char* data, long segments, char* out, long capacity);
int Orbelantrix_DataBar_DataBarExpanded64(char* data, long segments, char* out, long capacity);

}  // namespace orbx
