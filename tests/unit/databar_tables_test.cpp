// The group selectors must give the groups of ISO/IEC 24724 as written out in
// support/databar_groups.h, and the character tables the encoders look widths up in must hold
// exactly what the width procedure computes for each value, split by those groups.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "encoders/databar/databar_widths.h"
#include "support/databar_groups.h"

namespace orbx {
namespace {

using test::DataBarKind;
using test::kDataBarKinds;

// The widths of a character, natural order, as a digit text: the value split into its subsets'
// values by the written-out group, and each subset spread by the width procedure.
std::string computed(const DataBarKind& kind, int value) {
    const std::size_t i = kind.group_of(value);
    const test::DataBarGroup& g = kind.groups[i];
    const int v = value - g.first;
    const int divisor = kind.odd_takes_quotient ? g.even_count : g.odd_count;
    const int odd = kind.odd_takes_quotient ? v / divisor : v % divisor;
    const int even = kind.odd_takes_quotient ? v % divisor : v / divisor;
    return GetCharacterWidths(kind.record(i), odd, even, kind.elements, kind.odd_no_narrow,
                              kind.even_no_narrow);
}

std::string looked_up(bool (*lookup)(int, int*), int value, int count) {
    std::array<int, 14> widths{};
    if (!lookup(value, widths.data())) return "refused";
    std::string text;
    for (int i = 0; i < count; ++i)
        text += static_cast<char>('0' + widths[static_cast<std::size_t>(i)]);
    return text;
}

TEST(DataBarTables, SelectorsGiveTheGroupsOfTheStandard) {
    for (const DataBarKind& kind : kDataBarKinds) {
        for (std::size_t i = 0; i < kind.groups.size(); ++i) {
            for (int value : {kind.groups[i].first, kind.groups[i].last}) {
                SCOPED_TRACE(std::string(kind.name) + " " + std::to_string(value));
                EXPECT_EQ(kind.select(value), kind.record(i));
            }
        }
        SCOPED_TRACE(kind.name);
        EXPECT_FALSE(kind.select(kind.last() + 1).has_value());
    }
}

// Every Outside, Inside and Expanded value; of the two million Limited values, a stride prime to
// every subset count plus both ends of every group.
TEST(DataBarTables, EveryCharacterMatchesTheWidthProcedure) {
    for (const DataBarKind& kind : kDataBarKinds) {
        std::vector<int> values;
        const int stride = kind.elements == 7 ? 997 : 1;
        for (int value = 0; value <= kind.last(); value += stride)
            values.push_back(value);
        for (const test::DataBarGroup& g : kind.groups) {
            values.push_back(g.first);
            values.push_back(g.last);
        }
        for (int value : values) {
            SCOPED_TRACE(std::string(kind.name) + " " + std::to_string(value));
            EXPECT_EQ(looked_up(kind.lookup, value, 2 * kind.elements), computed(kind, value));
        }
    }
}

TEST(DataBarTables, ValuesOutsideTheGroupsAreRefused) {
    // rows: {lookup, value}
    const struct {
        bool (*lookup)(int, int*);
        int value;
    } rows[] = {
        {DataBarOutsideCharacter, 2841},     // 0: one past the last Outside value
        {DataBarInsideCharacter, 1597},      // 1: one past the last Inside value
        {DataBarLimitedCharacter, 2013571},  // 2: one past the last Limited value
        {DataBarExpandedCharacter, 4192},    // 3: one past the last Expanded value
        {DataBarOutsideCharacter, -1},       // 4: negative
        {DataBarLimitedCharacter, -5},       // 5: negative
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(looked_up(rows[i].lookup, rows[i].value, 8), "refused");
    }
}

}  // namespace
}  // namespace orbx
