#include "encoders/databar/databar_expanded_encodation.h"

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
static_assert(kIso646Punctuation.size() == 21);

// ISO/IEC 24724 alphanumeric mode: the 6-bit codes of its five punctuation marks.
constexpr std::array<CharCode, 5> kAlphanumericPunctuation{{
    {'*', 0x3A},
    {',', 0x3B},
    {'-', 0x3C},
    {'.', 0x3D},
    {'/', 0x3E},
}};
static_assert(kAlphanumericPunctuation.size() == 5);

// FNC1 in alphanumeric and ISO/IEC 646 mode.
constexpr std::string_view kFnc1Field = "01111";
// Padding pattern, repeated from its start.
constexpr std::string_view kPadPattern = "00100";
// FNC1 counts 10 in a numeric pair.
constexpr int kFnc1NumericValue = 10;
// Bits per data character of the symbol.
constexpr int kBitsPerChar = 12;
// Most bits one data character takes: latches to alphanumeric and to ISO/IEC 646, 8-bit code.
constexpr std::size_t kMaxBitsPerDataChar = 17;

enum class Mode { numeric, alphanumeric, iso646 };

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_upper(char c) {
    return c >= 'A' && c <= 'Z';
}

bool is_lower(char c) {
    return c >= 'a' && c <= 'z';
}

// A digit or FNC1.
bool IsNumericEncodingChar(char c) {
    return is_digit(c) || c == FNC_1;
}

// A digit, an upper-case letter or one of * , - . / (FNC1 is not in this class).
bool IsAlphanumericEncodingChar(char c) {
    if (is_digit(c) || is_upper(c)) return true;
    for (const CharCode& p : kAlphanumericPunctuation) {
        if (p.c == c) return true;
    }
    return false;
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

// Alphanumeric code of an alphanumeric-encodable character.
void append_alphanumeric(std::string& bits, char c) {
    if (is_digit(c)) {
        append_field(bits, c - 43, 5);
    } else if (is_upper(c)) {
        append_field(bits, c - 33, 6);
    } else {
        for (const CharCode& p : kAlphanumericPunctuation) {
            if (p.c == c) append_field(bits, p.code, 6);
        }
    }
}

// ISO/IEC 646 code: digits 5 bits, letters 7 bits, the others 8 bits; nothing for a character
// outside the set (the data normaliser lets none through).
void GetISO646BinaryValue(std::string& bits, char c) {
    if (is_digit(c)) {
        append_field(bits, c - 43, 5);
    } else if (is_upper(c)) {
        append_field(bits, c - 1, 7);
    } else if (is_lower(c)) {
        append_field(bits, c - 7, 7);
    } else {
        for (const CharCode& p : kIso646Punctuation) {
            if (p.c == c) append_field(bits, p.code, 8);
        }
    }
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

}  // namespace

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
    std::string_view rest = data;
    if (method == "1") {
        // The GTIN's indicator digit and the next 12 digits; its check digit (position 17) is
        // recomputed by the reader, so it is skipped. Without a usable GTIN nothing is encoded.
        if (data.size() < 17) return;
        for (std::size_t p = 4; p <= 11; ++p) {
            if (!is_digit(data[p])) return;
        }
        compressed.reserve(44);
        append_field(compressed, data[4] - '0', 4);
        compressed += Convert12DigitsToBinary(data.substr(5, 12));
        rest = data.size() < 19 ? std::string_view() : data.substr(18);
    } else if (method != "00") {
        return;
    }
    generalPurpose.reserve(rest.size());
    for (const char c : rest) {
        if (c != '(' && c != ')') generalPurpose += c;
    }
}

std::string EncodeGeneralPurposeField(std::string_view d, int methodLength, int compressedLength,
                                      int segs, bool& numericLastCompaction) {
    std::string bits;
    bits.reserve(d.size() * kMaxBitsPerDataChar + kBitsPerChar);
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
                    bits += DoNumericEncoding(d.substr(i, 2), 7);
                    i += 2;
                } else if (i + 1 == L && is_digit(c)) {
                    // A lone last digit: 4 bits when that fills the last symbol character,
                    // otherwise paired with FNC1.
                    const int used = 1 + methodLength + variable_length_bits(methodLength) +
                                     compressedLength + static_cast<int>(bits.size());
                    const int unused = GetUnusedBits(used, segs);
                    if (unused >= 4 && unused <= 6) {
                        append_field(bits, c - '0' + 1, 4);
                    } else {
                        const char pair[2] = {c, FNC_1};
                        bits += DoNumericEncoding(std::string_view(pair, 2), 7);
                    }
                    ++i;
                } else {
                    bits += NUMERIC_TO_ALPHA_LATCH;
                    mode = Mode::alphanumeric;
                }
                break;
            case Mode::alphanumeric:
                if (c == FNC_1) {
                    // FNC1 carries an implied latch to numeric mode: readers decode what follows
                    // as numeric.
                    bits += kFnc1Field;
                    mode = Mode::numeric;
                    ++i;
                } else if (!IsAlphanumericEncodingChar(c)) {
                    bits += ALPHA_TO_ISO_LATCH;
                    mode = Mode::iso646;
                } else if (digits_ahead(d.substr(i))) {
                    bits += ALPHA_TO_NUMERIC_LATCH;
                    mode = Mode::numeric;
                } else {
                    append_alphanumeric(bits, c);
                    ++i;
                }
                break;
            case Mode::iso646: {
                if (c == FNC_1) {
                    bits += kFnc1Field;
                    mode = Mode::numeric;
                    ++i;
                    break;
                }
                const std::string_view latch =
                    L - i > 3 ? ISOEncodingCheckAhead(d.substr(i)) : std::string_view();
                if (latch == ISO_TO_NUMERIC_LATCH) {
                    bits += latch;
                    mode = Mode::numeric;
                } else if (latch == ISO_TO_ALPHANUMERIC_LATCH) {
                    bits += latch;
                    mode = Mode::alphanumeric;
                } else {
                    GetISO646BinaryValue(bits, c);
                    ++i;
                }
                break;
            }
        }
    }
    numericLastCompaction = mode == Mode::numeric;
    return bits;
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
        int value = 0;
        for (std::size_t k = group * 3; k < group * 3 + 3 && k < twelve.size(); ++k) {
            if (!is_digit(twelve[k])) break;
            value = value * 10 + (twelve[k] - '0');
        }
        append_field(bits, value, 10);
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
    const std::size_t n = r.size() < 10 ? r.size() : 10;
    if (r.size() >= 4) {
        bool numeric = true;
        for (std::size_t k = 0; k < 4 && numeric; ++k)
            numeric = IsNumericEncodingChar(r[k]);
        for (std::size_t k = 4; k < n && numeric; ++k)
            numeric = IsNumericEncodingChar(r[k]) || IsAlphanumericEncodingChar(r[k]);
        if (numeric) return ISO_TO_NUMERIC_LATCH;
    }
    if (n > 4) {
        bool alphanumeric = true;
        for (std::size_t k = 0; k < n && alphanumeric; ++k)
            alphanumeric = IsAlphanumericEncodingChar(r[k]);
        if (alphanumeric) return ISO_TO_ALPHANUMERIC_LATCH;
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

std::string GetDatabarExpandedBinaryString(std::string_view data, int segs) {
    const std::string_view method = GetDatabarEncodationMethod(data);
    std::string compressed;
    std::string text;
    EncodeDatabarExtended(method, data, compressed, text);
    bool numericLastCompaction = true;
    const std::string general =
        EncodeGeneralPurposeField(text, static_cast<int>(method.size()),
                                  static_cast<int>(compressed.size()), segs, numericLastCompaction);

    const bool variableLength = has_variable_length_field(method);
    const int used = 1 + static_cast<int>(method.size()) + (variableLength ? 2 : 0) +
                     static_cast<int>(compressed.size()) + static_cast<int>(general.size());
    const int unused = GetUnusedBits(used, segs);
    const int symbolChars = (used + unused) / kBitsPerChar + 1;
    if (symbolChars < kExpandedMinSymbolChars || symbolChars > kExpandedMaxSymbolChars) return {};

    std::string bits;
    bits.reserve(static_cast<std::size_t>(kBitsPerChar * (symbolChars - 1)));
    bits += '0';  // linkage flag: no composite component
    bits += method;
    if (variableLength) {
        bits += symbolChars % 2 == 1 ? '1' : '0';
        bits += symbolChars > 14 ? '1' : '0';
    }
    bits += compressed;
    bits += general;
    // Padding: in numeric mode a latch to alphanumeric first (or zeros where it does not fit),
    // then the pad pattern, which readers skip.
    int pad = unused;
    if (numericLastCompaction) {
        const int zeros = pad > 4 ? 4 : pad;
        bits.append(static_cast<std::size_t>(zeros), '0');
        pad -= zeros;
    }
    for (int k = 0; k < pad; ++k)
        bits += kPadPattern[static_cast<std::size_t>(k) % kPadPattern.size()];
    assert(bits.size() == static_cast<std::size_t>(kBitsPerChar * (symbolChars - 1)));
    return bits;
}

}  // namespace orbx
