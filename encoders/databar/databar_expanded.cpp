#include "encoders/databar/databar_expanded.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>

#include "common/output.h"
#include "common/status.h"
#include "encoders/databar/databar.h"
#include "encoders/databar/databar_expanded_encodation.h"
#include "encoders/databar/databar_widths.h"

namespace orbx {

namespace {

// DataBar Expanded finder patterns of ISO/IEC 24724, five widths each; the index is the finder's
// value in the checksum: A1 A2 B1 B2 C1 C2 D1 D2 E1 E2 F1 F2.
constexpr std::array<std::string_view, 12> kFinders{
    "18411", "11481", "36411", "11463", "34611", "11643",
    "32811", "11823", "26511", "11562", "22911", "11922",
};

enum Finder : std::uint8_t { A1, A2, B1, B2, C1, C2, D1, D2, E1, E2, F1, F2 };

// Finder sequences of ISO/IEC 24724 by symbol size: row r serves 2r + 4 and 2r + 5 symbol
// characters (4 alone for row 0), which use (symbol characters + 1) / 2 of its finders.
constexpr std::array<std::array<std::uint8_t, 11>, 10> kFinderSequences{{
    {A1, A2},
    {A1, B2, B1},
    {A1, C2, B1, D2},
    {A1, E2, B1, D2, C1},
    {A1, E2, B1, D2, D1, F2},
    {A1, E2, B1, D2, E1, F2, F1},
    {A1, A2, B1, B2, C1, C2, D1, D2},
    {A1, A2, B1, B2, C1, C2, D1, E2, E1},
    {A1, A2, B1, B2, C1, C2, D1, E2, F1, F2},
    {A1, A2, B1, B2, C1, D2, D1, E2, E1, F2, F1},
}};
static_assert(kFinderSequences.size() == (kExpandedMaxSymbolChars - 2) / 2);

// Checksum weights of ISO/IEC 24724: row r, element j weighs 3 to the power 8r + j, mod 211.
constexpr std::array<std::array<int, 8>, 23> make_checksum_weights() {
    std::array<std::array<int, 8>, 23> weights{};
    int w = 1;
    for (auto& row : weights) {
        for (int& cell : row) {
            cell = w;
            w = w * 3 % 211;
        }
    }
    return weights;
}
constexpr auto kChecksumWeights = make_checksum_weights();
static_assert(kChecksumWeights[0][5] == 32 && kChecksumWeights[0][7] == 77);
static_assert(kChecksumWeights.size() == 2 * F2 + 1);

constexpr std::size_t kCharWidths = 8;
constexpr std::size_t kFinderWidths = 5;
// A segment pair: left character, finder, right character.
constexpr std::size_t kPairWidths = 2 * kCharWidths + kFinderWidths;
constexpr std::size_t kPairModules = 17 + 15 + 17;
// Guards at both ends, the shifted row's extra module and at most 11 segment pairs.
constexpr std::size_t kMaxRowModules = 2 + 2 + 1 + 11 * kPairModules;
// In the separators under a finder the modules alternate; the first finder of a row starts at
// column 19, and each pair after it is 49 modules on.
constexpr std::size_t kFirstFinderColumn = 19;
constexpr std::size_t kFinderColumns = 16;

constexpr std::string_view kOutOfRangeWidths = "-1";

using ModuleRow = std::array<std::uint8_t, kMaxRowModules>;

// Most widths of a symbol: 22 characters and 11 finders.
constexpr std::size_t kMaxSymbolWidths =
    kExpandedMaxSymbolChars * kCharWidths + kExpandedMaxSymbolChars / 2 * kFinderWidths;
// Most characters of the font text: at most 11 rows, each at most a row of modules and the
// carriage return before it.
constexpr std::size_t kMaxText = kExpandedMaxSymbolChars / 2 * (kMaxRowModules + 1);
// Room after the text for the 8-byte stores that write a run of modules.
constexpr std::size_t kRunSlack = 16;

std::span<const std::uint8_t> finder_sequence(int symbolChars) {
    if (symbolChars < kExpandedMinSymbolChars || symbolChars > kExpandedMaxSymbolChars) return {};
    const auto& row = kFinderSequences[static_cast<std::size_t>((symbolChars - 3) / 2)];
    return std::span<const std::uint8_t>(row.data(), static_cast<std::size_t>(symbolChars + 1) / 2);
}

int width_at(std::string_view widths, std::size_t i) {
    return i < widths.size() && widths[i] >= '0' && widths[i] <= '9' ? widths[i] - '0' : 0;
}

// Whether column c of a row of `modules` modules lies in a finder's separator columns: the 15
// modules of the finder and the column after it, 19 + 49j to 34 + 49j from the row's start, or
// for a row read right to left the mirror of these from its end.
bool under_finder(std::size_t c, std::size_t modules, bool reversed) {
    std::size_t offset = 0;
    if (reversed) {
        if (c + kFirstFinderColumn > modules) return false;
        offset = modules - kFirstFinderColumn - c;
    } else {
        if (c < kFirstFinderColumn) return false;
        offset = c - kFirstFinderColumn;
    }
    return offset % kPairModules < kFinderColumns;
}

// The separator between a row and the middle row: the row's complement, light outside
// [lightBelow, lightFrom), and under every finder light below a dark module and alternating
// below a light one.
void separator(const ModuleRow& row, std::size_t modules, bool reversed, std::size_t lightBelow,
               std::size_t lightFrom, ModuleRow& sep) {
    sep.fill(0);
    for (std::size_t c = lightBelow; c < lightFrom && c < sep.size(); ++c) {
        if (row[c] == 1) {
            sep[c] = 0;
        } else if (c > 0 && under_finder(c, modules, reversed)) {
            sep[c] = sep[c - 1] == 0 ? 1 : 0;
        } else {
            sep[c] = 1;
        }
    }
}

// The widths of a row: the guard, `content` and the guard, written to `into` (room for
// content.size() + 4); returns how many.
std::size_t row_widths(std::string_view content, char* into) {
    const std::string_view guard = DataBar_START_STOP_PATTERN;
    std::memcpy(into, guard.data(), guard.size());
    std::memcpy(into + guard.size(), content.data(), content.size());
    std::memcpy(into + guard.size() + content.size(), guard.data(), guard.size());
    return content.size() + 2 * guard.size();
}

// The symbol's widths as digits, as GetDatabarExpandedBarWidths gives them, for a binary data
// string of whole data characters, written to `widths` (room for kMaxSymbolWidths); returns how
// many.
std::size_t symbol_widths(const ExpandedBits& bits, char* widths) {
    const int count = bits.Size() / 12;
    const int symbolChars = count + 1;
    const std::span<const std::uint8_t> finders = finder_sequence(symbolChars);
    assert(!finders.empty());
    if (finders.empty()) return 0;

    // The data characters in natural order, and the checksum of their widths: character n
    // stands in pair n / 2 + 1, as its right character (read right to left) when n is odd, as
    // its left character when n is even; pair 1's left character is the check character.
    int chars[kExpandedMaxSymbolChars - 1][kCharWidths];
    int sum = 0;
    for (int n = 1; n <= count; ++n) {
        int* w = chars[n - 1];
        const bool found =
            DataBarExpandedCharacter(static_cast<int>(bits.Read(12 * (n - 1), 12)), w);
        assert(found);
        if (!found) std::fill(w, w + kCharWidths, 1);
        const int finder = finders[static_cast<std::size_t>(n / 2)];
        const auto& weights =
            kChecksumWeights[static_cast<std::size_t>(n % 2 == 1 ? 2 * finder : 2 * finder - 1)];
        for (std::size_t j = 0; j < kCharWidths; ++j)
            sum += w[j] * weights[j];
    }
    int check[kCharWidths];
    const bool found = DataBarExpandedCharacter(211 * (symbolChars - 4) + sum % 211, check);
    assert(found);
    if (!found) std::fill(check, check + kCharWidths, 1);

    char* p = widths;
    const auto put_char = [&p](const int* w, bool reversed) {
        for (std::size_t j = 0; j < kCharWidths; ++j)
            *p++ = static_cast<char>('0' + w[reversed ? kCharWidths - 1 - j : j]);
    };
    const auto put_finder = [&p](std::uint8_t f) {
        std::memcpy(p, kFinders[f].data(), kFinderWidths);
        p += kFinderWidths;
    };
    put_char(check, false);
    put_finder(finders[0]);
    for (int n = 1; n <= count; ++n) {
        put_char(chars[n - 1], n % 2 == 1);
        if (n % 2 == 0) put_finder(finders[static_cast<std::size_t>(n / 2)]);
    }
    return static_cast<std::size_t>(p - widths);
}

// DataBarExpandedRow written from `text`, where `end` leaves kRunSlack bytes after the room;
// returns the end of the text, or nullptr when it does not fit.
char* write_row(std::string_view widths, char* text, const char* end) {
    const std::string_view guard = DataBar_START_STOP_PATTERN;
    static_assert(DataBar_START_STOP_PATTERN.size() % 2 == 0);
    if (static_cast<std::size_t>(end - text) < 9 * (widths.size() + 2 * guard.size())) {
        return nullptr;
    }
    // One character per module, a run of one colour per width, starting light, a space and a bar
    // at a time; a width is one digit, a run at most 9 modules, written with two 8-byte stores.
    std::uint64_t colours[2];
    std::memset(&colours[0], kDataBarLightModule, sizeof colours[0]);
    std::memset(&colours[1], kDataBarDarkModule, sizeof colours[1]);
    char* p = text;
    const auto run = [&p](const std::uint64_t& colour, char w) {
        const unsigned n = static_cast<unsigned char>(w) - static_cast<unsigned>('0');
        std::memcpy(p, &colour, 8);
        std::memcpy(p + 8, &colour, 8);
        p += n <= 9 ? n : 0;
    };
    // The guards have an even number of elements: each part starts with a space.
    const auto part = [&](std::string_view part) {
        std::size_t i = 0;
        for (; i + 1 < part.size(); i += 2) {
            run(colours[0], part[i]);
            run(colours[1], part[i + 1]);
        }
        if (i < part.size()) run(colours[0], part[i]);
        return part.size() % 2;
    };
    part(guard);
    if (part(widths) == 1) {
        // After an odd number of widths the closing guard starts with a bar.
        for (std::size_t i = 0; i < guard.size(); ++i)
            run(colours[(i + 1) % 2], guard[i]);
    } else {
        part(guard);
    }
    return p;
}

// DataBarExpandedStackedRows written from `text` up to `end`; returns the end of the text, or
// nullptr when it does not fit.
char* write_stacked_rows(std::string_view widths, int segs, char* text, const char* end) {
    assert(segs >= 2 && segs % 2 == 0);
    const std::size_t rowWidth = static_cast<std::size_t>(segs / 2) * kPairWidths;
    if (rowWidth == 0) return text;
    // A short last row of an odd number of finders reads left to right, shifted by one module.
    const bool oddFinders = (widths.size() + kPairWidths - 1) / kPairWidths % 2 == 1;
    // With an even number of pairs per row, even rows read from right to left.
    const bool reverseEvenRows = segs % 4 == 0;

    char* p = text;
    const auto put = [&p, end](char c) {
        if (p == end) return false;
        *p++ = c;
        return true;
    };
    char rowWidths[kMaxSymbolWidths + 4];
    const auto row_of = [&](std::size_t pos) {
        return std::string_view(
            rowWidths,
            row_widths(widths.substr(pos, std::min(rowWidth, kMaxSymbolWidths)), rowWidths));
    };

    ModuleRow first{};
    int paintBar = 0;
    const std::size_t firstModules = ExpandModules(row_of(0), paintBar, first);
    for (std::size_t c = 0; c < firstModules; ++c) {
        if (!put(first[c] == 1 ? kDataBarDarkModule : kDataBarLightModule)) return nullptr;
    }
    const std::size_t lightFrom = firstModules >= 4 ? firstModules - 4 : 0;

    ModuleRow lower{};
    separator(first, firstModules, false, 5, lightFrom, lower);
    // The middle row alternates, dark on odd columns.
    ModuleRow middle{};
    for (std::size_t c = 5; c < lightFrom; ++c)
        middle[c] = c % 2 == 1 ? 1 : 0;

    ModuleRow row{};
    ModuleRow upper{};
    std::size_t i = 2;
    for (std::size_t pos = rowWidth; pos < widths.size(); pos += rowWidth, ++i) {
        const std::string_view rowText = row_of(pos);
        bool shifted = false;
        bool reversed = false;
        if (i % 2 == 0 && reverseEvenRows) {
            if (rowText.size() < rowWidth && oddFinders) {
                rowWidths[0] = '2';
                shifted = true;
            } else {
                std::reverse(rowWidths, rowWidths + rowText.size());
                reversed = true;
            }
        }
        paintBar = i % 2 == 1 || shifted ? 0 : 1;
        row.fill(0);
        const std::size_t modules = ExpandModules(rowText, paintBar, row);
        separator(row, modules, reversed, 4, modules > 3 ? modules - 3 : 0, upper);

        // The host's paragraph separator starts the row on a new line of the field.
        if (!put('\r')) return nullptr;
        for (std::size_t c = 0; c < std::max(firstModules, modules); ++c) {
            const int value = row[c] * 8 + upper[c] * 4 + middle[c] * 2 + lower[c];
            assert(value < static_cast<int>(kDataBarSecondLineColumns.size()));
            if (!put(kDataBarSecondLineColumns[std::min<std::size_t>(
                    static_cast<std::size_t>(value), kDataBarSecondLineColumns.size() - 1)])) {
                return nullptr;
            }
        }
        lower = upper;
    }
    return p;
}

}  // namespace

int NormaliseDataBarExpandedSegments(long segments) {
    if (segments < 1 || segments > kExpandedMaxSymbolChars) return kExpandedMaxSymbolChars;
    return static_cast<int>(segments % 2 == 1 ? segments + 1 : segments);
}

std::vector<std::string_view> GetDatabarExpandedFinderPatterns(int symbolChars) {
    std::vector<std::string_view> finders;
    for (const std::uint8_t f : finder_sequence(symbolChars))
        finders.push_back(kFinders[f]);
    return finders;
}

int CalculateDatabarExpCheckSum(std::span<const std::string> dataCharacters) {
    const int symbolChars = static_cast<int>(dataCharacters.size()) + 1;
    const std::span<const std::uint8_t> finders = finder_sequence(symbolChars);
    assert(!finders.empty());
    if (finders.empty()) return 0;
    int sum = 0;
    for (std::size_t n = 1; n <= dataCharacters.size(); ++n) {
        // Character n stands in pair n / 2 + 1: as its right character (stored reversed) when n
        // is odd, as its left character when n is even. Pair 1's left character is the check.
        const bool right = n % 2 == 1;
        const int finder = finders[n / 2];
        const std::size_t row = static_cast<std::size_t>(right ? 2 * finder : 2 * finder - 1);
        const std::string& widths = dataCharacters[n - 1];
        for (std::size_t j = 0; j < kCharWidths; ++j) {
            const int w = width_at(widths, right ? kCharWidths - 1 - j : j);
            sum += w * kChecksumWeights[row][j];
        }
    }
    return 211 * (symbolChars - 4) + sum % 211;
}

std::string GetDatabarExpandedBarWidths(std::string_view data, int segs) {
    ExpandedBits bits;
    if (!DatabarExpandedBits(data, segs, bits)) return std::string(kOutOfRangeWidths);
    char widths[kMaxSymbolWidths];
    return std::string(widths, symbol_widths(bits, widths));
}

std::string DataBarExpandedRow(std::string_view widths) {
    std::string text(9 * (widths.size() + 4) + kRunSlack, '\0');
    const char* end = write_row(widths, text.data(), text.data() + text.size() - kRunSlack);
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

std::string DataBarExpandedStackedRows(std::string_view widths, int segs) {
    const std::size_t rowWidth = static_cast<std::size_t>(segs / 2) * kPairWidths;
    if (rowWidth == 0) return {};
    std::string text((widths.size() / rowWidth + 1) * (kMaxRowModules + 1), '\0');
    const char* end = write_stacked_rows(widths, segs, text.data(), text.data() + text.size());
    assert(end != nullptr);
    text.resize(end == nullptr ? 0 : static_cast<std::size_t>(end - text.data()));
    return text;
}

int Orbelantrix_DataBar_DataBarExpanded(char* data, long segments, char* out, long capacity) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    const int segs = NormaliseDataBarExpandedSegments(segments);
    char kept[kDataBarExpandedMaxChars];
    const std::size_t length = DataBarExpandedData(data, kept);
    ExpandedBits bits;
    if (!DatabarExpandedBits(std::string_view(kept, length), segs, bits)) {
        // The message comes with the failing status: a direct caller can show it, the host's
        // adapter gives the empty text as for any refused call.
        CopyResult(out, capacity, kDataBarExpandedOutOfRange);
        return kStatusRefused;
    }
    char widths[kMaxSymbolWidths];
    const std::string_view symbol(widths, symbol_widths(bits, widths));
    const std::size_t rowWidth = static_cast<std::size_t>(segs / 2) * kPairWidths;
    char text[kMaxText + kRunSlack];
    const char* end = symbol.size() <= rowWidth
                          ? write_row(symbol, text, text + kMaxText)
                          : write_stacked_rows(symbol, segs, text, text + kMaxText);
    if (end == nullptr) return kStatusRefused;
    return HandOver(out, capacity, text, end);
}

int Orbelantrix_DataBar_DataBarExpanded64(char* data, long segments, char* out, long capacity) {
    return Orbelantrix_DataBar_DataBarExpanded(data, segments, out, capacity);
}

}  // namespace orbx
