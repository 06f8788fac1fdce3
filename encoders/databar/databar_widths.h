// GS1 DataBar character widths: the group tables of the four character kinds and the width
// generator that spreads a subset value over its elements. Shared by every DataBar encoder.
//
// Element-width text: one decimal digit per element width, no separator. With the group tables
// below no width exceeds 8, so the text length equals the number of elements.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orbx {

// The eight data characteristics of one group of a character kind.
struct DataCharacteristics {
    int groupNumber;           // 1-based group of the character value
    int sumOfPreviousGroups;   // first character value of the group
    int oddSubsetModules;      // modules spanned by the odd elements
    int evenSubsetModules;     // modules spanned by the even elements
    int oddWidestElements;     // widest allowed odd element
    int evenWidestElements;    // widest allowed even element
    int oddSubsetTotalValue;   // distinct odd-subset values in the group
    int evenSubsetTotalValue;  // distinct even-subset values in the group

    friend constexpr bool operator==(const DataCharacteristics&,
                                     const DataCharacteristics&) = default;
};

// Binomial coefficient C(n, r) in signed 32-bit arithmetic, dividing while multiplying so the
// intermediate stays small for the sizes DataBar uses.
int GetCombinations(int n, int r);

// ISO/IEC 24724 width procedure: the value-th (from 0) sequence of `elements` widths of 1 to
// `maxWidth` that spread `modules` modules. Unless `noNarrow` is set, only sequences with at
// least one width of 1 are counted.
std::string GetDatabarWidths(int value, int modules, int elements, int maxWidth, bool noNarrow);

// The same widths as numbers, written to `widths[0]` to `widths[elements - 1]`; `elements` is at
// least 1. The encoders use it to build a symbol without a text per character.
void DataBarElementWidths(int value, int modules, int elements, int maxWidth, bool noNarrow,
                          int* widths);

// Group selectors: the characteristics of the group holding `value`. Values below the first group
// select group 1; a value beyond the kind's last group selects nothing.
std::optional<DataCharacteristics> SetOutsideDataValues(int value);   // 0 to 2840
std::optional<DataCharacteristics> SetInsideDataValues(int value);    // 0 to 1596
std::optional<DataCharacteristics> SetExpandedDataValues(int value);  // 0 to 4191
std::optional<DataCharacteristics> SetLimitedDataValues(int value);   // 0 to 2013570

// Interleaves an odd and an even width text of equal length into the natural element order
// odd0 even0 odd1 even1 ...
std::string InterleaveWidths(std::string_view odd, std::string_view even);

// Widths of one data character in natural order, from its odd and even subset values and its
// group's characteristics; `elements` is the number of elements per subset.
std::string GetCharacterWidths(const DataCharacteristics& group, int oddValue, int evenValue,
                               int elements, bool oddNoNarrow, bool evenNoNarrow);

// The most elements per subset of any DataBar character (Limited).
inline constexpr int kDataBarMaxSubsetElements = 7;

// GetCharacterWidths as numbers: the 2 x `elements` widths in natural order, written to `widths`.
// `elements` is 1 to kDataBarMaxSubsetElements.
void DataBarCharacterWidths(const DataCharacteristics& group, int oddValue, int evenValue,
                            int elements, bool oddNoNarrow, bool evenNoNarrow, int* widths);

// The widths of a whole character of one kind, in natural order, as DataBarCharacterWidths gives
// them for the value's group and its split into subset values, looked up in tables of every
// subset value instead of computed: 8 widths for Outside (the odd subset takes the quotient),
// Inside (the odd subset takes the remainder) and Expanded characters (the odd subset takes the
// quotient), 14 for Limited characters (the odd subset takes the quotient). False, with nothing
// written, for a negative value or one beyond the kind's groups.
bool DataBarOutsideCharacter(int value, int* widths);
bool DataBarInsideCharacter(int value, int* widths);
bool DataBarExpandedCharacter(int value, int* widths);
bool DataBarLimitedCharacter(int value, int* widths);

// The widths of DataBarOutsideCharacter and DataBarInsideCharacter packed four bits each, the
// first element lowest; 0 (which no character is) for a value those give nothing for.
std::uint32_t DataBarOutsideCharacterPacked(int value);
std::uint32_t DataBarInsideCharacterPacked(int value);

}  // namespace orbx
