#include "encoders/universal/uni_code128_sets.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/gs1.h"
#include "common/output.h"
#include "common/utilities.h"
#include "encoders/code128/code128_patterns.h"
#include "encoders/code128/code128_values.h"
#include "encoders/code128/tilde_escapes.h"
#include "encoders/universal/uni_code128.h"
#include "encoders/universal/universal_font.h"

namespace orbx {

namespace {

int code_of(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

int fixed_ab(char* data, int start, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    std::uint8_t* const values = Code128ValueArea(d.size());
    std::size_t count = 0;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const int c = code_of(d, i);
        if (c >= 32 && c <= 137) values[count++] = static_cast<std::uint8_t>(c - 32);
    }
    return HandOverUniCode128(start, std::span<const std::uint8_t>(values, count), out, capacity);
}

// The number that the characters of an identifier begin with, as the C library's atoi reads it.
int leading_number(std::string_view s) {
    return static_cast<int>(LeadingNumber(s));
}

// How many characters of Application Identifier follow an FNC1 byte with `rest` characters
// after it; 0 when the FNC1 shows nothing.
std::size_t ai_length(std::string_view t, std::size_t i, int c, std::size_t rest) {
    // 213 to 218 give the length 3 to 8 when there is room for it; 212 always gives 2.
    if (c == 212) return 2;
    if (c >= 213 && c <= 218 && rest >= static_cast<std::size_t>(c - 209)) {
        return static_cast<std::size_t>(c - 210);
    }
    // Otherwise the length follows from the AI's first two digits, when the identifier and at
    // least one character of data follow; 23 to 25, whose identifiers have three digits, show two
    // of them when there is room for only two.
    const int first_two = leading_number(t.substr(i + 1, 2));
    const std::size_t length = Gs1AiLength(first_two);
    if (rest > length) return length;
    return first_two >= 23 && first_two <= 25 && rest > 2 ? 2 : 0;
}

// The readable line of `t`, written to `text` (room for 3 x t.size() characters: an FNC1 and
// an Application Identifier of n >= 2 characters become n + 4); returns its end.
char* format_readable(std::string_view t, char* text) {
    std::size_t i = 0;
    while (i < t.size()) {
        const int c = code_of(t, i);
        const std::size_t rest = t.size() - 1 - i;
        if ((c == 202 || (c >= 212 && c <= 218)) && rest >= 2) {
            const std::size_t ai = ai_length(t, i, c, rest);
            if (ai > 0) {
                *text++ = ' ';
                *text++ = '(';
                text = std::copy_n(t.data() + i + 1, ai, text);
                *text++ = ')';
                *text++ = ' ';
            }
            i += 1 + ai;
            continue;
        }
        *text++ = c == 197 || c < 32 ? ' ' : static_cast<char>(c);
        ++i;
    }
    return text;
}

}  // namespace

int Orbelantrix_Universal_C128A(char* data, char* out, long capacity) {
    return fixed_ab(data, kCode128ValueStartA, out, capacity);
}

int Orbelantrix_Universal_C128B(char* data, char* out, long capacity) {
    return fixed_ab(data, kCode128ValueStartB, out, capacity);
}

int Orbelantrix_Universal_C128C(char* data, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    std::size_t digit_count = 0;
    for (std::size_t i = 0; i < d.size(); ++i)
        if (isNumeric(code_of(d, i))) ++digit_count;
    // Digit pairs; an odd count is read as if a "0" stood in front.
    std::uint8_t* const values = Code128ValueArea(digit_count / 2 + 1);
    std::size_t count = 0;
    int pending = digit_count % 2 == 1 ? 0 : -1;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const int c = code_of(d, i);
        if (!isNumeric(c)) continue;
        if (pending < 0) {
            pending = c - '0';
        } else {
            values[count++] = static_cast<std::uint8_t>(10 * pending + (c - '0'));
            pending = -1;
        }
    }
    return HandOverUniCode128(kCode128ValueStartC, std::span<const std::uint8_t>(values, count),
                              out, capacity);
}

int Orbelantrix_Universal_C128HR(char* data, long tilde, char* out, long capacity) {
    if (data == nullptr) return kStatusNullData;
    if (data[0] == '\0') return kStatusEmptyData;
    const std::string_view d = UniData(data);
    // Per thread, kept from call to call: no allocation once they have held a line this long.
    // Without a tilde the escapes change nothing.
    thread_local std::string escaped;
    thread_local std::string text;
    std::string_view line = d;
    if (tilde != 0 && d.find('~') != std::string_view::npos) {
        char* const expanded = WorkArea(escaped, d.size());
        line = std::string_view(expanded, ExpandTildes<kUniversalLineTildes>(d, expanded));
    }
    char* const begin = WorkArea(text, 3 * line.size());
    return HandOver(out, capacity, begin, format_readable(line, begin));
}

}  // namespace orbx
