#include "encoders/databar/databar_widths.h"
#include "support/databar_groups.h"
#include "support/table.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orbx {
namespace {

using Selector = std::function<std::optional<DataCharacteristics>(int)>;

// Every admissible width sequence, in lexicographic order: the independent count and order the
// width procedure must reproduce.
void admissible(int modules, int elements, int maxWidth, bool noNarrow, std::string& prefix,
                std::vector<std::string>& out) {
    if (elements == 1) {
        if (modules < 1 || modules > maxWidth) return;
        prefix += static_cast<char>('0' + modules);
        if (noNarrow || prefix.find('1') != std::string::npos) out.push_back(prefix);
        prefix.pop_back();
        return;
    }
    for (int w = 1; w <= maxWidth && w <= modules - (elements - 1); ++w) {
        prefix += static_cast<char>('0' + w);
        admissible(modules - w, elements - 1, maxWidth, noNarrow, prefix, out);
        prefix.pop_back();
    }
}

std::vector<std::string> admissible(int modules, int elements, int maxWidth, bool noNarrow) {
    std::vector<std::string> out;
    std::string prefix;
    admissible(modules, elements, maxWidth, noNarrow, prefix, out);
    return out;
}

int module_sum(const std::string& widths) {
    int sum = 0;
    for (char c : widths)
        sum += c - '0';
    return sum;
}

TEST(DataBarWidths, Combinations) {
    struct Row {
        int n, r, expected;
    };
    const Row rows[] = {
        {7, 0, 1},      // 0: worked example, C(n, 0)
        {7, 7, 1},      // 1: worked example, C(n, n)
        {17, 4, 2380},  // 2: worked example
        {18, 5, 8568},  // 3: the largest the Limited characters use
        {12, 3, 220},   // 4
        {10, 9, 10},    // 5: r above n - r
        {1, 0, 1},      // 6
    };
    test::expect_each(rows, [&](const auto& row) { return GetCombinations(row.n, row.r); });
}

TEST(DataBarWidths, WidthExamples) {
    struct Row {
        int value, modules, elements, maxWidth;
        bool noNarrow;
        std::string expected;
    };
    const Row rows[] = {
        {0, 12, 4, 8, true, "1128"},     // 0: worked example
        {160, 12, 4, 8, true, "8211"},   // 1: worked example, last Outside group 1 value
        {0, 4, 4, 1, false, "1111"},     // 2: worked example
        {0, 7, 1, 8, false, "7"},        // 3: one element is the module count
        {0, 17, 7, 6, true, "1111166"},  // 4: first Limited group 1 odd subset
        {0, 9, 7, 3, false, "1111113"},  // 5: first Limited group 1 even subset
        {0, 5, 4, 2, false, "1112"},     // 6: first Inside group 1 odd subset
        {3, 5, 4, 2, false, "2111"},     // 7: last Inside group 1 odd subset
        {83, 10, 4, 7, true, "7111"},    // 8: last Inside group 1 even subset
        {0, 19, 7, 8, true, "1111168"},  // 9: first Limited group 6 odd subset
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Row& r = rows[i];
        EXPECT_EQ(GetDatabarWidths(r.value, r.modules, r.elements, r.maxWidth, r.noNarrow),
                  r.expected);
    }
}

// Both ends of every group select that group's whole record (the groups as written out in
// support/databar_groups.h); values below the range select group 1, values past it nothing.
TEST(DataBarWidths, GroupBoundaries) {
    for (const test::DataBarKind& kind : test::kDataBarKinds) {
        for (std::size_t i = 0; i < kind.groups.size(); ++i) {
            for (int value : {kind.groups[i].first, kind.groups[i].last}) {
                SCOPED_TRACE(std::string(kind.name) + " " + std::to_string(value));
                EXPECT_EQ(kind.select(value), kind.record(i));
            }
        }
    }
    struct Row {
        Selector select;
        int value;
        int expectedGroup;  // 0: no group
    };
    const Row rows[] = {
        {SetOutsideDataValues, -1, 1},        // 0: below the range
        {SetOutsideDataValues, 2841, 0},      // 1
        {SetInsideDataValues, 1597, 0},       // 2: worked example
        {SetExpandedDataValues, 4192, 0},     // 3
        {SetLimitedDataValues, 2013571, 0},   // 4
        {SetLimitedDataValues, -2000000, 1},  // 5
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const auto g = rows[i].select(rows[i].value);
        if (rows[i].expectedGroup == 0) {
            EXPECT_FALSE(g.has_value());
        } else {
            ASSERT_TRUE(g.has_value());
            EXPECT_EQ(g->groupNumber, rows[i].expectedGroup);
        }
    }
}

// A subset without the narrow condition uses every admissible sequence; one with it uses the
// first `total` of them (the standard's tables leave out the rest, for example 48 of the 52
// sequences of 9 modules over four elements of at most 6 for Inside group 3).
void check_count(std::size_t admissibleCount, int total, bool noNarrow) {
    if (noNarrow) {
        EXPECT_EQ(admissibleCount, static_cast<std::size_t>(total));
    } else {
        EXPECT_GE(admissibleCount, static_cast<std::size_t>(total));
    }
}

// For every group of every kind and both subsets, the procedure gives the admissible sequences in
// lexicographic order.
TEST(DataBarWidths, SubsetsEnumerateAdmissibleSequences) {
    struct Row {
        const char* kind;
        Selector select;
        int lastValue;
        int elements;
        bool oddNoNarrow;
        bool evenNoNarrow;
    };
    const Row rows[] = {
        {"outside", SetOutsideDataValues, 2840, 4, true, false},     // 0
        {"inside", SetInsideDataValues, 1596, 4, false, true},       // 1
        {"expanded", SetExpandedDataValues, 4191, 4, false, true},   // 2
        {"limited", SetLimitedDataValues, 2013570, 7, true, false},  // 3
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.kind);
        int groups = 0;
        for (int first = 0; first <= r.lastValue;) {
            const DataCharacteristics g = r.select(first).value();
            ++groups;
            const auto odd =
                admissible(g.oddSubsetModules, r.elements, g.oddWidestElements, r.oddNoNarrow);
            const auto even =
                admissible(g.evenSubsetModules, r.elements, g.evenWidestElements, r.evenNoNarrow);
            check_count(odd.size(), g.oddSubsetTotalValue, r.oddNoNarrow);
            check_count(even.size(), g.evenSubsetTotalValue, r.evenNoNarrow);
            for (int v = 0; v < g.oddSubsetTotalValue; ++v) {
                ASSERT_EQ(GetDatabarWidths(v, g.oddSubsetModules, r.elements, g.oddWidestElements,
                                           r.oddNoNarrow),
                          odd[static_cast<std::size_t>(v)])
                    << "group " << groups << " odd " << v;
            }
            for (int v = 0; v < g.evenSubsetTotalValue; ++v) {
                ASSERT_EQ(GetDatabarWidths(v, g.evenSubsetModules, r.elements, g.evenWidestElements,
                                           r.evenNoNarrow),
                          even[static_cast<std::size_t>(v)])
                    << "group " << groups << " even " << v;
            }
            first = g.sumOfPreviousGroups + g.oddSubsetTotalValue * g.evenSubsetTotalValue;
        }
        EXPECT_EQ(r.select(r.lastValue)->groupNumber, groups);
    }
}

// Every character value of every kind (every 11th for Limited, whose subsets the test above
// covers in full), split as the encoders split it: the odd and even widths fill their subsets'
// modules with one digit per element.
TEST(DataBarWidths, EveryCharacterFillsItsSubsets) {
    struct Row {
        const char* kind;
        Selector select;
        int lastValue;
        int elements;
        int step;
        bool oddTakesQuotient;
        bool oddNoNarrow;
        bool evenNoNarrow;
    };
    const Row rows[] = {
        {"outside", SetOutsideDataValues, 2840, 4, 1, true, true, false},      // 0
        {"inside", SetInsideDataValues, 1596, 4, 1, false, false, true},       // 1
        {"expanded", SetExpandedDataValues, 4191, 4, 1, true, false, true},    // 2
        {"limited", SetLimitedDataValues, 2013570, 7, 11, true, true, false},  // 3
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.kind);
        for (int value = 0; value <= r.lastValue; value += r.step) {
            const DataCharacteristics g = r.select(value).value();
            const int v = value - g.sumOfPreviousGroups;
            const int oddValue =
                r.oddTakesQuotient ? v / g.evenSubsetTotalValue : v % g.oddSubsetTotalValue;
            const int evenValue =
                r.oddTakesQuotient ? v % g.evenSubsetTotalValue : v / g.oddSubsetTotalValue;
            const std::string odd = GetDatabarWidths(oddValue, g.oddSubsetModules, r.elements,
                                                     g.oddWidestElements, r.oddNoNarrow);
            const std::string even = GetDatabarWidths(evenValue, g.evenSubsetModules, r.elements,
                                                      g.evenWidestElements, r.evenNoNarrow);
            const auto elements = static_cast<std::size_t>(r.elements);
            ASSERT_EQ(odd.size(), elements) << value;
            ASSERT_EQ(even.size(), elements) << value;
            ASSERT_EQ(module_sum(odd), g.oddSubsetModules) << value;
            ASSERT_EQ(module_sum(even), g.evenSubsetModules) << value;
            if (value % (97 * r.step) != 0) continue;
            const std::string natural = GetCharacterWidths(g, oddValue, evenValue, r.elements,
                                                           r.oddNoNarrow, r.evenNoNarrow);
            ASSERT_EQ(natural, InterleaveWidths(odd, even)) << value;
        }
    }
    EXPECT_EQ(InterleaveWidths("1357", "2468"), "12345678");
}

// A value past the last admissible sequence ends the procedure instead of running on; the widths
// still spread the modules over the elements.
TEST(DataBarWidths, ValuesPastTheLastSequenceStop) {
    struct Row {
        int value, modules, elements, maxWidth;
        bool noNarrow;
    };
    const Row rows[] = {
        {10, 6, 4, 3, false},     // 0: one past the 10 sequences
        {1000, 4, 4, 1, false},   // 1
        {99999, 12, 4, 8, true},  // 2
        {5000, 17, 7, 6, true},   // 3
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Row& r = rows[i];
        const std::string w =
            GetDatabarWidths(r.value, r.modules, r.elements, r.maxWidth, r.noNarrow);
        EXPECT_EQ(w.size(), static_cast<std::size_t>(r.elements)) << w;
        EXPECT_EQ(module_sum(w), r.modules) << w;
    }
    // No admissible sequence at all: the procedure still ends.
    EXPECT_FALSE(GetDatabarWidths(0, 19, 7, 1, false).empty());
}

}  // namespace
}  // namespace orbx
