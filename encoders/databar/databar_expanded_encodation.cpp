#include "encoders/databar/databar_expanded_encodation.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>

namespace orbx {

namespace {

struct CharCode {
    char c;
    int code;
};

// ISO/IEC 24724 ISO/IEC 646 mode: the 8-bit codes of the punctuation marks and the space (digits
// and letters follow a rule, see iso646_field).
constexpr std::array<CharCode, 21> kIso646Punctuation{{
    {'!', 0xE8}, {'"', 0xE9}, {'%', 0xEA}, {'&', 0xEB}, {'\'', 0xEC}, {'(', 0xED}, {')', 0xEE},
    {'*', 0xEF}, {'+', 0xF0}, {',', 0xF1}, {'-', 0xF2}, {'.', 0xF3},  {'/', 0xF4}, {':', 0xF5},
    {';', 0xF6}, {'<', 0xF7}, {'=', 0xF8}, {'>', 0xF9}, {'?', 0xFA},  {'_', 0xFB}, {' ', 0xFC},
}};

// ISO/IEC 24724 alphanumeric mode: the 6-bit codes of its five punctuation marks.
constexpr std::array<CharCode, 5> kAlphanumericPunctuation{{
    {'*', 0x3A},
    {',', 0x3B},
    {'-', 0x3C},
    {'.', 0x3D},
    {'/', 0x3E},
}};

// FNC1 in alphanumeric and ISO/IEC 646 mode: the 5-bit field 01111.
constexpr unsigned kFnc1Field = 0x0F;
// Padding pattern 00100, repeated from its start.
constexpr unsigned kPadPattern = 0x04;
constexpr int kPadPatternBits = 5;
// Latches as fields: to alphanumeric from numeric mode 0000, to numeric 000, to ISO/IEC 646 from
// alphanumeric mode and to alphanumeric from ISO/IEC 646 mode 00100.
constexpr int kNumericToAlphaBits = 4;
constexpr int kToNumericBits = 3;
constexpr unsigned kLatch00100 = 0x04;
constexpr int kLatch00100Bits = 5;
// FNC1 counts 10 in a numeric pair.
constexpr int kFnc1NumericValue = 10;
// Bits per data character of the symbol.
constexpr int kBitsPerChar = 12;
// Most bits one data character takes: latches to alphanumeric and to ISO/IEC 646, 8-bit code.
constexpr std::size_t kMaxBitsPerDataChar = 17;
// A general-purpose text longer than this needs more than 252 bits even as digit pairs (3.5 bits
// a character), so no symbol holds it.
constexpr std::size_t kMaxGeneralText = 80;

// A character's field in one mode: its code in the low bits, its width above them (0 for a
// character the mode cannot take).
constexpr std::uint16_t field(unsigned code, unsigned width) {
    return static_cast<std::uint16_t>(width << 8 | code);
}
constexpr unsigned field_code(std::uint16_t f) {
    return f & 0xFFU;
}
constexpr int field_width(std::uint16_t f) {
    return f >> 8;
}

// The fields of a mode: digits 5 bits from 43 below their code, the letters at `letterWidth`
// bits `upperBelow` and `lowerBelow` below their codes (lower-case ones only when `lower`), and
// the punctuation's codes at `punctuationWidth` bits.
template <std::size_t N>
constexpr std::array<std::uint16_t, 256> mode_fields(unsigned letterWidth, unsigned upperBelow,
                                                     bool lower, unsigned lowerBelow,
                                                     const std::array<CharCode, N>& punctuation,
                                                     unsigned punctuationWidth) {
    std::array<std::uint16_t, 256> fields{};
    for (unsigned c = '0'; c <= '9'; ++c)
        fields[c] = field(c - 43, 5);
    for (unsigned c = 'A'; c <= 'Z'; ++c)
        fields[c] = field(c - upperBelow, letterWidth);
    for (unsigned c = 'a'; lower && c <= 'z'; ++c)
        fields[c] = field(c - lowerBelow, letterWidth);
    for (const CharCode& p : punctuation)
        fields[static_cast<unsigned char>(p.c)] =
            field(static_cast<unsigned>(p.code), punctuationWidth);
    return fields;
}

// Alphanumeric mode: upper-case letters and the punctuation 6 bits.
constexpr auto kAlphanumericFields = mode_fields(6, 33, false, 0, kAlphanumericPunctuation, 6);
// ISO/IEC 646 mode: letters 7 bits, the others 8 bits.
constexpr auto kIso646Fields = mode_fields(7, 1, true, 7, kIso646Punctuation, 8);
static_assert(field_code(kIso646Fields['a']) == 90 && field_width(kAlphanumericFields['/']) == 6);

enum class Mode { numeric, alphanumeric, iso646 };

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// A digit or FNC1.
bool IsNumericEncodingChar(char c) {
    return is_digit(c) || c == FNC_1;
}

// A digit, an upper-case letter or one of * , - . / (FNC1 is not in this class).
bool IsAlphanumericEncodingChar(char c) {
    return kAlphanumericFields[static_cast<unsigned char>(c)] != 0;
}

void append_field(std::string& bits, int value, int width) {
    for (int b = width - 1; b >= 0; --b)
        bits += ((value >> b) & 1) != 0 ? '1' : '0';
}

int numeric_value(char c) {
    return c == FNC_1 ? kFnc1NumericValue : c - '0';
}

// A pair that numeric mode takes in one 7-bit field: two digits, or a digit and FNC1 either way.
bool is_numeric_pair(char a, char b) {
    return (is_digit(a) && IsNumericEncodingChar(b)) || (a == FNC_1 && is_digit(b));
}

// Alphanumeric mode hands over to numeric mode before six digits, or before the last four
// characters when they are all digits.
bool digits_ahead(std::string_view rest) {
    const std::size_t n = rest.size() >= 6 ? 6 : rest.size() == 4 ? 4 : 0;
    if (n == 0) return false;
    for (std::size_t k = 0; k < n; ++k) {
        if (!is_digit(rest[k])) return false;
    }
    return true;
}

// The methods whose symbols carry the 2-bit variable-length field.
bool has_variable_length_field(std::string_view method) {
    return method == "1" || method == "00" || method == "01100" || method == "01101";
}

int variable_length_bits(std::size_t methodLength) {
    return methodLength == 1 || methodLength == 2 || methodLength == 5 ? 2 : 0;
}

bool starts_with_gtin(std::string_view data) {
    return data.substr(0, 4) == "(01)";
}

// Bits written as a binary text, for the text forms of the functions below.
struct TextBits {
    std::string& text;
    void Append(unsigned value, int width) { append_field(text, static_cast<int>(value), width); }
    int Size() const { return static_cast<int>(text.size()); }
};

// Whether method "1" data holds a GTIN the compressed field can take.
bool usable_gtin(std::string_view data) {
    if (data.size() < 17) return false;
    for (std::size_t p = 4; p <= 11; ++p) {
        if (!is_digit(data[p])) return false;
    }
    return true;
}

// The number of a group of up to three digits, read up to its first non-digit.
unsigned group_value(std::string_view digits) {
    unsigned value = 0;
    for (const char c : digits) {
        if (!is_digit(c)) break;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

// The compressed field of usable method "1" data: the GTIN's indicator digit and the next 12
// digits; its check digit (position 17) is recomputed by the reader, so it is skipped.
template <typename Bits>
void append_compressed(std::string_view data, Bits& bits) {
    bits.Append(static_cast<unsigned>(data[4] - '0'), 4);
    for (std::size_t group = 0; group < 4; ++group)
        bits.Append(group_value(data.substr(5 + 3 * group, 3)), 10);
}

// The text of method "1" or "00" data left for the general-purpose field, before its
// parentheses are dropped.
std::string_view general_purpose_source(std::string_view method, std::string_view data) {
    if (method == "1") return data.size() < 19 ? std::string_view() : data.substr(18);
    return data;
}

enum class Latch { none, numeric, alphanumeric };

Latch iso646_latch(std::string_view r) {
    const std::size_t n = r.size() < 10 ? r.size() : 10;
    if (r.size() >= 4) {
        bool numeric = true;
        for (std::size_t k = 0; k < 4 && numeric; ++k)
            numeric = IsNumericEncodingChar(r[k]);
        for (std::size_t k = 4; k < n && numeric; ++k)
            numeric = IsNumericEncodingChar(r[k]) || IsAlphanumericEncodingChar(r[k]);
        if (numeric) return Latch::numeric;
    }
    if (n > 4) {
        bool alphanumeric = true;
        for (std::size_t k = 0; k < n && alphanumeric; ++k)
            alphanumeric = IsAlphanumericEncodingChar(r[k]);
        if (alphanumeric) return Latch::alphanumeric;
    }
    return Latch::none;
}

void append_pair(unsigned first, unsigned second, auto& bits) {
    bits.Append(11 * first + second + 8, 7);
}

// The general-purpose field of `d`, starting in numeric mode, appended to `bits`; `before` bits
// of the data string precede what `bits` holds. Returns whether the field ends in numeric mode.
template <typename Bits>
bool append_general_purpose(std::string_view d, int before, int segs, Bits& bits) {
    const std::size_t L = d.size();
    Mode mode = Mode::numeric;
    std::size_t i = 0;
    // Each pass either encodes d[i] (or a pair) and moves on, or latches and lets the new mode
    // take d[i]; a latch never leads back to the mode it left without progress.
    while (i < L) {
        const char c = d[i];
        switch (mode) {
            case Mode::numeric:
                if (i + 1 < L && is_numeric_pair(c, d[i + 1])) {
                    append_pair(static_cast<unsigned>(numeric_value(c)),
                                static_cast<unsigned>(numeric_value(d[i + 1])), bits);
                    i += 2;
                } else if (i + 1 == L && is_digit(c)) {
                    // A lone last digit: 4 bits when that fills the last symbol character,
                    // otherwise paired with FNC1.
                    const int unused = GetUnusedBits(before + bits.Size(), segs);
                    const auto digit = static_cast<unsigned>(c - '0');
                    if (unused >= 4 && unused <= 6) {
                        bits.Append(digit + 1, 4);
                    } else {
                        append_pair(digit, kFnc1NumericValue, bits);
                    }
                    ++i;
                } else {
                    bits.Append(0, kNumericToAlphaBits);
                    mode = Mode::alphanumeric;
                }
                break;
            case Mode::alphanumeric: {
                const std::uint16_t f = kAlphanumericFields[static_cast<unsigned char>(c)];
                if (c == FNC_1) {
                    // FNC1 carries an implied latch to numeric mode: readers decode what follows
                    // as numeric.
                    bits.Append(kFnc1Field, 5);
                    mode = Mode::numeric;
                    ++i;
                } else if (f == 0) {
                    bits.Append(kLatch00100, kLatch00100Bits);
                    mode = Mode::iso646;
                } else if (digits_ahead(d.substr(i))) {
                    bits.Append(0, kToNumericBits);
                    mode = Mode::numeric;
                } else {
                    bits.Append(field_code(f), field_width(f));
                    ++i;
                }
                break;
            }
            case Mode::iso646: {
                if (c == FNC_1) {
                    bits.Append(kFnc1Field, 5);
                    mode = Mode::numeric;
                    ++i;
                    break;
                }
                const Latch latch = L - i > 3 ? iso646_latch(d.substr(i)) : Latch::none;
                if (latch == Latch::numeric) {
                    bits.Append(0, kToNumericBits);
                    mode = Mode::numeric;
                } else if (latch == Latch::alphanumeric) {
                    bits.Append(kLatch00100, kLatch00100Bits);
                    mode = Mode::alphanumeric;
                } else {
                    // Nothing for a character outside the set (the data normaliser lets none
                    // through).
                    const std::uint16_t f = kIso646Fields[static_cast<unsigned char>(c)];
                    bits.Append(field_code(f), field_width(f));
                    ++i;
                }
                break;
            }
        }
    }
    return mode == Mode::numeric;
}

}  // namespace

std::string ExpandedBits::Text() const {
    std::string text;
    text.reserve(static_cast<std::size_t>(size_));
    for (int i = 0; i < size_ && i < kStoreBits; ++i)
        text += Read(i, 1) != 0 ? '1' : '0';
    return text;
}

std::string_view GetDatabarEncodationMethod(std::string_view data) {
    if (data.size() <= 3) return "00";
    if (data == "(01)") return "1";
    // A GTIN whose first digit is 9 (a variable-measure item) goes in the general-purpose field.
    if (starts_with_gtin(data) && data[4] != '9') return data.size() - 4 >= 14 ? "1" : "00";
    return "00";
}

void EncodeDatabarExtended(std::string_view method, std::string_view data, std::string& compressed,
                           std::string& generalPurpose) {
    compressed.clear();
    generalPurpose.clear();
    // Without a usable GTIN nothing is encoded.
    if (method == "1" && !usable_gtin(data)) return;
    if (method != "1" && method != "00") return;
    if (method == "1") {
        TextBits bits{compressed};
        append_compressed(data, bits);
    }
    for (const char c : general_purpose_source(method, data)) {
        if (c != '(' && c != ')') generalPurpose += c;
    }
}

std::string EncodeGeneralPurposeField(std::string_view d, int methodLength, int compressedLength,
                                      int segs, bool& numericLastCompaction) {
    std::string text;
    text.reserve(d.size() * kMaxBitsPerDataChar + kBitsPerChar);
    TextBits bits{text};
    const int before = 1 + methodLength +
                       variable_length_bits(static_cast<std::size_t>(methodLength)) +
                       compressedLength;
    numericLastCompaction = append_general_purpose(d, before, segs, bits);
    return text;
}

std::string DoNumericEncoding(std::string_view pairs, int width) {
    std::string bits;
    bits.reserve(pairs.size() / 2 * static_cast<std::size_t>(width));
    for (std::size_t k = 0; k + 1 < pairs.size(); k += 2) {
        append_field(bits, 11 * numeric_value(pairs[k]) + numeric_value(pairs[k + 1]) + 8, width);
    }
    return bits;
}

std::string Convert12DigitsToBinary(std::string_view twelve) {
    std::string bits;
    bits.reserve(40);
    for (std::size_t group = 0; group < 4; ++group) {
        const std::size_t from = std::min<std::size_t>(group * 3, twelve.size());
        append_field(bits, static_cast<int>(group_value(twelve.substr(from, 3))), 10);
    }
    return bits;
}

std::string ConvertToBinary(int value) {
    assert(value >= 0);
    int width = 1;
    while (width < 31 && (value >> width) != 0)
        ++width;
    std::string bits;
    append_field(bits, value, width);
    return bits;
}

int ConvertBinaryToDec(std::string_view bits) {
    int value = 0;
    for (const char b : bits)
        value = value * 2 + (b == '1' ? 1 : 0);
    return value;
}

std::string_view ISOEncodingCheckAhead(std::string_view r) {
    switch (iso646_latch(r)) {
        case Latch::numeric:
            return ISO_TO_NUMERIC_LATCH;
        case Latch::alphanumeric:
            return ISO_TO_ALPHANUMERIC_LATCH;
        case Latch::none:
            break;
    }
    return {};
}

int GetUnusedBits(int dataBits, int segs) {
    if (dataBits > kExpandedMaxDataBits) return -dataBits;
    int n = (dataBits + kBitsPerChar - 1) / kBitsPerChar;
    if (n < 3) n = 3;
    // n data characters and the check character; no last row of a single symbol character.
    if (segs > 0 && (n + 1) % segs == 1) ++n;
    return kBitsPerChar * n - dataBits;
}

bool DatabarExpandedBits(std::string_view data, int segs, ExpandedBits& bits) {
    const std::string_view method = GetDatabarEncodationMethod(data);
    const bool gtin = method == "1" && usable_gtin(data);

    // The general-purpose text without its parentheses; none after an unusable GTIN.
    char text[kMaxGeneralText];
    std::size_t length = 0;
    if (method == "00" || gtin) {
        for (const char c : general_purpose_source(method, data)) {
            if (c == '(' || c == ')') continue;
            if (length == kMaxGeneralText) return false;
            text[length++] = c;
        }
    }

    bits.Append(0, 1);  // linkage flag: no composite component
    if (method == "1") {
        bits.Append(1, 1);
    } else {
        bits.Append(0, 2);
    }
    // The variable-length field, filled in once the symbol's size is known.
    const bool variableLength = has_variable_length_field(method);
    const int variableLengthAt = bits.Size();
    if (variableLength) bits.Append(0, 2);
    if (gtin) append_compressed(data, bits);
    const bool numericLastCompaction =
        append_general_purpose(std::string_view(text, length), 0, segs, bits);

    const int used = bits.Size();
    const int unused = GetUnusedBits(used, segs);
    const int symbolChars = (used + unused) / kBitsPerChar + 1;
    if (symbolChars < kExpandedMinSymbolChars || symbolChars > kExpandedMaxSymbolChars) {
        return false;
    }
    if (variableLength) {
        bits.Set(variableLengthAt, (symbolChars % 2 == 1 ? 2U : 0U) | (symbolChars > 14 ? 1U : 0U),
                 2);
    }
    // Padding: in numeric mode a latch to alphanumeric first (or zeros where it does not fit),
    // then the pad pattern, which readers skip.
    int pad = unused;
    if (numericLastCompaction) {
        const int zeros = pad > 4 ? 4 : pad;
        bits.Append(0, zeros);
        pad -= zeros;
    }
    for (; pad >= kPadPatternBits; pad -= kPadPatternBits)
        bits.Append(kPadPattern, kPadPatternBits);
    bits.Append(kPadPattern >> (kPadPatternBits - pad), pad);
    assert(bits.Size() == kBitsPerChar * (symbolChars - 1));
    return true;
}

std::string GetDatabarExpandedBinaryString(std::string_view data, int segs) {
    ExpandedBits bits;
    if (!DatabarExpandedBits(data, segs, bits)) return {};
    return bits.Text();
}

}  // namespace orbx
