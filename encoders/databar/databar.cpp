#include "encoders/databar/databar.h"

#include <algorithm>
#include <cassert>
#include <limits>

#include "common/output.h"
#include "common/status.h"
#include "encoders/databar/databar_widths.h"

namespace orbx {

namespace {

// Finder patterns of DataBar Omnidirectional (ISO/IEC 24724), five widths each, by index 0-8.
constexpr std::array<std::string_view, 9> kFinders{
    "38211", "35511", "33711", "31911", "27411", "25611", "23811", "15711", "13911",
};
static_assert(kFinders.size() == 9);

// Checksum weights of the four data characters (ISO/IEC 24724), applied to each character's
// widths in natural element order.
constexpr std::array<std::array<int, 8>, 4> kChecksumWeights{{
    {1, 3, 9, 27, 2, 6, 18, 54},
    {4, 12, 36, 29, 8, 24, 72, 58},
    {16, 48, 65, 37, 32, 17, 51, 74},
    {64, 34, 23, 69, 49, 68, 46, 59},
}};
static_assert(kChecksumWeights.size() == 4);

// Font characters of a DataBar Stacked column, by bottom row x 4 + separator x 2 + top row.
constexpr std::array<char, 8> kStackedColumns{'a', 'j', 'k', 'l', 'm', 'n', 'o', 'T'};
static_assert(kStackedColumns.size() == 8);

// The 46 widths of the symbol, split into two rows of 25 elements and 50 modules.
constexpr std::size_t kSymbolWidths = 46;
constexpr std::size_t kTopRowWidths = 23;
constexpr std::size_t kRowModules = 50;

// Inside the finder columns the separators alternate under light modules.
constexpr int kFinderFirstColumn = 18;
constexpr int kFinderLastColumn = 31;
// The single dark separator module above a bottom row whose right finder has index 3.
constexpr int kSpecialCaseColumn = 28;

constexpr std::size_t kGtinDigits = 13;
constexpr std::size_t kGtinWithCheckDigit = 14;
constexpr std::size_t kExpandedMaxChars = 70;

// Divisors that split the GTIN into two halves and each half into an Outside and an Inside value.
constexpr std::int64_t kHalfDivisor = 4537077;
constexpr std::int64_t kInsideValues = 1597;

bool is_digit(unsigned char c) {
    return c >= '0' && c <= '9';
}

int width_at(std::string_view widths, std::size_t i) {
    return i < widths.size() && is_digit(static_cast<unsigned char>(widths[i])) ? widths[i] - '0'
                                                                                : 0;
}

// Characters DataBar Expanded carries: digits, letters, FNC1 and the GS1 punctuation.
bool is_expanded_char(unsigned char c) {
    constexpr unsigned char kFnc1 = 202;
    constexpr std::string_view kPunctuation = "*,-./!\"%&'()+:;<=>?_ ";
    return is_digit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == kFnc1 ||
           kPunctuation.find(static_cast<char>(c)) != std::string_view::npos;
}

// The 13 digits of a GTIN: the data cut or zero-padded on the left to 14 characters, without the
// check digit place; the digits among the first 13 places, with zeros put back behind the first
// of them for each place that held no digit.
std::string normalise_gtin(std::string_view data) {
    const std::size_t pad =
        data.size() < kGtinWithCheckDigit ? kGtinWithCheckDigit - data.size() : 0;
    std::string digits;
    digits.reserve(kGtinDigits);
    for (std::size_t p = 0; p < kGtinDigits; ++p) {
        const unsigned char c = p < pad ? '0' : static_cast<unsigned char>(data[p - pad]);
        if (is_digit(c)) digits += static_cast<char>(c);
    }
    // Nothing to put the zeros behind: the whole number is zero.
    if (digits.empty()) return std::string(kGtinDigits, '0');
    digits.insert(1, kGtinDigits - digits.size(), '0');
    return digits;
}

std::string normalise_expanded(std::string_view data) {
    if (data.empty()) return std::string(kGtinDigits, '0');
    std::string kept;
    kept.reserve(kExpandedMaxChars);
    for (std::size_t i = 0; i < data.size() && kept.size() < kExpandedMaxChars; ++i) {
        if (is_expanded_char(static_cast<unsigned char>(data[i]))) kept += data[i];
    }
    return kept;
}

std::string reversed(std::string s) {
    std::reverse(s.begin(), s.end());
    return s;
}

// Outside character: the odd subset takes the quotient, its elements need no narrow one.
std::string outside_widths(int value) {
    const auto g = SetOutsideDataValues(value);
    if (!g) return {};
    const int v = value - g->sumOfPreviousGroups;
    return GetCharacterWidths(*g, v / g->evenSubsetTotalValue, v % g->evenSubsetTotalValue, 4, true,
                              false);
}

// Inside character: the odd subset takes the remainder, the even elements need no narrow one.
std::string inside_widths(int value) {
    const auto g = SetInsideDataValues(value);
    if (!g) return {};
    const int v = value - g->sumOfPreviousGroups;
    return GetCharacterWidths(*g, v % g->oddSubsetTotalValue, v / g->oddSubsetTotalValue, 4, false,
                              true);
}

// Ties a normaliser type name to the rendering of the 46 widths.
template <typename Render>
int encode(const char* data, char* out, long capacity, std::string_view typeName, Render render) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    bool special = false;
    const std::string widths = GetDatabarBarWidths(VerifyUserData(data, typeName), special);
    if (widths.size() != kSymbolWidths) return kStatusRefused;
    return CopyResult(out, capacity, render(widths, special)) ? kStatusOk : kStatusRefused;
}

}  // namespace

std::string VerifyUserData(std::string_view data, std::string_view typeName) {
    if (typeName == "Databar" || typeName == "DatabarStacked" ||
        typeName == "DatabarStackedOmnidirectional" || typeName == "DatabarTruncated" ||
        typeName == "DatabarLimited") {
        return normalise_gtin(data);
    }
    return normalise_expanded(data);
}

std::int64_t DataBarGtinValue(std::string_view digits) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t v = 0;
    for (const char c : digits) {
        if (!is_digit(static_cast<unsigned char>(c))) break;
        // A number this long lies beyond every DataBar symbol; keep it too large.
        if (v > (kMax - 9) / 10) return kMax;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::string GetDatabarBarWidths(std::string_view digits, bool& specialCaseStackedOmni) {
    specialCaseStackedOmni = false;
    const std::int64_t v = DataBarGtinValue(digits);
    const std::int64_t left = v / kHalfDivisor;
    const std::int64_t right = v % kHalfDivisor;
    if (left / kInsideValues > std::numeric_limits<int>::max()) return {};

    const std::string char1 = outside_widths(static_cast<int>(left / kInsideValues));
    const std::string char2 = reversed(inside_widths(static_cast<int>(left % kInsideValues)));
    const std::string char3 = reversed(outside_widths(static_cast<int>(right / kInsideValues)));
    const std::string char4 = inside_widths(static_cast<int>(right % kInsideValues));
    if (char1.empty()) return {};

    std::string leftFinder;
    std::string rightFinder;
    specialCaseStackedOmni = CalculateCheckCharWidths(
        CalculateDatabarCheckSum(char1, char2, char3, char4), leftFinder, rightFinder);

    std::string widths;
    widths.reserve(kSymbolWidths);
    widths += DataBar_START_STOP_PATTERN;
    widths += char1;
    widths += leftFinder;
    widths += char2;
    widths += char4;
    widths += rightFinder;
    widths += char3;
    widths += DataBar_START_STOP_PATTERN;
    return widths;
}

std::string GetDatabarBarWidths(std::string_view digits) {
    bool special = false;
    return GetDatabarBarWidths(digits, special);
}

int CalculateDatabarCheckSum(std::string_view char1, std::string_view char2Reversed,
                             std::string_view char3Reversed, std::string_view char4) {
    int sum = 0;
    for (std::size_t j = 0; j < 8; ++j) {
        sum += width_at(char1, j) * kChecksumWeights[0][j];
        sum += width_at(char2Reversed, 7 - j) * kChecksumWeights[1][j];
        sum += width_at(char3Reversed, 7 - j) * kChecksumWeights[2][j];
        sum += width_at(char4, j) * kChecksumWeights[3][j];
    }
    return sum % 79;
}

bool CalculateCheckCharWidths(int checksum, std::string& left, std::string& right) {
    assert(checksum >= 0 && checksum <= 78);
    if (checksum < 0 || checksum > 78) return false;
    // The finder pairs (0, 8) and (8, 0) are not used: k skips 8 and 72.
    int k = checksum;
    if (k > 7) ++k;
    if (k > 71) ++k;
    left = kFinders[static_cast<std::size_t>(k / 9)];
    const std::string_view r = kFinders[static_cast<std::size_t>(k % 9)];
    right.append(r.rbegin(), r.rend());
    return k % 9 == 3;
}

std::string FontEncode(std::string_view widths) {
    std::string text;
    text.reserve(widths.size());
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const char c = widths[i];
        if (c < '1' || c > '9') continue;
        text += i % 2 == 0 ? static_cast<char>('a' + (c - '1')) : c;
    }
    return text;
}

std::size_t ExpandModules(std::string_view widths, int& paintBar, std::span<std::uint8_t> modules) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        for (int m = width_at(widths, i); m > 0 && count < modules.size(); --m)
            modules[count++] = static_cast<std::uint8_t>(paintBar);
        paintBar = paintBar == 0 ? 1 : 0;
    }
    return count;
}

namespace {

// Both stacked forms: the top row is the first 23 widths and a guard, the bottom row a guard and
// the other 23; the colour runs on from the top row, so the bottom row starts dark.
struct StackedRows {
    std::array<std::uint8_t, kRowModules> top{};
    std::array<std::uint8_t, kRowModules> bottom{};
};

StackedRows expand_rows(std::string_view widths) {
    const std::size_t split = std::min(widths.size(), kTopRowWidths);
    std::string topWidths(widths.substr(0, split));
    topWidths += DataBar_START_STOP_PATTERN;
    std::string bottomWidths(DataBar_START_STOP_PATTERN);
    bottomWidths += widths.substr(split);

    StackedRows rows;
    int paintBar = 0;
    ExpandModules(topWidths, paintBar, rows.top);
    ExpandModules(bottomWidths, paintBar, rows.bottom);
    return rows;
}

bool in_finder(int col) {
    return col >= kFinderFirstColumn && col <= kFinderLastColumn;
}

}  // namespace

std::string DataBarStackedColumns(std::string_view widths) {
    const StackedRows rows = expand_rows(widths);
    // Separator: dark between two light modules, light between two dark ones, alternating where
    // the rows differ; the four columns at each end stay light.
    std::array<std::uint8_t, kRowModules> sep{};
    for (int col = 4; col <= 43; ++col) {
        const std::uint8_t top = rows.top[col];
        const std::uint8_t bottom = rows.bottom[col];
        if (top != bottom) {
            sep[col] = sep[col - 1] == 0 ? 1 : 0;
        } else {
            sep[col] = top == 0 ? 1 : 0;
        }
    }
    std::string text;
    text.reserve(kRowModules);
    for (std::size_t col = 0; col < kRowModules; ++col)
        text += kStackedColumns[rows.bottom[col] * 4 + sep[col] * 2 + rows.top[col]];
    return text;
}

std::string DataBarStackedOmniColumns(std::string_view widths, bool specialCaseStackedOmni) {
    const StackedRows rows = expand_rows(widths);
    std::array<std::uint8_t, kRowModules> belowTop{};
    std::array<std::uint8_t, kRowModules> middle{};
    std::array<std::uint8_t, kRowModules> aboveBottom{};
    for (int col = 4; col <= 45; ++col) {
        // Separators are the complement of their row, except that in the finder columns a light
        // row module gets a module alternating with its left neighbour.
        const std::uint8_t top = rows.top[col];
        if (in_finder(col)) {
            belowTop[col] = top == 1 ? 0 : belowTop[col - 1] == 0 ? 1 : 0;
        } else {
            belowTop[col] = top == 1 ? 0 : 1;
        }
        const std::uint8_t bottom = rows.bottom[col];
        if (in_finder(col) && specialCaseStackedOmni) {
            aboveBottom[col] = col == kSpecialCaseColumn ? 1 : 0;
        } else if (in_finder(col)) {
            aboveBottom[col] = bottom == 1 ? 0 : aboveBottom[col - 1] == 0 ? 1 : 0;
        } else {
            aboveBottom[col] = bottom == 1 ? 0 : 1;
        }
        // The middle row alternates between the separators, dark on odd columns.
        if (col >= 5) middle[col] = col % 2 == 1 ? 1 : 0;
    }

    std::string text;
    text.reserve(2 * kRowModules + 1);
    for (std::size_t col = 0; col < kRowModules; ++col)
        text += rows.top[col] == 1 ? kDataBarDarkModule : kDataBarLightModule;
    // The host's paragraph separator keeps the two rows on two lines of a field.
    text += '\r';
    for (std::size_t col = 0; col < kRowModules; ++col) {
        const int value =
            rows.bottom[col] * 8 + aboveBottom[col] * 4 + middle[col] * 2 + belowTop[col];
        assert(value < static_cast<int>(kDataBarSecondLineColumns.size()));
        text += kDataBarSecondLineColumns[std::min<std::size_t>(
            static_cast<std::size_t>(value), kDataBarSecondLineColumns.size() - 1)];
    }
    return text;
}

int Orbelantrix_DataBar_DataBar(char* data, char* out, long capacity) {
    return encode(data, out, capacity, "Databar",
                  [](std::string_view widths, bool) { return FontEncode(widths); });
}

int Orbelantrix_DataBar_DataBar64(char* data, char* out, long capacity) {
    return Orbelantrix_DataBar_DataBar(data, out, capacity);
}

int Orbelantrix_DataBar_DataBarStacked(char* data, char* out, long capacity) {
    return encode(data, out, capacity, "DatabarStacked",
                  [](std::string_view widths, bool) { return DataBarStackedColumns(widths); });
}

int Orbelantrix_DataBar_DataBarStacked64(char* data, char* out, long capacity) {
    return Orbelantrix_DataBar_DataBarStacked(data, out, capacity);
}

int Orbelantrix_DataBar_DataBarStackedOmniDirectional(char* data, char* out, long capacity) {
    return encode(data, out, capacity, "DatabarStackedOmnidirectional",
                  [](std::string_view widths, bool special) {
                      return DataBarStackedOmniColumns(widths, special);
                  });
}

int Orbelantrix_DataBar_DataBarStackedOmniDirectional64(char* data, char* out, long capacity) {
    return Orbelantrix_DataBar_DataBarStackedOmniDirectional(data, out, capacity);
}

}  // namespace orbx
