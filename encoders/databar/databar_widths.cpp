#include "encoders/databar/databar_widths.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cstdint>
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

// Inside characters: 15 modules, values 0-1596.
constexpr std::array<DataCharacteristics, 4> kInsideGroups{{
    {1, 0, 5, 10, 2, 7, 4, 84},
    {2, 336, 7, 8, 4, 5, 20, 35},
    {3, 1036, 9, 6, 6, 3, 48, 10},
    {4, 1516, 11, 4, 8, 1, 81, 1},
}};

// DataBar Expanded characters: 17 modules, values 0-4191.
constexpr std::array<DataCharacteristics, 5> kExpandedGroups{{
    {1, 0, 12, 5, 7, 2, 87, 4},
    {2, 348, 10, 7, 5, 4, 52, 20},
    {3, 1388, 8, 9, 4, 5, 30, 52},
    {4, 2948, 6, 11, 3, 6, 10, 104},
    {5, 3988, 4, 13, 1, 8, 1, 204},
}};

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

namespace {

constexpr int combinations(int n, int r) {
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

// The width procedure asks for C(n, r) several times per element; every DataBar character keeps
// n below 25 and r below 13, so those come from a table built at compile time.
constexpr int kCombinationN = 25;
constexpr int kCombinationR = 13;
constexpr auto kCombinations = [] {
    std::array<std::array<int, kCombinationR>, kCombinationN> table{};
    for (int n = 0; n < kCombinationN; ++n)
        for (int r = 0; r < kCombinationR; ++r)
            table[static_cast<std::size_t>(n)][static_cast<std::size_t>(r)] = combinations(n, r);
    return table;
}();
static_assert(kCombinations[17][5] == 6188 && kCombinations[24][12] == 2704156);

constexpr int combinations_of(int n, int r) {
    if (n >= 0 && n < kCombinationN && r >= 0 && r < kCombinationR) {
        return kCombinations[static_cast<std::size_t>(n)][static_cast<std::size_t>(r)];
    }
    return combinations(n, r);
}

// ISO/IEC 24724 width procedure, handing each width to `put` in order.
template <typename Put>
constexpr void width_procedure(int value, int modules, int elements, int maxWidth, bool noNarrow,
                               Put put) {
    int n = modules;
    unsigned narrowMask = 0;
    for (int bar = 0; bar < elements - 1; ++bar) {
        const int left = elements - bar;  // elements not yet placed, this one included
        int elmWidth = 1;
        int subVal = 0;
        narrowMask |= 1u << bar;
        for (;;) {
            // Sequences of the remaining elements when this one takes elmWidth modules.
            subVal = combinations_of(n - elmWidth - 1, left - 2);
            // Without a narrow element so far, drop the remainders that have none either.
            if (!noNarrow && narrowMask == 0 && n - elmWidth - (left - 1) >= left - 1) {
                subVal -= combinations_of(n - elmWidth - left, left - 2);
            }
            // Drop the remainders with an element wider than maxWidth.
            if (left - 1 > 1) {
                int lessVal = 0;
                for (int mxwElement = n - elmWidth - (left - 2); mxwElement > maxWidth;
                     --mxwElement) {
                    lessVal += combinations_of(n - elmWidth - mxwElement - 1, left - 3);
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
        put(elmWidth);
    }
    put(n);
}

}  // namespace

int GetCombinations(int n, int r) {
    return combinations(n, r);
}

std::string GetDatabarWidths(int value, int modules, int elements, int maxWidth, bool noNarrow) {
    std::string widths;
    widths.reserve(elements > 0 ? static_cast<std::size_t>(elements) : 1);
    width_procedure(value, modules, elements, maxWidth, noNarrow,
                    [&widths](int w) { append_number(widths, w); });
    return widths;
}

void DataBarElementWidths(int value, int modules, int elements, int maxWidth, bool noNarrow,
                          int* widths) {
    assert(elements >= 1);
    int k = 0;
    width_procedure(value, modules, elements, maxWidth, noNarrow,
                    [widths, &k](int w) { widths[k++] = w; });
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

void DataBarCharacterWidths(const DataCharacteristics& group, int oddValue, int evenValue,
                            int elements, bool oddNoNarrow, bool evenNoNarrow, int* widths) {
    assert(elements >= 1 && elements <= kDataBarMaxSubsetElements);
    int odd[kDataBarMaxSubsetElements];
    int even[kDataBarMaxSubsetElements];
    DataBarElementWidths(oddValue, group.oddSubsetModules, elements, group.oddWidestElements,
                         oddNoNarrow, odd);
    DataBarElementWidths(evenValue, group.evenSubsetModules, elements, group.evenWidestElements,
                         evenNoNarrow, even);
    for (int i = 0; i < elements; ++i) {
        widths[2 * i] = odd[i];
        widths[2 * i + 1] = even[i];
    }
}

std::string GetCharacterWidths(const DataCharacteristics& group, int oddValue, int evenValue,
                               int elements, bool oddNoNarrow, bool evenNoNarrow) {
    return InterleaveWidths(GetDatabarWidths(oddValue, group.oddSubsetModules, elements,
                                             group.oddWidestElements, oddNoNarrow),
                            GetDatabarWidths(evenValue, group.evenSubsetModules, elements,
                                             group.evenWidestElements, evenNoNarrow));
}

namespace {

// Widths of one subset value, packed four bits per element, the first element lowest. Every
// width of a value within its group is 1 to 8.
using PackedWidths = std::uint32_t;

constexpr PackedWidths pack_widths(int value, int modules, int elements, int maxWidth,
                                   bool noNarrow) {
    PackedWidths packed = 0;
    int shift = 0;
    width_procedure(value, modules, elements, maxWidth, noNarrow, [&](int w) {
        packed |= static_cast<PackedWidths>(w & 0xF) << shift;
        shift += 4;
    });
    return packed;
}

// One subset (odd or even) of every group of a character kind: the packed widths of each of its
// values, group after group, and where each group starts.
template <std::size_t Groups>
constexpr std::size_t subset_values(const std::array<DataCharacteristics, Groups>& groups,
                                    bool odd) {
    std::size_t total = 0;
    for (const DataCharacteristics& g : groups)
        total += static_cast<std::size_t>(odd ? g.oddSubsetTotalValue : g.evenSubsetTotalValue);
    return total;
}

template <std::size_t Groups, std::size_t Values>
struct SubsetTable {
    std::array<std::size_t, Groups> start{};
    std::array<PackedWidths, Values> widths{};
};

template <std::size_t Values, std::size_t Groups>
constexpr void fill_subset(SubsetTable<Groups, Values>& table,
                           const std::array<DataCharacteristics, Groups>& groups, bool odd,
                           int elements, bool noNarrow) {
    std::size_t k = 0;
    for (std::size_t i = 0; i < Groups; ++i) {
        const DataCharacteristics& g = groups[i];
        table.start[i] = k;
        const int count = odd ? g.oddSubsetTotalValue : g.evenSubsetTotalValue;
        const int modules = odd ? g.oddSubsetModules : g.evenSubsetModules;
        const int widest = odd ? g.oddWidestElements : g.evenWidestElements;
        // Values is the sum of the counts; the bound only spells that out to the compiler.
        for (int v = 0; v < count && k < Values; ++v)
            table.widths[k++] = pack_widths(v, modules, elements, widest, noNarrow);
    }
}

template <std::size_t Values, std::size_t Groups>
constexpr SubsetTable<Groups, Values> subset_table(
    const std::array<DataCharacteristics, Groups>& groups, bool odd, int elements, bool noNarrow) {
    SubsetTable<Groups, Values> table;
    fill_subset(table, groups, odd, elements, noNarrow);
    return table;
}

// Omnidirectional characters, generated at compile time: the outside odd elements and the
// inside even elements need no narrow one.
constexpr auto kOutsideOdd =
    subset_table<subset_values(kOutsideGroups, true)>(kOutsideGroups, true, 4, true);
constexpr auto kOutsideEven =
    subset_table<subset_values(kOutsideGroups, false)>(kOutsideGroups, false, 4, false);
constexpr auto kInsideOdd =
    subset_table<subset_values(kInsideGroups, true)>(kInsideGroups, true, 4, false);
constexpr auto kInsideEven =
    subset_table<subset_values(kInsideGroups, false)>(kInsideGroups, false, 4, true);

// Every packed width is 1 to 8 and the widths fill the subset's modules.
template <std::size_t Groups, std::size_t Values>
constexpr bool subset_well_formed(const SubsetTable<Groups, Values>& table,
                                  const std::array<DataCharacteristics, Groups>& groups, bool odd,
                                  int elements) {
    for (std::size_t i = 0; i < Groups; ++i) {
        const std::size_t end = i + 1 < Groups ? table.start[i + 1] : Values;
        const int modules = odd ? groups[i].oddSubsetModules : groups[i].evenSubsetModules;
        for (std::size_t k = table.start[i]; k < end; ++k) {
            int sum = 0;
            for (int e = 0; e < elements; ++e) {
                const int w = static_cast<int>((table.widths[k] >> (4 * e)) & 0xF);
                if (w < 1 || w > 8) return false;
                sum += w;
            }
            if (sum != modules) return false;
        }
    }
    return true;
}
// Expanded characters: the even elements need no narrow one.
constexpr auto kExpandedOdd =
    subset_table<subset_values(kExpandedGroups, true)>(kExpandedGroups, true, 4, false);
constexpr auto kExpandedEven =
    subset_table<subset_values(kExpandedGroups, false)>(kExpandedGroups, false, 4, true);

static_assert(subset_well_formed(kOutsideOdd, kOutsideGroups, true, 4));
static_assert(subset_well_formed(kExpandedOdd, kExpandedGroups, true, 4));
static_assert(subset_well_formed(kExpandedEven, kExpandedGroups, false, 4));
static_assert(subset_well_formed(kOutsideEven, kOutsideGroups, false, 4));
static_assert(subset_well_formed(kInsideOdd, kInsideGroups, true, 4));
static_assert(subset_well_formed(kInsideEven, kInsideGroups, false, 4));

// Limited characters: 7 elements per subset and some 54 000 subset values, too many to generate
// while compiling; built once, on first use.
constexpr std::size_t kLimitedOddValues = subset_values(kLimitedGroups, true);
constexpr std::size_t kLimitedEvenValues = subset_values(kLimitedGroups, false);
struct LimitedTables {
    LimitedTables() {
        fill_subset(odd, kLimitedGroups, true, 7, true);
        fill_subset(even, kLimitedGroups, false, 7, false);
    }
    SubsetTable<kLimitedGroups.size(), kLimitedOddValues> odd;
    SubsetTable<kLimitedGroups.size(), kLimitedEvenValues> even;
};

// A function-local static is built once, thread-safely, without std::call_once (whose
// pthread_once would raise the C library the plug-in needs).
const LimitedTables& limited_tables() {
    static const LimitedTables tables;
    return tables;
}

// Index of the group holding `value`, as select_group chooses it; -1 for none.
template <std::size_t Groups>
int group_index(const std::array<DataCharacteristics, Groups>& groups, int value) {
    for (std::size_t i = 0; i < Groups; ++i)
        if (value < group_end(groups[i])) return static_cast<int>(i);
    return -1;
}

// Interleaves the packed odd and even widths into natural order.
void unpack(PackedWidths odd, PackedWidths even, int elements, int* widths) {
    for (int e = 0; e < elements; ++e) {
        widths[2 * e] = static_cast<int>((odd >> (4 * e)) & 0xF);
        widths[2 * e + 1] = static_cast<int>((even >> (4 * e)) & 0xF);
    }
}

// The quotient and remainder of a value within Limited group G by the group's even subset
// count: a constant divisor for each group, which the compiler turns into a multiplication.
template <std::size_t G>
void limited_split(int v, int& odd, int& even) {
    constexpr int divisor = kLimitedGroups[G].evenSubsetTotalValue;
    odd = v / divisor;
    even = v % divisor;
}

// Whole characters of four elements per subset, one packed entry per character value: the eight
// widths in natural order, four bits each, the first lowest. Generated at compile time from the
// subset tables, so a lookup needs neither the group search nor the divisions.
template <std::size_t Values, std::size_t Groups, std::size_t OddValues, std::size_t EvenValues>
constexpr std::array<std::uint32_t, Values> character_table(
    const std::array<DataCharacteristics, Groups>& groups,
    const SubsetTable<Groups, OddValues>& odd_table,
    const SubsetTable<Groups, EvenValues>& even_table, bool odd_takes_quotient) {
    std::array<std::uint32_t, Values> table{};
    std::size_t gi = 0;
    for (std::size_t value = 0; value < Values; ++value) {
        while (static_cast<int>(value) >= group_end(groups[gi]))
            ++gi;
        const DataCharacteristics& g = groups[gi];
        const int v = static_cast<int>(value) - g.sumOfPreviousGroups;
        const int divisor = odd_takes_quotient ? g.evenSubsetTotalValue : g.oddSubsetTotalValue;
        const auto odd = static_cast<std::size_t>(odd_takes_quotient ? v / divisor : v % divisor);
        const auto even = static_cast<std::size_t>(odd_takes_quotient ? v % divisor : v / divisor);
        const PackedWidths o = odd_table.widths[odd_table.start[gi] + odd];
        const PackedWidths e = even_table.widths[even_table.start[gi] + even];
        std::uint32_t packed = 0;
        for (int k = 0; k < 4; ++k) {
            packed |= ((o >> (4 * k)) & 0xFU) << (8 * k);
            packed |= ((e >> (4 * k)) & 0xFU) << (8 * k + 4);
        }
        table[value] = packed;
    }
    return table;
}

constexpr auto kOutsideCharacters =
    character_table<2841>(kOutsideGroups, kOutsideOdd, kOutsideEven, true);
constexpr auto kInsideCharacters =
    character_table<1597>(kInsideGroups, kInsideOdd, kInsideEven, false);
constexpr auto kExpandedCharacters =
    character_table<4192>(kExpandedGroups, kExpandedOdd, kExpandedEven, true);
static_assert(group_end(kOutsideGroups.back()) == 2841 && group_end(kInsideGroups.back()) == 1597 &&
              group_end(kExpandedGroups.back()) == 4192);

template <std::size_t Values>
bool whole_character(const std::array<std::uint32_t, Values>& table, int value, int* widths) {
    if (value < 0 || static_cast<std::size_t>(value) >= Values) return false;
    const std::uint32_t packed = table[static_cast<std::size_t>(value)];
    for (int k = 0; k < 8; ++k)
        widths[k] = static_cast<int>((packed >> (4 * k)) & 0xFU);
    return true;
}

}  // namespace

bool DataBarOutsideCharacter(int value, int* widths) {
    return whole_character(kOutsideCharacters, value, widths);
}

bool DataBarInsideCharacter(int value, int* widths) {
    return whole_character(kInsideCharacters, value, widths);
}

namespace {

template <std::size_t Values>
std::uint32_t packed_character(const std::array<std::uint32_t, Values>& table, int value) {
    if (value < 0 || static_cast<std::size_t>(value) >= Values) return 0;
    return table[static_cast<std::size_t>(value)];
}

}  // namespace

std::uint32_t DataBarOutsideCharacterPacked(int value) {
    return packed_character(kOutsideCharacters, value);
}

std::uint32_t DataBarInsideCharacterPacked(int value) {
    return packed_character(kInsideCharacters, value);
}

bool DataBarExpandedCharacter(int value, int* widths) {
    return whole_character(kExpandedCharacters, value, widths);
}

bool DataBarLimitedCharacter(int value, int* widths) {
    const int i = group_index(kLimitedGroups, value);
    if (i < 0 || value < 0) return false;
    const auto gi = static_cast<std::size_t>(i);
    const DataCharacteristics& g = kLimitedGroups[gi];
    const int v = value - g.sumOfPreviousGroups;
    // The odd subset takes the quotient.
    int odd = 0;
    int even = 0;
    switch (gi) {
        case 0:
            limited_split<0>(v, odd, even);
            break;
        case 1:
            limited_split<1>(v, odd, even);
            break;
        case 2:
            limited_split<2>(v, odd, even);
            break;
        case 3:
            limited_split<3>(v, odd, even);
            break;
        case 4:
            limited_split<4>(v, odd, even);
            break;
        case 5:
            limited_split<5>(v, odd, even);
            break;
        default:
            limited_split<6>(v, odd, even);
            break;
    }
    // Within the group both lie inside their subsets; the checks keep every lookup in its table.
    const LimitedTables& t = limited_tables();
    const std::size_t odd_at = t.odd.start[gi] + static_cast<std::size_t>(odd);
    const std::size_t even_at = t.even.start[gi] + static_cast<std::size_t>(even);
    if (odd >= g.oddSubsetTotalValue || even >= g.evenSubsetTotalValue ||
        odd_at >= kLimitedOddValues || even_at >= kLimitedEvenValues) {
        return false;
    }
    unpack(t.odd.widths[odd_at], t.even.widths[even_at], 7, widths);
    return true;
}

}  // namespace orbx
