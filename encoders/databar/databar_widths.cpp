#include "encoders/databar/databar_widths.h"

#include <array>
#include <cassert>
#include <charconv>
#include <span>

namespace orbx {

namespace {

// Group tables of ISO/IEC 24724: {group, sum of previous groups, odd modules, even modules, odd
// widest, even widest, odd total, even total}. A group holds odd total x even total values.

// Outside characters of DataBar Omnidirectional and its stacked forms: 16 modules, values 0-2840.
constexpr std::array<DataCharacteristics, 5> kOutsideGroups{{
    {1, 0, 12, 4, 8, 1, 161, 1},
    {2, 161, 10, 6, 6, 3, 80, 10},
    {3, 961, 8, 8, 4, 5, 31, 34},
    {4, 2015, 6, 10, 3, 6, 10, 70},
    {5, 2715, 4, 12, 1, 8, 1, 126},
}};
static_assert(kOutsideGroups.size() == 5);

// Inside characters: 15 modules, values 0-1596.
constexpr std::array<DataCharacteristics, 4> kInsideGroups{{
    {1, 0, 5, 10, 2, 7, 4, 84},
    {2, 336, 7, 8, 4, 5, 20, 35},
    {3, 1036, 9, 6, 6, 3, 48, 10},
    {4, 1516, 11, 4, 8, 1, 81, 1},
}};
static_assert(kInsideGroups.size() == 4);

// DataBar Expanded characters: 17 modules, values 0-4191.
constexpr std::array<DataCharacteristics, 5> kExpandedGroups{{
    {1, 0, 12, 5, 7, 2, 87, 4},
    {2, 348, 10, 7, 5, 4, 52, 20},
    {3, 1388, 8, 9, 4, 5, 30, 52},
    {4, 2948, 6, 11, 3, 6, 10, 104},
    {5, 3988, 4, 13, 1, 8, 1, 204},
}};
static_assert(kExpandedGroups.size() == 5);

// DataBar Limited characters: 26 modules over 7 odd and 7 even elements, values 0-2013570.
constexpr std::array<DataCharacteristics, 7> kLimitedGroups{{
    {1, 0, 17, 9, 6, 3, 6538, 28},
    {2, 183064, 13, 13, 5, 4, 875, 728},
    {3, 820064, 9, 17, 3, 6, 28, 6454},
    {4, 1000776, 15, 11, 5, 4, 2415, 203},
    {5, 1491021, 11, 15, 4, 5, 203, 2408},
    {6, 1979845, 19, 7, 8, 1, 17094, 1},
    {7, 1996939, 7, 19, 1, 8, 1, 16632},
}};
static_assert(kLimitedGroups.size() == 7);

// End of a group's value range (one past its last value).
constexpr int group_end(const DataCharacteristics& g) {
    return g.sumOfPreviousGroups + g.oddSubsetTotalValue * g.evenSubsetTotalValue;
}

// Each group starts where the previous one ends, and the subsets fill the kind's modules.
template <std::size_t N>
constexpr bool groups_tile(const std::array<DataCharacteristics, N>& table, int modules, int last) {
    int start = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const DataCharacteristics& g = table[i];
        if (g.groupNumber != static_cast<int>(i) + 1 || g.sumOfPreviousGroups != start ||
            g.oddSubsetModules + g.evenSubsetModules != modules) {
            return false;
        }
        start = group_end(g);
    }
    return start == last + 1;
}
static_assert(groups_tile(kOutsideGroups, 16, 2840));
static_assert(groups_tile(kInsideGroups, 15, 1596));
static_assert(groups_tile(kExpandedGroups, 17, 4191));
static_assert(groups_tile(kLimitedGroups, 26, 2013570));

std::optional<DataCharacteristics> select_group(std::span<const DataCharacteristics> table,
                                                int value) {
    for (const DataCharacteristics& g : table) {
        if (value < group_end(g)) return g;
    }
    return std::nullopt;
}

void append_number(std::string& text, int n) {
    char digits[12];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
    assert(ec == std::errc());
    text.append(digits, end);
}

}  // namespace

int GetCombinations(int n, int r) {
    const int maxDenom = r < n - r ? n - r : r;
    const int minDenom = r < n - r ? r : n - r;
    int val = 1;
    int j = 1;
    for (int i = n; i > maxDenom; --i) {
        val *= i;
        if (j <= minDenom) {
            val /= j;
            ++j;
        }
    }
    for (; j <= minDenom; ++j)
        val /= j;
    return val;
}

std::string GetDatabarWidths(int value, int modules, int elements, int maxWidth, bool noNarrow) {
    std::string widths;
    widths.reserve(elements > 0 ? static_cast<std::size_t>(elements) : 1);
    int n = modules;
    unsigned narrowMask = 0;
    for (int bar = 0; bar < elements - 1; ++bar) {
        const int left = elements - bar;  // elements not yet placed, this one included
        int elmWidth = 1;
        int subVal = 0;
        narrowMask |= 1u << bar;
        for (;;) {
            // Sequences of the remaining elements when this one takes elmWidth modules.
            subVal = GetCombinations(n - elmWidth - 1, left - 2);
            // Without a narrow element so far, drop the remainders that have none either.
            if (!noNarrow && narrowMask == 0 && n - elmWidth - (left - 1) >= left - 1) {
                subVal -= GetCombinations(n - elmWidth - left, left - 2);
            }
            // Drop the remainders with an element wider than maxWidth.
            if (left - 1 > 1) {
                int lessVal = 0;
                for (int mxwElement = n - elmWidth - (left - 2); mxwElement > maxWidth;
                     --mxwElement) {
                    lessVal += GetCombinations(n - elmWidth - mxwElement - 1, left - 3);
                }
                subVal -= lessVal * (left - 1);
            } else if (n - elmWidth > maxWidth) {
                --subVal;
            }
            value -= subVal;
            // A value beyond the admissible sequences would run past the modules left for the
            // remaining elements; stop there rather than loop on.
            if (value < 0 || elmWidth >= n - (left - 1)) break;
            ++elmWidth;
            narrowMask &= ~(1u << bar);
        }
        value += subVal;
        n -= elmWidth;
        append_number(widths, elmWidth);
    }
    append_number(widths, n);
    return widths;
}

std::optional<DataCharacteristics> SetOutsideDataValues(int value) {
    return select_group(kOutsideGroups, value);
}

std::optional<DataCharacteristics> SetInsideDataValues(int value) {
    return select_group(kInsideGroups, value);
}

std::optional<DataCharacteristics> SetExpandedDataValues(int value) {
    return select_group(kExpandedGroups, value);
}

std::optional<DataCharacteristics> SetLimitedDataValues(int value) {
    return select_group(kLimitedGroups, value);
}

std::string InterleaveWidths(std::string_view odd, std::string_view even) {
    assert(odd.size() == even.size());
    std::string widths;
    widths.reserve(odd.size() + even.size());
    for (std::size_t i = 0; i < odd.size() && i < even.size(); ++i) {
        widths += odd[i];
        widths += even[i];
    }
    return widths;
}

std::string GetCharacterWidths(const DataCharacteristics& group, int oddValue, int evenValue,
                               int elements, bool oddNoNarrow, bool evenNoNarrow) {
    return InterleaveWidths(GetDatabarWidths(oddValue, group.oddSubsetModules, elements,
                                             group.oddWidestElements, oddNoNarrow),
                            GetDatabarWidths(evenValue, group.evenSubsetModules, elements,
                                             group.evenWidestElements, evenNoNarrow));
}

}  // namespace orbx
