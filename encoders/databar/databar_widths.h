// GS1 DataBar character widths: the group tables of the four character kinds and the width
// generator that spreads a subset value over its elements. Shared by every DataBar encoder.
//
// Element-width text: one decimal digit per element width, no separator. With the group tables
// below no width exceeds 8, so the text length equals the number of elements.
#pragma once

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

}  // namespace orbx
