// The character tables the encoders look widths up in must hold exactly what the width procedure
// computes for each value.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "encoders/databar/databar_widths.h"

namespace orbx {
namespace {

// The computed widths of a character, natural order, as a digit text.
std::string computed(const std::optional<DataCharacteristics>& g, int value, int elements,
                     bool odd_takes_quotient, bool oddNoNarrow, bool evenNoNarrow) {
    const int v = value - g->sumOfPreviousGroups;
    const int divisor = odd_takes_quotient ? g->evenSubsetTotalValue : g->oddSubsetTotalValue;
    const int odd = odd_takes_quotient ? v / divisor : v % divisor;
    const int even = odd_takes_quotient ? v % divisor : v / divisor;
    return GetCharacterWidths(*g, odd, even, elements, oddNoNarrow, evenNoNarrow);
}

std::string looked_up(bool (*lookup)(int, int*), int value, int count) {
    std::array<int, 14> widths{};
    if (!lookup(value, widths.data())) return "refused";
    std::string text;
    for (int i = 0; i < count; ++i)
        text += static_cast<char>('0' + widths[static_cast<std::size_t>(i)]);
    return text;
}

TEST(DataBarTables, EveryOutsideCharacterMatchesTheWidthProcedure) {
    for (int value = 0; value <= 2840; ++value) {
        SCOPED_TRACE(value);
        EXPECT_EQ(looked_up(DataBarOutsideCharacter, value, 8),
                  computed(SetOutsideDataValues(value), value, 4, true, true, false));
    }
}

TEST(DataBarTables, EveryInsideCharacterMatchesTheWidthProcedure) {
    for (int value = 0; value <= 1596; ++value) {
        SCOPED_TRACE(value);
        EXPECT_EQ(looked_up(DataBarInsideCharacter, value, 8),
                  computed(SetInsideDataValues(value), value, 4, false, false, true));
    }
}

TEST(DataBarTables, EveryExpandedCharacterMatchesTheWidthProcedure) {
    for (int value = 0; value <= 4191; ++value) {
        SCOPED_TRACE(value);
        EXPECT_EQ(looked_up(DataBarExpandedCharacter, value, 8),
                  computed(SetExpandedDataValues(value), value, 4, true, false, true));
    }
}

TEST(DataBarTables, LimitedCharactersMatchTheWidthProcedure) {
    // Two million values: a stride prime to every subset count, plus both ends of every group.
    std::vector<int> values = {0, 2013570};
    for (int value = 0; value < 2013571; value += 997)
        values.push_back(value);
    for (int start : {183064, 820064, 1000776, 1491021, 1979845, 1996939}) {
        values.push_back(start - 1);
        values.push_back(start);
    }
    for (int value : values) {
        SCOPED_TRACE(value);
        EXPECT_EQ(looked_up(DataBarLimitedCharacter, value, 14),
                  computed(SetLimitedDataValues(value), value, 7, true, true, false));
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
