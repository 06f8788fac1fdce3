// The character groups of ISO/IEC 24724, written out for the tests: each group's value range,
// the modules and widest element of its odd and its even subset, and how many width sequences
// each subset uses (a group holds odd x even values).
//
// The numbers were checked by a separate count of width sequences (inclusion and exclusion with
// binomial coefficients, and by enumeration), not by the encoder's code: a subset that needs no
// narrow element uses all of its sequences, and its count is that number; every range is
// odd count x even count values, starting where the previous group ends. A subset that must hold
// a narrow element uses the first `count` of its sequences, fewer where the standard leaves the
// rest out: Inside groups 3 and 4 use 48 of 52 and 81 of 100, Expanded groups 1 and 2 use 87 of
// 114 and 52 of 58. Those four counts (and so the ranges that follow from them) cannot be counted
// out; they are the encoder table's, checked only to be fewer than the sequences there are and to
// fill the kind's values exactly (0 to 1596 Inside, 0 to 4191 Expanded).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "encoders/databar/databar_widths.h"

namespace orbx::test {

struct DataBarGroup {
    int group;  // 1-based within its kind
    int first, last;
    int odd_modules, even_modules;
    int odd_widest, even_widest;
    int odd_count, even_count;
};

// {group, first value, last value, odd modules, even modules, odd widest, even widest, odd
// count, even count}, kind after kind.
inline constexpr std::array<DataBarGroup, 21> kDataBarGroups{{
    // Outside characters of DataBar Omnidirectional and its stacked forms: 16 modules.
    {1, 0, 160, 12, 4, 8, 1, 161, 1},
    {2, 161, 960, 10, 6, 6, 3, 80, 10},
    {3, 961, 2014, 8, 8, 4, 5, 31, 34},
    {4, 2015, 2714, 6, 10, 3, 6, 10, 70},
    {5, 2715, 2840, 4, 12, 1, 8, 1, 126},
    // Inside characters: 15 modules.
    {1, 0, 335, 5, 10, 2, 7, 4, 84},
    {2, 336, 1035, 7, 8, 4, 5, 20, 35},
    {3, 1036, 1515, 9, 6, 6, 3, 48, 10},
    {4, 1516, 1596, 11, 4, 8, 1, 81, 1},
    // DataBar Expanded characters: 17 modules.
    {1, 0, 347, 12, 5, 7, 2, 87, 4},
    {2, 348, 1387, 10, 7, 5, 4, 52, 20},
    {3, 1388, 2947, 8, 9, 4, 5, 30, 52},
    {4, 2948, 3987, 6, 11, 3, 6, 10, 104},
    {5, 3988, 4191, 4, 13, 1, 8, 1, 204},
    // DataBar Limited characters: 26 modules over 7 odd and 7 even elements.
    {1, 0, 183063, 17, 9, 6, 3, 6538, 28},
    {2, 183064, 820063, 13, 13, 5, 4, 875, 728},
    {3, 820064, 1000775, 9, 17, 3, 6, 28, 6454},
    {4, 1000776, 1491020, 15, 11, 5, 4, 2415, 203},
    {5, 1491021, 1979844, 11, 15, 4, 5, 203, 2408},
    {6, 1979845, 1996938, 19, 7, 8, 1, 17094, 1},
    {7, 1996939, 2013570, 7, 19, 1, 8, 1, 16632},
}};

// A kind of character: its groups, its selector and table lookup, its elements per subset, how a
// value splits into its subsets' values, and which subset needs no narrow element.
struct DataBarKind {
    const char* name;
    std::optional<DataCharacteristics> (*select)(int);
    bool (*lookup)(int, int*);
    std::span<const DataBarGroup> groups;
    int elements;
    bool odd_takes_quotient;
    bool odd_no_narrow;
    bool even_no_narrow;

    int last() const { return groups.back().last; }

    // The group that holds `value`, by the ranges above.
    std::size_t group_of(int value) const {
        std::size_t i = 0;
        while (value > groups[i].last)
            ++i;
        return i;
    }

    // What the selector must give for any value of group `i`.
    DataCharacteristics record(std::size_t i) const {
        const DataBarGroup& g = groups[i];
        return {g.group,      g.first,       g.odd_modules, g.even_modules,
                g.odd_widest, g.even_widest, g.odd_count,   g.even_count};
    }
};

inline const std::array<DataBarKind, 4> kDataBarKinds{{
    {"outside", SetOutsideDataValues, DataBarOutsideCharacter,
     std::span(kDataBarGroups).subspan(0, 5), 4, true, true, false},
    {"inside", SetInsideDataValues, DataBarInsideCharacter, std::span(kDataBarGroups).subspan(5, 4),
     4, false, false, true},
    {"expanded", SetExpandedDataValues, DataBarExpandedCharacter,
     std::span(kDataBarGroups).subspan(9, 5), 4, true, false, true},
    {"limited", SetLimitedDataValues, DataBarLimitedCharacter,
     std::span(kDataBarGroups).subspan(14, 7), 7, true, true, false},
}};

}  // namespace orbx::test
