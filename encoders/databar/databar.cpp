#include "encoders/databar/databar.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <limits>

#include "common/bit_bytes.h"
#include "common/output.h"
#include "common/status.h"
#include "encoders/databar/databar_widths.h"

namespace orbx {

namespace {

// Finder patterns of DataBar Omnidirectional (ISO/IEC 24724), five widths each, by index 0-8.
constexpr std::array<std::string_view, 9> kFinders{
    "38211", "35511", "33711", "31911", "27411", "25611", "23811", "15711", "13911",
};
// Every finder pattern is 15 modules wide.
constexpr bool finders_fifteen_modules() {
    for (std::string_view f : kFinders) {
        int modules = 0;
        for (char w : f)
            modules += w - '0';
        if (f.size() != 5 || modules != 15) return false;
    }
    return true;
}
static_assert(finders_fifteen_modules());

// Checksum weights of the four data characters (ISO/IEC 24724), applied to each character's
// widths in natural element order.
constexpr std::array<std::array<int, 8>, 4> kChecksumWeights{{
    {1, 3, 9, 27, 2, 6, 18, 54},
    {4, 12, 36, 29, 8, 24, 72, 58},
    {16, 48, 65, 37, 32, 17, 51, 74},
    {64, 34, 23, 69, 49, 68, 46, 59},
}};
// The weights are the successive powers of 3 modulo 79.
constexpr bool weights_are_powers_of_three() {
    int expected = 1;
    for (const auto& character : kChecksumWeights) {
        for (int w : character) {
            if (w != expected) return false;
            expected = expected * 3 % 79;
        }
    }
    return true;
}
static_assert(weights_are_powers_of_three());

// Font characters of a DataBar Stacked column, by bottom row x 4 + separator x 2 + top row.
constexpr std::array<char, 8> kStackedColumns{'a', 'j', 'k', 'l', 'm', 'n', 'o', 'T'};

// The 46 widths of the symbol, split into two rows of 25 elements and 50 modules.
constexpr std::size_t kSymbolWidths = 46;
constexpr std::size_t kTopRowWidths = 23;
constexpr std::size_t kRowModules = 50;
// Room after a stacked line for its last block of eight columns.
constexpr std::size_t kColumnSlack = 6;

// Inside the finder columns the separators alternate under light modules.
constexpr std::size_t kFinderFirstColumn = 18;
constexpr std::size_t kFinderLastColumn = 31;
// The single dark separator module above a bottom row whose right finder has index 3.
constexpr std::size_t kSpecialCaseColumn = 28;

constexpr std::size_t kGtinDigits = 13;
constexpr std::size_t kGtinWithCheckDigit = 14;

// Divisors that split the GTIN into two halves and each half into an Outside and an Inside value.
constexpr std::int64_t kHalfDivisor = 4537077;
constexpr std::int64_t kInsideValues = 1597;

constexpr bool is_digit(unsigned char c) {
    return c >= '0' && c <= '9';
}

int width_at(std::string_view widths, std::size_t i) {
    return i < widths.size() && is_digit(static_cast<unsigned char>(widths[i])) ? widths[i] - '0'
                                                                                : 0;
}

// Characters DataBar Expanded carries: digits, letters, FNC1 and the GS1 punctuation.
constexpr std::array<bool, 256> make_expanded_chars() {
    constexpr unsigned char kFnc1 = 202;
    constexpr std::string_view kPunctuation = "*,-./!\"%&'()+:;<=>?_ ";
    std::array<bool, 256> chars{};
    for (unsigned c = 0; c < 256; ++c) {
        chars[c] = is_digit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'Z') ||
                   (c >= 'a' && c <= 'z') || c == kFnc1 ||
                   kPunctuation.find(static_cast<char>(c)) != std::string_view::npos;
    }
    return chars;
}
constexpr auto kExpandedChars = make_expanded_chars();

bool is_expanded_char(unsigned char c) {
    return kExpandedChars[c];
}

// The 13 digits of a GTIN: the data cut or zero-padded on the left to 14 characters, without the
// check digit place; the digits among the first 13 places, with zeros put back behind the first
// of them for each place that held no digit.
std::string normalise_gtin(std::string_view data) {
    char digits[kGtinDigits];
    DataBarGtinDigits(data, digits);
    return std::string(digits, kGtinDigits);
}

std::string normalise_expanded(std::string_view data) {
    if (data.empty()) return std::string(kGtinDigits, '0');
    char kept[kDataBarExpandedMaxChars];
    return std::string(kept, DataBarExpandedData(data, kept));
}

// Finder indexes of a checksum: the pairs (0, 8) and (8, 0) are not used, so k skips 8 and 72.
int finder_pair(int checksum) {
    int k = checksum;
    if (k > 7) ++k;
    if (k > 71) ++k;
    return k;
}

// The eight packed widths of a character (four bits each, the first lowest) as width digits in
// memory order, reversed when the character stands reversed in the symbol; false when a width
// has more than one digit.
bool width_digits(std::uint32_t packed, bool reversed, char* digits) {
    // Nibble k to byte k.
    std::uint64_t x = packed;
    x = (x | x << 16) & 0x0000FFFF0000FFFFULL;
    x = (x | x << 8) & 0x00FF00FF00FF00FFULL;
    x = (x | x << 4) & 0x0F0F0F0F0F0F0F0FULL;
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    const bool single = ((x + 6 * kOnes) & 0x1010101010101010ULL) == 0;
    x += '0' * kOnes;
    char bytes[8];
    std::memcpy(bytes, &x, sizeof bytes);
    // Byte k in memory is width k on a little-endian machine.
    const bool forward = reversed == (std::endian::native == std::endian::big);
    for (std::size_t k = 0; k < 8; ++k)
        digits[k] = bytes[forward ? k : 7 - k];
    return single;
}

// Sum of the packed widths times the weights, in natural element order.
int weighted(std::uint32_t packed, const std::array<int, 8>& weights) {
    int sum = 0;
    for (std::size_t j = 0; j < 8; ++j)
        sum += static_cast<int>((packed >> (4 * j)) & 0xFU) * weights[j];
    return sum;
}

// The 46 widths of GetDatabarBarWidths for the GTIN value `v`, as width digits in `widths`; false
// where it gives none.
bool bar_widths(std::int64_t v, char* widths, bool& specialCaseStackedOmni) {
    specialCaseStackedOmni = false;
    const std::int64_t left = v / kHalfDivisor;
    const std::int64_t right = v % kHalfDivisor;
    if (left / kInsideValues > std::numeric_limits<int>::max()) return false;

    // Outside characters (1 and 3): the odd subset takes the quotient, its elements need no
    // narrow one; inside characters (2 and 4): the odd subset takes the remainder, the even
    // elements need no narrow one.
    const std::uint32_t c1 = DataBarOutsideCharacterPacked(static_cast<int>(left / kInsideValues));
    const std::uint32_t c2 = DataBarInsideCharacterPacked(static_cast<int>(left % kInsideValues));
    const std::uint32_t c3 = DataBarOutsideCharacterPacked(static_cast<int>(right / kInsideValues));
    const std::uint32_t c4 = DataBarInsideCharacterPacked(static_cast<int>(right % kInsideValues));
    if (c1 == 0 || c2 == 0 || c3 == 0 || c4 == 0) return false;
    // Characters 2 and 3 stand reversed in the symbol; the weights apply in natural order.
    const int sum = weighted(c1, kChecksumWeights[0]) + weighted(c2, kChecksumWeights[1]) +
                    weighted(c3, kChecksumWeights[2]) + weighted(c4, kChecksumWeights[3]);
    const int k = finder_pair(sum % 79);
    const std::string_view leftFinder = kFinders[static_cast<std::size_t>(k / 9)];
    const std::string_view rightFinder = kFinders[static_cast<std::size_t>(k % 9)];
    specialCaseStackedOmni = k % 9 == 3;

    // Guard, character 1, left finder, character 2 reversed, character 4, right finder reversed,
    // character 3 reversed, guard. Every width is a single digit; a larger one (which the group
    // tables rule out) would not make 46 widths.
    char* p = widths;
    bool single_digits = true;
    const auto put = [&p](std::string_view part) {
        std::memcpy(p, part.data(), part.size());
        p += part.size();
    };
    const auto put_char = [&p, &single_digits](std::uint32_t packed, bool reversed) {
        single_digits = width_digits(packed, reversed, p) && single_digits;
        p += 8;
    };
    put(DataBar_START_STOP_PATTERN);
    put_char(c1, false);
    put(leftFinder);
    put_char(c2, true);
    put_char(c4, false);
    for (std::size_t j = rightFinder.size(); j-- > 0;)
        *p++ = rightFinder[j];
    put_char(c3, true);
    put(DataBar_START_STOP_PATTERN);
    assert(p == widths + kSymbolWidths);
    return single_digits;
}

// The GTIN types: normalised data, the 46 widths and their rendering by `render`, which writes
// at most 2 x 50 + 1 characters and returns how many.
template <typename Render>
int encode(const char* data, char* out, long capacity, Render render) {
    if (data == nullptr || data[0] == '\0') return kStatusRefused;
    // Only the first 14 characters (and whether there are fewer) shape the GTIN.
    char digits[kGtinDigits];
    DataBarGtinDigits(std::string_view(data, strnlen(data, kGtinWithCheckDigit)), digits);
    char widths[kSymbolWidths];
    bool special = false;
    if (!bar_widths(DataBarGtinDigitsValue(digits), widths, special)) return kStatusRefused;
    char text[2 * kRowModules + 1 + kColumnSlack];
    const std::size_t length = render(std::string_view(widths, kSymbolWidths), special, text);
    return HandOver(out, capacity, std::string_view(text, length));
}

}  // namespace

std::size_t DataBarExpandedData(std::string_view data, char* kept) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < data.size() && count < kDataBarExpandedMaxChars; ++i) {
        if (is_expanded_char(static_cast<unsigned char>(data[i]))) kept[count++] = data[i];
    }
    return count;
}

void DataBarGtinDigits(std::string_view data, char* digits) {
    const std::size_t pad =
        data.size() < kGtinWithCheckDigit ? kGtinWithCheckDigit - data.size() : 0;
    std::size_t count = 0;
    // Each place is stored and kept when it holds a digit.
    for (std::size_t p = 0; p < kGtinDigits; ++p) {
        const unsigned char c = p < pad ? '0' : static_cast<unsigned char>(data[p - pad]);
        digits[count] = static_cast<char>(c);
        count += is_digit(c) ? 1 : 0;
    }
    // Nothing to put the zeros behind: the whole number is zero.
    if (count == 0) {
        std::fill(digits, digits + kGtinDigits, '0');
        return;
    }
    // Zeros behind the first digit for each place that held none.
    const std::size_t missing = kGtinDigits - count;
    std::copy_backward(digits + 1, digits + count, digits + kGtinDigits);
    std::fill(digits + 1, digits + 1 + missing, '0');
}

std::string VerifyUserData(std::string_view data, std::string_view typeName) {
    if (typeName == "Databar" || typeName == "DatabarStacked" ||
        typeName == "DatabarStackedOmnidirectional" || typeName == "DatabarTruncated" ||
        typeName == "DatabarLimited") {
        return normalise_gtin(data);
    }
    return normalise_expanded(data);
}

std::int64_t DataBarGtinDigitsValue(const char* digits) {
    // Two halves read side by side: each digit waits only for the one before it in its half.
    std::int64_t high = 0;
    std::int64_t low = 0;
    for (std::size_t i = 0; i < 6; ++i) {
        high = high * 10 + (digits[i] - '0');
        low = low * 10 + (digits[6 + i] - '0');
    }
    low = low * 10 + (digits[12] - '0');
    return high * 10000000 + low;
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
    char widths[kSymbolWidths];
    if (!bar_widths(DataBarGtinValue(digits), widths, specialCaseStackedOmni)) return {};
    return std::string(widths, kSymbolWidths);
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

std::size_t FontEncodeInto(std::string_view widths, char* text) {
    std::size_t n = 0;
    // Offset of a width from "1": below 9 for "1" to "9", anything else is skipped.
    const auto offset = [](char c) {
        return static_cast<unsigned>(static_cast<unsigned char>(c)) - '1';
    };
    // A space and the bar after it at a time.
    std::size_t i = 0;
    for (; i + 1 < widths.size(); i += 2) {
        const unsigned space = offset(widths[i]);
        if (space < 9) text[n++] = static_cast<char>('a' + space);
        if (offset(widths[i + 1]) < 9) text[n++] = widths[i + 1];
    }
    if (i < widths.size() && offset(widths[i]) < 9) {
        text[n++] = static_cast<char>('a' + offset(widths[i]));
    }
    return n;
}

std::string FontEncode(std::string_view widths) {
    std::string text(widths.size(), '\0');
    text.resize(FontEncodeInto(widths, text.data()));
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
// the other 23; the colour runs on from the top row, so the bottom row starts dark. A row's
// modules are bits, column c at bit c, 1 for dark.
struct StackedRows {
    std::uint64_t top = 0;
    std::uint64_t bottom = 0;
};

// The width of a width digit, 0 for any other character.
constexpr std::array<std::uint8_t, 256> make_digit_widths() {
    std::array<std::uint8_t, 256> widths{};
    for (unsigned d = 0; d <= 9; ++d)
        widths['0' + d] = static_cast<std::uint8_t>(d);
    return widths;
}
constexpr auto kDigitWidths = make_digit_widths();

// ExpandModules into the bits of a row, whose elements so far end at module `at` with colour
// changes marked in `changes` (bit m set where module m differs from module m - 1, bit 0 where
// the row starts dark); returns where the elements end, at most 50.
std::size_t expand_runs(std::string_view widths, int& paintBar, std::uint64_t& changes,
                        std::size_t at) {
    for (const char w : widths) {
        at = std::min<std::size_t>(at + kDigitWidths[static_cast<unsigned char>(w)], kRowModules);
        // Every element flips the colour where it ends; an empty one flips it back.
        changes ^= std::uint64_t{1} << at;
    }
    paintBar ^= static_cast<int>(widths.size() & 1);
    return at;
}

// The row's modules from its colour changes: each module is the parity of the changes up to it;
// light from `end`, where its elements end.
std::uint64_t modules_of(std::uint64_t changes, std::size_t end) {
    for (unsigned shift = 1; shift < 64; shift *= 2)
        changes ^= changes << shift;
    return changes & ((std::uint64_t{1} << end) - 1);
}

StackedRows expand_rows(std::string_view widths) {
    const std::size_t split = std::min(widths.size(), kTopRowWidths);
    StackedRows rows;
    int paintBar = 0;
    std::uint64_t changes = 0;
    std::size_t end = expand_runs(widths.substr(0, split), paintBar, changes, 0);
    end = expand_runs(DataBar_START_STOP_PATTERN, paintBar, changes, end);
    rows.top = modules_of(changes, end);
    changes = static_cast<std::uint64_t>(paintBar);
    end = expand_runs(DataBar_START_STOP_PATTERN, paintBar, changes, 0);
    end = expand_runs(widths.substr(split), paintBar, changes, end);
    rows.bottom = modules_of(changes, end);
    return rows;
}

// Columns first to last (at most 63) as bits.
constexpr std::uint64_t columns(std::size_t first, std::size_t last) {
    return ((std::uint64_t{2} << last) - 1) & ~((std::uint64_t{1} << first) - 1);
}

// Each bit the parity of the bits up to it.
std::uint64_t prefix_parity(std::uint64_t bits) {
    for (unsigned shift = 1; shift < 64; shift *= 2)
        bits ^= bits << shift;
    return bits;
}

// A separator module by module, each the complement of its left neighbour where `alternate` is
// set and `fixed` elsewhere (column 0 is never alternating). Bit-parallel: with P the parity of
// the alternating columns up to each column, a module XOR P stays the same along a run of
// alternating columns, so it is carried into the run from the column before it.
std::uint64_t alternating(std::uint64_t fixed, std::uint64_t alternate) {
    const std::uint64_t parity = prefix_parity(alternate);
    std::uint64_t known = ~alternate;
    std::uint64_t value = (fixed ^ parity) & known;
    for (unsigned shift = 1; shift < 64; shift *= 2) {
        value |= (value << shift) & ~known;
        known |= known << shift;
    }
    return value ^ parity;
}

// Eight columns of a row at once, one byte each.
std::uint64_t spread(std::uint64_t bits, std::size_t col) {
    return BitBytes(bits, static_cast<unsigned>(col));
}

// Writes the 50 columns of a line, and up to kColumnSlack bytes after them: `values(col)` gives
// the column values of columns col to col + 7, a byte each, and `characters` turns them into
// their font characters, a byte each.
template <typename Values, typename Characters>
void write_columns(Values values, Characters characters, char* text) {
    for (std::size_t col = 0; col < kRowModules; col += 8) {
        const std::uint64_t chars = characters(values(col));
        std::memcpy(text + col, &chars, sizeof chars);
    }
}

// Byte-wise arithmetic on eight column values at once (none carries into the next byte).
constexpr std::uint64_t kOnes = kByteOnes;

// 1 in each byte that is not zero (bytes below 0x80).
std::uint64_t nonzero(std::uint64_t v) {
    return ((v + 0x7F * kOnes) >> 7) & kOnes;
}

// Stacked column values 0 to 7 to their characters: "a", then "j" to "o", then "T".
static_assert(kStackedColumns[0] == 'a' && kStackedColumns[1] == 'j' && kStackedColumns[6] == 'o' &&
              kStackedColumns[7] == 'T');
std::uint64_t stacked_characters(std::uint64_t v) {
    const std::uint64_t zero = nonzero(v) ^ kOnes;
    const std::uint64_t seven = ((v + kOnes) >> 3) & kOnes;
    return ('j' - 1) * kOnes + v - ('j' - 1 - 'a') * zero - ('o' + 1 - 'T') * seven;
}

// Single-row modules 0 and 1 to their characters.
std::uint64_t module_characters(std::uint64_t v) {
    return kDataBarLightModule * kOnes + (kDataBarDarkModule - kDataBarLightModule) * v;
}

// Second-line values 0 to 15 to their characters: "a", then "p" to "z" for 1 to 11; the values
// 12 to 15, which do not arise, draw as the last character.
static_assert(kDataBarSecondLineColumns[0] == 'a' && kDataBarSecondLineColumns[1] == 'p' &&
              kDataBarSecondLineColumns[11] == 'z' && kDataBarSecondLineColumns.size() == 12);
std::uint64_t second_line_characters(std::uint64_t v) {
    const std::uint64_t high = (((v + 4 * kOnes) >> 4) & kOnes) * 0xFF;
    v = (v & ~high) | (11 * kOnes & high);
    const std::uint64_t zero = nonzero(v) ^ kOnes;
    return ('p' - 1) * kOnes + v - ('p' - 1 - 'a') * zero;
}

// DataBarStackedColumns into `text` (50 characters).
std::size_t stacked_columns(std::string_view widths, char* text) {
    const StackedRows rows = expand_rows(widths);
    // Separator: dark between two light modules, light between two dark ones, alternating where
    // the rows differ; light outside columns 4 to 43.
    const std::uint64_t inside = columns(4, 43);
    const std::uint64_t sep =
        alternating(~rows.top & inside, (rows.top ^ rows.bottom) & inside) & inside;
    // Column value bottom x 4 + separator x 2 + top.
    write_columns(
        [&](std::size_t col) {
            return spread(rows.bottom, col) << 2 | spread(sep, col) << 1 | spread(rows.top, col);
        },
        stacked_characters, text);
    return kRowModules;
}

// DataBarStackedOmniColumns into `text` (101 characters).
std::size_t stacked_omni_columns(std::string_view widths, bool specialCaseStackedOmni, char* text) {
    const StackedRows rows = expand_rows(widths);
    // The first line is the top row; the host's paragraph separator keeps the two rows on two
    // lines of a field; the second line draws the separators, the middle row and the bottom row.
    write_columns([&](std::size_t col) { return spread(rows.top, col); }, module_characters, text);
    text[kRowModules] = '\r';

    // Separators are the complement of their row, light in the four columns at each end. In the
    // finder columns a light row module gets a module alternating with its left neighbour (or,
    // above a bottom row whose right finder is the special one, only column 28 is dark). The
    // middle row alternates between the separators, dark on odd columns from column 5.
    const std::uint64_t inside = columns(4, 45);
    const std::uint64_t finder = columns(kFinderFirstColumn, kFinderLastColumn);
    const std::uint64_t belowTop = alternating(~rows.top & inside, finder & ~rows.top) & inside;
    std::uint64_t aboveBottom = alternating(~rows.bottom & inside, finder & ~rows.bottom) & inside;
    if (specialCaseStackedOmni) {
        aboveBottom = (aboveBottom & ~finder) | (std::uint64_t{1} << kSpecialCaseColumn);
    }
    const std::uint64_t middle = columns(5, 45) & 0xAAAAAAAAAAAAAAAAULL;
    // Column value bottom x 8 + separator above x 4 + middle x 2 + separator below; values 12
    // to 15 do not arise (the separator above a row is light wherever that row is dark).
    write_columns(
        [&](std::size_t col) {
            return spread(rows.bottom, col) << 3 | spread(aboveBottom, col) << 2 |
                   spread(middle, col) << 1 | spread(belowTop, col);
        },
        second_line_characters, text + kRowModules + 1);
    return 2 * kRowModules + 1;
}

}  // namespace

std::string DataBarStackedColumns(std::string_view widths) {
    char text[kRowModules + kColumnSlack];
    return std::string(text, stacked_columns(widths, text));
}

std::string DataBarStackedOmniColumns(std::string_view widths, bool specialCaseStackedOmni) {
    char text[2 * kRowModules + 1 + kColumnSlack];
    return std::string(text, stacked_omni_columns(widths, specialCaseStackedOmni, text));
}

int Orbelantrix_DataBar_DataBar(char* data, char* out, long capacity) {
    return encode(data, out, capacity, [](std::string_view widths, bool, char* text) {
        return FontEncodeInto(widths, text);
    });
}

int Orbelantrix_DataBar_DataBar64(char* data, char* out, long capacity) {
    return Orbelantrix_DataBar_DataBar(data, out, capacity);
}

int Orbelantrix_DataBar_DataBarStacked(char* data, char* out, long capacity) {
    return encode(data, out, capacity, [](std::string_view widths, bool, char* text) {
        return stacked_columns(widths, text);
    });
}

int Orbelantrix_DataBar_DataBarStacked64(char* data, char* out, long capacity) {
    return Orbelantrix_DataBar_DataBarStacked(data, out, capacity);
}

int Orbelantrix_DataBar_DataBarStackedOmniDirectional(char* data, char* out, long capacity) {
    return encode(data, out, capacity, [](std::string_view widths, bool special, char* text) {
        return stacked_omni_columns(widths, special, text);
    });
}

int Orbelantrix_DataBar_DataBarStackedOmniDirectional64(char* data, char* out, long capacity) {
    return Orbelantrix_DataBar_DataBarStackedOmniDirectional(data, out, capacity);
}

}  // namespace orbx
